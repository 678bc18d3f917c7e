// Starting a program on Windows: CreateProcessW with inherited handles of the three files as
// its standard streams, the folder as its current folder; the exit code by GetExitCodeProcess.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include "program_start.hpp"
#include "windows_command_line.hpp"

namespace {

HANDLE inheritable(const std::filesystem::path& path, DWORD access, DWORD creation) {
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    return CreateFileW(path.wstring().c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                       &inherit, creation, FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

int startAndWait(const std::string& program, const std::filesystem::path& folder,
                 const std::vector<std::string>& arguments, const StandardFiles& files) {
    const std::wstring application = std::filesystem::path(program).wstring();
    std::wstring commandLine = quotedArgument(application);
    for (const auto& argument : arguments) commandLine += L" " + quotedArgument(std::filesystem::path(argument).wstring());

    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = inheritable(files.in, GENERIC_READ, OPEN_EXISTING);
    startup.hStdOutput = inheritable(files.out, GENERIC_WRITE, CREATE_ALWAYS);
    startup.hStdError = inheritable(files.err, GENERIC_WRITE, CREATE_ALWAYS);
    PROCESS_INFORMATION process = {};
    const BOOL started = CreateProcessW(application.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                        folder.wstring().c_str(), &startup, &process);
    for (HANDLE file : {startup.hStdInput, startup.hStdOutput, startup.hStdError})
        if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    if (!started) return 127;
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 127;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(code);
}

std::shared_ptr<void> holdAgainstReaders(const std::filesystem::path& file) {
    HANDLE held = CreateFileW(file.wstring().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    if (held == INVALID_HANDLE_VALUE) return nullptr;
    return std::shared_ptr<void>(held, CloseHandle);
}
