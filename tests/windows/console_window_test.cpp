// A program in a Windows console window (Wine's, on a virtual display, in CI): zadej typed at
// through the console's input, its screen read back cell by cell, characters and colours.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

#include "program_run.hpp"
#include "temp_folder.hpp"

namespace {

// Light green on blue: neither of the programs' colours, and a background to be kept.
constexpr WORD kStartColours = 0x1A;
constexpr WORD kYellow = 0x1E, kWhite = 0x1F;
constexpr DWORD kPatience = 60000;  // ms; a start under Wine takes about a second

const std::string kRound = crlf({
    "  5  12   0 0    1  Hrac A                      -   Hrac B                   ",
    "  7   1   0 0    2  Hrac C                      -   Hrac D                   ",
    " 16   0 300 300  0  Hrac I                      -   BYE                      ",
});
const std::wstring kNames = L"  Hrac A                      -   Hrac B                   ";
const std::wstring kPause = L"Konec programu, stisknete enter";

// The screen of `zadej 3` after "1", "412 380" and "0": {yellow}, the rest white.
const std::vector<std::wstring> kSession = {
    L"Losovani - verze 9.2.2009",
    L"-------------------------",
    L"",
    L"{Partie 3.kola }",
    L"",
    L"Nacteno 3 stolu",
    L"Dosud nebylo nacteno 2 vysledku ",
    L"Dosud nezadane stoly : 1 2 ",
    L"{Zadejte cislo stolu : }1",
    kNames + L"    0 :   0",
    L"{Zadejte vysledek (pocty bodu obou hracu oddelene mezerou) : }412 380",
    kNames + L"  412 : 380",
    L"",
    L"Nacteno 3 stolu",
    L"Dosud nebylo nacteno 1 vysledku ",
    L"Dosud nezadane stoly : 2 ",
    L"{Zadejte cislo stolu : }0",
    L"{Stul 0 neexistuje} ",
    L"",
};

// Each key pressed and let go; with `controls` (Ctrl+C) only pressed: Wine's console takes the
// letting go of Ctrl+C for a second Ctrl+C.
void type(HANDLE input, const std::wstring& keys, DWORD controls = 0) {
    std::vector<INPUT_RECORD> records;
    for (wchar_t key : keys) {
        INPUT_RECORD record = {};
        record.EventType = KEY_EVENT;
        KEY_EVENT_RECORD& event = record.Event.KeyEvent;
        event.bKeyDown = TRUE;
        event.wRepeatCount = 1;
        event.uChar.UnicodeChar = key == L'\n' ? L'\r' : key;
        event.wVirtualKeyCode = key == L'\n' ? VK_RETURN : key == 3 ? 'C' : LOBYTE(VkKeyScanW(key));
        event.dwControlKeyState = controls;
        records.push_back(record);
        event.bKeyDown = FALSE;
        if (controls == 0) records.push_back(record);
    }
    DWORD written = 0;
    ASSERT_TRUE(WriteConsoleInputW(input, records.data(), static_cast<DWORD>(records.size()), &written));
}

struct Screen {
    std::vector<std::wstring> rows;
    std::vector<std::vector<WORD>> colours;
    WORD current = 0;  // the attributes the next text gets

    bool shows(const std::wstring& text) const {
        for (const auto& row : rows)
            if (row.find(text) != std::wstring::npos) return true;
        return false;
    }
};

// The window of the test: a console of its own, whose handles stay usable after the test has
// left it, so that a program started in it can have it to itself.
class ConsoleWindow : public testing::Test {
protected:
    void SetUp() override {
        FreeConsole();
        ASSERT_TRUE(AllocConsole());
        SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
        input = CreateFileW(L"CONIN$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                            OPEN_EXISTING, 0, nullptr);
        output = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                             OPEN_EXISTING, 0, nullptr);
        // Without a display, Wine's console has no window and its handles do nothing.
        ASSERT_TRUE(SetConsoleTextAttribute(output, kStartColours)) << "no console window: run under xvfb-run";
        DWORD written = 0;
        WriteConsoleW(output, L"left from before\r\n", 18, &written, nullptr);
        folder.write("partie3.txt", kRound);
    }

    void TearDown() override {
        if (process.hProcess) {
            TerminateProcess(process.hProcess, 1);
            CloseHandle(process.hProcess);
            CloseHandle(process.hThread);
        }
        CloseHandle(input);
        CloseHandle(output);
        FreeConsole();
    }

    // zadej 3 in the window, held until resumed.
    void startZadej() {
        std::wstring commandLine = L"\"" + std::filesystem::path(programPath("zadej")).wstring() + L"\" 3";
        STARTUPINFOW startup = {};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = input;
        startup.hStdOutput = output;
        startup.hStdError = output;
        ASSERT_TRUE(CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, CREATE_SUSPENDED, nullptr,
                                   folder.path().wstring().c_str(), &startup, &process));
    }

    DWORD exitCode() {
        DWORD code = STILL_ACTIVE;
        if (WaitForSingleObject(process.hProcess, kPatience) == WAIT_OBJECT_0)
            GetExitCodeProcess(process.hProcess, &code);
        return code;
    }

