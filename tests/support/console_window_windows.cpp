// The console window of a test on Windows: AllocConsole, CONIN$ and CONOUT$ handed to the
// program, WriteConsoleInputW for its keyboard, ReadConsoleOutput* for its screen.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <atomic>

#include "console_window.hpp"
#include "program_run.hpp"

namespace {

HANDLE consoleHandle(const wchar_t* name) {
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    return CreateFileW(name, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                       OPEN_EXISTING, 0, nullptr);
}

INPUT_RECORD keyEvent(wchar_t key, bool down, DWORD controls) {
    INPUT_RECORD record = {};
    record.EventType = KEY_EVENT;
    KEY_EVENT_RECORD& event = record.Event.KeyEvent;
    event.bKeyDown = down;
    event.wRepeatCount = 1;
    event.uChar.UnicodeChar = key == L'\n' ? L'\r' : key;
    event.wVirtualKeyCode = key == L'\n' ? VK_RETURN : key == 3 ? 'C' : LOBYTE(VkKeyScanW(key));
    event.dwControlKeyState = controls;
    return record;
}

bool writeInput(HANDLE input, const std::vector<INPUT_RECORD>& records) {
    DWORD written = 0;
    return WriteConsoleInputW(input, records.data(), static_cast<DWORD>(records.size()), &written) != 0;
}

std::atomic<int> controlCs{0};

BOOL WINAPI countControlC(DWORD event) {
    if (event == CTRL_C_EVENT) ++controlCs;
    return TRUE;
}

}  // namespace

bool ConsoleScreen::shows(const std::wstring& text) const {
    for (const auto& row : rows)
        if (row.find(text) != std::wstring::npos) return true;
    return false;
}

ConsoleWindow::~ConsoleWindow() {
    if (process_ != nullptr) {
        TerminateProcess(process_, 1);
        CloseHandle(process_);
        CloseHandle(thread_);
    }
    if (input_ != nullptr) CloseHandle(input_);
    if (output_ != nullptr) CloseHandle(output_);
    FreeConsole();
}

bool ConsoleWindow::open(std::uint16_t colours, const std::wstring& before) {
    FreeConsole();
    if (!AllocConsole()) return false;
    input_ = consoleHandle(L"CONIN$");
    output_ = consoleHandle(L"CONOUT$");
    if (!SetConsoleTextAttribute(output_, colours)) return false;
    DWORD written = 0;
    return WriteConsoleW(output_, before.data(), static_cast<DWORD>(before.size()), &written, nullptr) != 0;
}

bool ConsoleWindow::type(const std::wstring& keys) {
    std::vector<INPUT_RECORD> records;
    for (wchar_t key : keys) {
        records.push_back(keyEvent(key, true, 0));
        records.push_back(keyEvent(key, false, 0));
    }
    return writeInput(input_, records);
}

bool ConsoleWindow::pressControlC() { return writeInput(input_, {keyEvent(3, true, LEFT_CTRL_PRESSED)}); }

bool ConsoleWindow::start(const std::string& program, const std::vector<std::wstring>& arguments,
                          const std::filesystem::path& folder) {
    std::wstring commandLine = L"\"" + std::filesystem::path(programPath(program)).wstring() + L"\"";
    for (const auto& argument : arguments) commandLine += L" " + argument;
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = input_;
    startup.hStdOutput = output_;
    startup.hStdError = output_;
    PROCESS_INFORMATION started = {};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, CREATE_SUSPENDED, nullptr,
                        folder.wstring().c_str(), &startup, &started))
        return false;
    process_ = started.hProcess;
    thread_ = started.hThread;
    return true;
}

void ConsoleWindow::leave() { FreeConsole(); }

void ConsoleWindow::resume() { ResumeThread(thread_); }

std::optional<std::uint32_t> ConsoleWindow::exitCode(std::uint32_t patienceMs) {
    DWORD code = STILL_ACTIVE;
    if (WaitForSingleObject(process_, patienceMs) != WAIT_OBJECT_0 || !GetExitCodeProcess(process_, &code))
        return std::nullopt;
    return code;
}

ConsoleScreen ConsoleWindow::screen() const {
    ConsoleScreen shown;
    CONSOLE_SCREEN_BUFFER_INFO info;
    if (!GetConsoleScreenBufferInfo(output_, &info)) return shown;
    shown.current = info.wAttributes;
    const DWORD width = static_cast<DWORD>(info.dwSize.X);
    for (SHORT y = 0; y < info.dwSize.Y; ++y) {
        std::wstring text(width, L' ');
        std::vector<WORD> colours(width, 0);
        DWORD read = 0;
        ReadConsoleOutputCharacterW(output_, text.data(), width, COORD{0, y}, &read);
        ReadConsoleOutputAttribute(output_, colours.data(), width, COORD{0, y}, &read);
        shown.rows.push_back(text);
        shown.colours.emplace_back(colours.begin(), colours.end());
    }
    return shown;
}

bool ConsoleWindow::waitFor(const std::wstring& text, std::uint32_t patienceMs) const {
    for (const ULONGLONG start = GetTickCount64(); GetTickCount64() - start < patienceMs; Sleep(50))
        if (screen().shows(text)) return true;
    return false;
}

void startCountingControlC() { SetConsoleCtrlHandler(countControlC, TRUE); }

void stopCountingControlC() { SetConsoleCtrlHandler(countControlC, FALSE); }

int controlCCounted() { return controlCs; }