    Screen screen() const {
        Screen shown;
        CONSOLE_SCREEN_BUFFER_INFO info;
        if (!GetConsoleScreenBufferInfo(output, &info)) return shown;
        shown.current = info.wAttributes;
        const DWORD width = static_cast<DWORD>(info.dwSize.X);
        for (SHORT y = 0; y < info.dwSize.Y; ++y) {
            std::wstring text(width, L' ');
            std::vector<WORD> colours(width, 0);
            DWORD read = 0;
            ReadConsoleOutputCharacterW(output, text.data(), width, COORD{0, y}, &read);
            ReadConsoleOutputAttribute(output, colours.data(), width, COORD{0, y}, &read);
            shown.rows.push_back(text);
            shown.colours.push_back(colours);
        }
        return shown;
    }

    bool waitFor(const std::wstring& text) const {
        for (const ULONGLONG start = GetTickCount64(); GetTickCount64() - start < kPatience; Sleep(50))
            if (screen().shows(text)) return true;
        return false;
    }

    TempFolder folder;
    HANDLE input = INVALID_HANDLE_VALUE, output = INVALID_HANDLE_VALUE;
    PROCESS_INFORMATION process = {};
};

std::string narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

std::wstring trimmed(const std::wstring& text) { return text.substr(0, text.find_last_not_of(L' ') + 1); }

// The screen from its top: the rows expected, {yellow} and white, then nothing but blanks.
void expectScreen(const Screen& shown, const std::vector<std::wstring>& expected) {
    for (std::size_t y = 0; y < shown.rows.size(); ++y) {
        std::wstring want;
        std::vector<WORD> colours;
        WORD colour = kWhite;
        for (wchar_t c : y < expected.size() ? expected[y] : L"") {
            if (c == L'{' || c == L'}') {
                colour = c == L'{' ? kYellow : kWhite;
                continue;
            }
            want += c;
            colours.push_back(colour);
        }
        const std::wstring& row = shown.rows[y];
        EXPECT_EQ(row.find(L'\x1b'), std::wstring::npos) << "an escape byte in row " << y << ": " << narrow(row);
        EXPECT_EQ(narrow(trimmed(row)), narrow(trimmed(want))) << "row " << y;
        for (std::size_t x = 0; x < colours.size() && x < row.size(); ++x)
            if (shown.colours[y][x] != colours[x]) {
                ADD_FAILURE() << "row " << y << " column " << x << " has colours 0x" << std::hex << shown.colours[y][x]
                              << ", not 0x" << colours[x] << ": " << narrow(row);
                break;
            }
    }
}

TEST_F(ConsoleWindow, DoubleClickedProgramColoursThroughTheConsoleAndWaitsForEnterAtItsEnd) {
    type(input, L"1\n412 380\n0\n");
    startZadej();
    FreeConsole();  // as after a double click, zadej alone in the window; the handles stay ours
    ResumeThread(process.hThread);
    ASSERT_TRUE(waitFor(kPause)) << narrow(screen().rows[0]);
    std::vector<std::wstring> expected = kSession;
    expected.push_back(L"{" + kPause + L"} ");
    expectScreen(screen(), expected);
    EXPECT_EQ(WaitForSingleObject(process.hProcess, 500), static_cast<DWORD>(WAIT_TIMEOUT)) << "no wait for Enter";

    type(input, L"\n");
    EXPECT_EQ(exitCode(), 0u);
    EXPECT_EQ(screen().current, kStartColours) << "the console's colours back";
    EXPECT_NE(folder.read("partie3.txt").find("  5  12   412  380"), std::string::npos);
}

TEST_F(ConsoleWindow, ProgramStartedBesideAnotherEndsWithoutWaiting) {
    type(input, L"1\n412 380\n0\n");
    startZadej();
    ResumeThread(process.hThread);
    EXPECT_EQ(exitCode(), 0u);
    expectScreen(screen(), kSession);
    EXPECT_EQ(screen().current, kStartColours);
}

std::atomic<int> interrupts{0};

BOOL WINAPI countInterrupt(DWORD event) {
    if (event == CTRL_C_EVENT) ++interrupts;
    return TRUE;
}

// The console sends Ctrl+C to every program in it; zadej ends, with the console's colours
// back, and passes nothing on. It ends either in its handler or, when the console's ending of
// the read reaches it first, at the end of its input: Windows does not order the two.
TEST_F(ConsoleWindow, CtrlCEndsTheProgramAloneWithTheColoursBack) {
    SetConsoleCtrlHandler(countInterrupt, TRUE);
    startZadej();
    ResumeThread(process.hThread);
    ASSERT_TRUE(waitFor(L"Zadejte cislo stolu : "));
    type(input, L"\x03", LEFT_CTRL_PRESSED);
    const DWORD code = exitCode();
    EXPECT_TRUE(code == STATUS_CONTROL_C_EXIT || code == 1) << std::hex << code;
    for (const ULONGLONG start = GetTickCount64(); GetTickCount64() - start < 5000 && interrupts == 0;) Sleep(50);
    Sleep(200);
    EXPECT_EQ(interrupts, 1) << "one Ctrl+C, passed on to nobody";
    SetConsoleCtrlHandler(countInterrupt, FALSE);
    EXPECT_EQ(screen().current, kStartColours);
    EXPECT_EQ(folder.files().size(), 1u) << "nothing left beside the round file";
}

}  // namespace
