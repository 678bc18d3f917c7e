// The platform interface on Windows: console attributes, Win32 files opened with every
// sharing, the replace by one rename, LockFileEx on the folder's lock file, GetTickCount64.
//
// Replacing a file: the lock is on zamek.lck, a file never replaced, so a round file is open
// only while a program reads it. The replace is one rename:
//  - first choice, a rename with POSIX semantics (SetFileInformationByHandle, FileRenameInfoEx,
//    replace + POSIX flags; Windows 10 1709 and later on NTFS), which replaces a file that a
//    reader has open;
//  - where the system or the file system refuses it (older Windows, FAT and exFAT, many network
//    shares, Wine), MoveFileExW with replace and write-through.
// Both are retried for about a second while another program (a reader, an editor, a virus
// scanner) holds the file. The name never points to nothing.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <optional>
#include <string>
#include <vector>

#include "platform.hpp"
#include "temporary_names.hpp"

namespace platform {

namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
// Declared here: the headers show them only when built for Windows 10 alone.
constexpr auto kFileRenameInfoEx = static_cast<FILE_INFO_BY_HANDLE_CLASS>(22);
constexpr DWORD kRenameReplaceIfExists = 0x1, kRenamePosixSemantics = 0x2;
// A file that cannot be read or replaced now is tried again for about a second.
constexpr ULONGLONG kPatienceMs = 1000;
constexpr std::uint32_t kRetryPauseMs = 50;
// A temporary this much older than its target was left by a writer that is gone (in the
// 100-nanosecond units of file times).
constexpr std::uint64_t kStaleTicks = 60ull * 10000000ull;

// --- Names ---------------------------------------------------------------------------------

std::wstring wide(const std::string& utf8) {
    if (utf8.empty()) return {};
    const int size = static_cast<int>(utf8.size());
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
    std::wstring result(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, result.data(), n);
    return result;
}

std::wstring fullPath(const std::wstring& path) {
    DWORD n = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (n == 0) return path;
    std::wstring result(n, L'\0');
    n = GetFullPathNameW(path.c_str(), n, result.data(), nullptr);
    result.resize(n);
    return result;
}

// --- Interrupt clean-up --------------------------------------------------------------------

// A fixed buffer: the console handler runs on a thread of its own while the program goes on.
// The guard makes a temporary and its registration come and go together: the handler waits
// while a temporary is being created or renamed, and never lets go (the process ends).
wchar_t pendingTemporary[4096] = {};
SRWLOCK pendingGuard = SRWLOCK_INIT;

void copyInto(wchar_t (&buffer)[4096], const std::wstring& text) {
    const std::size_t n = std::min(text.size(), std::size(buffer) - 1);
    buffer[n] = L'\0';
    std::wmemcpy(buffer, text.data(), n);
}

// --- Console -------------------------------------------------------------------------------

// Colours and clearing go through the console's own calls, never through escape sequences: a
// console host may accept the virtual-terminal mode and still print the sequences as text.
HANDLE consoleOut = INVALID_HANDLE_VALUE;  // standard output, when it is a console
WORD originalAttributes = FOREGROUND_RED | FOREGROUND_GREEN | FOREGROUND_BLUE;
volatile LONG coloursSet = 0;

// The attribute calls act at once: what was written before must be on the screen first.
void flushBefore(std::ostream& out) {
    out.flush();
    std::fflush(stdout);
}

void giveColoursBack() {
    if (coloursSet && consoleOut != INVALID_HANDLE_VALUE) SetConsoleTextAttribute(consoleOut, originalAttributes);
    coloursSet = 0;
}

// Ctrl+C, Ctrl+Break, the window closed, log-off or shut-down: no temporary file left, the
// console's own colours; then this process alone ends, as the system's default handler would
// end it. Nothing is passed on: every other program of the console gets the event from the
// console itself and decides for itself.
BOOL WINAPI onConsoleEvent(DWORD) {
    AcquireSRWLockExclusive(&pendingGuard);
    if (pendingTemporary[0] != L'\0') DeleteFileW(pendingTemporary);
    giveColoursBack();
    ExitProcess(STATUS_CONTROL_C_EXIT);
}

// --- Files ---------------------------------------------------------------------------------

// A file on a disk (not a console, a pipe or the NUL device), and not a folder.
bool isRegularFile(HANDLE file) {
    BY_HANDLE_FILE_INFORMATION info;
    return GetFileType(file) == FILE_TYPE_DISK && GetFileInformationByHandle(file, &info) &&
           (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// Every handle of this process shares read, write and delete: no reader of ours ever stops
// another program, or a replace, from doing its work.
HANDLE openExisting(const std::wstring& path, DWORD access) {
    return CreateFileW(path.c_str(), access, kShareAll, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

bool writeAll(HANDLE file, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written == 0) return false;
        done += written;
    }
    return true;
}

// A name beside target that no other writer uses: the process number, and a counter for the
// rare leftover of an earlier process with the same number. Delete sharing lets the console
// handler remove the file while it is still open. The file is registered for the handler as it
// comes into being, and only when this call created it.
HANDLE createExclusive(const std::string& target, std::string& name) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = temporaryName(target, GetCurrentProcessId(), attempt);
        const std::wstring wideName = wide(name);
        AcquireSRWLockExclusive(&pendingGuard);
        HANDLE file = CreateFileW(wideName.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                  CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        const DWORD error = GetLastError();
        if (file != INVALID_HANDLE_VALUE) copyInto(pendingTemporary, wideName);
        ReleaseSRWLockExclusive(&pendingGuard);
        if (file != INVALID_HANDLE_VALUE || (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS))
            return file;
    }
    return INVALID_HANDLE_VALUE;
}

// Errors that say there is no such file, as against one that is there but cannot be read now.
bool nothingThere(DWORD error) {
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || error == ERROR_INVALID_NAME ||
           error == ERROR_BAD_PATHNAME || error == ERROR_DIRECTORY || error == ERROR_INVALID_PARAMETER;
}

// A folder cannot be opened as a file: Windows says access denied. That is a missing file too.
ReadStatus statusOfOpenFailure(const std::wstring& path, DWORD error) {
    if (nothingThere(error)) return ReadStatus::Missing;
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return nothingThere(GetLastError()) ? ReadStatus::Missing : ReadStatus::Unreadable;
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? ReadStatus::Missing : ReadStatus::Unreadable;
}

// Reads to the end whatever the size said: the file may grow meanwhile.
bool readAll(HANDLE file, std::string& bytes) {
    LARGE_INTEGER size{};
    GetFileSizeEx(file, &size);
    bytes.assign(static_cast<std::size_t>(size.QuadPart) + 1, '\0');
    std::size_t done = 0;
    for (;;) {
        if (done == bytes.size()) bytes.resize(bytes.size() * 2);
        const DWORD want = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
        DWORD got = 0;
        if (!ReadFile(file, bytes.data() + done, want, &got, nullptr)) return false;
        if (got == 0) break;
        done += got;
    }
    bytes.resize(done);
    return true;
}

// A console, a pipe or a device is no file to read: GetFileType says so without reading.
FileRead readOnce(const std::string& path) {
    const std::wstring name = wide(path);
    HANDLE file = openExisting(name, GENERIC_READ);
    if (file == INVALID_HANDLE_VALUE) return {statusOfOpenFailure(name, GetLastError()), {}};
    FileRead result{ReadStatus::Missing, {}};
    if (isRegularFile(file)) result.status = readAll(file, result.bytes) ? ReadStatus::Read : ReadStatus::Unreadable;
    CloseHandle(file);
    return result;
}

// The path of another file in the folder of path, written the way path is.
std::string besideFile(const std::string& path, const std::string& name) {
    auto slash = path.find_last_of("/\\");
    return slash == std::string::npos ? name : path.substr(0, slash + 1) + name;
}

// This thread holds the lock of its tournament folder. A run of the suite works in one folder
// (and its zaloha), so a lock already held covers every file it replaces.
thread_local bool folderLockHeld = false;

bool processRuns(DWORD pid) {
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
    if (process == nullptr) return GetLastError() != ERROR_INVALID_PARAMETER;  // denied: it runs
    const bool runs = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
    CloseHandle(process);
    return runs;
}

std::string narrow(const std::wstring& text) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), size, result.data(), n, nullptr, nullptr);
    return result;
}

std::uint64_t ticksOf(const FILETIME& time) {
    return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

// --- Replacing -----------------------------------------------------------------------------

// Another program has the file open for a moment, or for as long as an editor keeps it.
bool mayPass(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED || error == ERROR_LOCK_VIOLATION;
}

// The system or its file system has no rename with POSIX semantics.
bool unsupported(DWORD error) {
    return error == ERROR_INVALID_PARAMETER || error == ERROR_NOT_SUPPORTED || error == ERROR_INVALID_FUNCTION ||
           error == ERROR_CALL_NOT_IMPLEMENTED || error == ERROR_INVALID_LEVEL;
}

struct Rename {
    DWORD error = 0;       // 0: the new file has the name
    bool durable = true;   // and the flush after it worked
};

// The rename through the temporary's own handle; a flush of that handle after it puts the new
// name on the disk as well.
Rename renamePosix(const std::wstring& from, const std::wstring& to, bool durable) {
    HANDLE file = openExisting(from, DELETE | SYNCHRONIZE | (durable ? GENERIC_WRITE : 0));
    if (file == INVALID_HANDLE_VALUE) return {GetLastError(), false};
    struct RenameInfo {
        DWORD flags;
        HANDLE rootDirectory;
        DWORD fileNameLength;
        WCHAR fileName[1];
    };
    const std::wstring name = fullPath(to);
    const std::size_t nameBytes = name.size() * sizeof(WCHAR);
    std::string buffer(sizeof(RenameInfo) + nameBytes, '\0');
    auto* info = reinterpret_cast<RenameInfo*>(buffer.data());
    info->flags = kRenameReplaceIfExists | kRenamePosixSemantics;
    info->rootDirectory = nullptr;
    info->fileNameLength = static_cast<DWORD>(nameBytes);
    std::memcpy(info->fileName, name.data(), nameBytes);
    Rename result;
    if (!SetFileInformationByHandle(file, kFileRenameInfoEx, info, static_cast<DWORD>(buffer.size())))
        result = {GetLastError(), false};
    else if (durable)
        result.durable = FlushFileBuffers(file) != 0;
    CloseHandle(file);
    return result;
}

Rename renameClassic(const std::wstring& from, const std::wstring& to, bool durable) {
    const DWORD flags = MOVEFILE_REPLACE_EXISTING | (durable ? MOVEFILE_WRITE_THROUGH : 0);
    if (MoveFileExW(from.c_str(), to.c_str(), flags)) return {};
    return {GetLastError(), false};
}

bool posixRenameRefused = false;  // learnt on the first replace

}  // namespace

void prepareConsole() {
    static bool prepared = false;
    if (prepared) return;
    prepared = true;
    // Bytes as they are written: the C run-time's text mode would turn every LF into CR LF.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    // Redirected input is read as it is, as on Linux; typing at a console keeps the console's
    // own line ends and Ctrl+Z for the end of input.
    if (GetFileType(GetStdHandle(STD_INPUT_HANDLE)) != FILE_TYPE_CHAR) _setmode(_fileno(stdin), _O_BINARY);
    HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    CONSOLE_SCREEN_BUFFER_INFO info;
    if (GetConsoleScreenBufferInfo(out, &info)) {
        consoleOut = out;
        originalAttributes = info.wAttributes;
    }
    SetConsoleCtrlHandler(onConsoleEvent, TRUE);
}

bool stdoutIsTerminal() {
    DWORD mode = 0;
    return GetConsoleMode(GetStdHandle(STD_OUTPUT_HANDLE), &mode) != 0;
}

bool consoleOfOurOwn() {
    DWORD mode = 0, processes[2];
    const bool console = GetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), &mode) &&
                         GetConsoleMode(GetStdHandle(STD_OUTPUT_HANDLE), &mode);
    return console && GetConsoleProcessList(processes, 2) == 1;
}

void clearScreen(std::ostream& out) {
    flushBefore(out);
    CONSOLE_SCREEN_BUFFER_INFO info;
    if (!GetConsoleScreenBufferInfo(consoleOut, &info)) return;
    const DWORD cells = static_cast<DWORD>(info.dwSize.X) * static_cast<DWORD>(info.dwSize.Y);
    const COORD home = {0, 0};
    DWORD done = 0;
    FillConsoleOutputCharacterW(consoleOut, L' ', cells, home, &done);
    FillConsoleOutputAttribute(consoleOut, info.wAttributes, cells, home, &done);
    SetConsoleCursorPosition(consoleOut, home);
}

void setColour(std::ostream& out, int colour) {
    flushBefore(out);
    coloursSet = 1;
    // The foreground alone: the background stays the console's own.
    SetConsoleTextAttribute(consoleOut, static_cast<WORD>((originalAttributes & 0xF0) | (colour & 0x0F)));
}

void restoreColours(std::ostream& out) {
    flushBefore(out);
    giveColoursBack();
}

FileRead readFile(const std::string& path) {
    const ULONGLONG start = GetTickCount64();
    for (;;) {
        FileRead result = readOnce(path);
        if (result.status != ReadStatus::Unreadable || GetTickCount64() - start >= kPatienceMs) return result;
        sleepMilliseconds(kRetryPauseMs);
    }
}

bool pathExists(const std::string& path) { return GetFileAttributesW(wide(path).c_str()) != INVALID_FILE_ATTRIBUTES; }

std::optional<std::string> writeTemporary(const std::string& target, const std::string& bytes, bool durable) {
    std::string name;
    HANDLE file = createExclusive(target, name);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    bool ok = writeAll(file, bytes);
    if (durable) ok = FlushFileBuffers(file) && ok;
    ok = CloseHandle(file) && ok;
    if (ok) return name;
    DeleteFileW(wide(name).c_str());
    clearPendingTemporary();
    return std::nullopt;
}

ReplaceOutcome replaceFile(const std::string& from, const std::string& to, Durability durability) {
    // A replacement is written through at once: Windows has no flush of a folder to put off.
    const bool durable = durability != Durability::None;
    const std::wstring source = wide(from), target = wide(to);
    const ULONGLONG start = GetTickCount64();
    for (;;) {
        AcquireSRWLockExclusive(&pendingGuard);
        Rename rename{ERROR_INVALID_PARAMETER, false};
        if (!posixRenameRefused) {
            rename = renamePosix(source, target, durable);
            posixRenameRefused = unsupported(rename.error);
        }
        if (posixRenameRefused) rename = renameClassic(source, target, durable);
        if (rename.error == 0) pendingTemporary[0] = L'\0';
        ReleaseSRWLockExclusive(&pendingGuard);
        if (rename.error == 0) return rename.durable ? ReplaceOutcome::Replaced : ReplaceOutcome::ReplacedNotDurable;
        if (!mayPass(rename.error) || GetTickCount64() - start >= kPatienceMs) return ReplaceOutcome::Failed;
        sleepMilliseconds(kRetryPauseMs);
    }
}

std::vector<std::string> flushOwedFolder() { return {}; }

void removeFile(const std::string& path) { DeleteFileW(wide(path).c_str()); }

void clearPendingTemporary() {
    AcquireSRWLockExclusive(&pendingGuard);
    pendingTemporary[0] = L'\0';
    ReleaseSRWLockExclusive(&pendingGuard);
}

void removeStaleTemporariesBeside(const std::string& file) {
    WIN32_FIND_DATAW found;
    HANDLE listing = FindFirstFileW(wide(besideFile(file, "*.tmp.*")).c_str(), &found);
    if (listing == INVALID_HANDLE_VALUE) return;
    std::vector<std::string> stale;
    do {
        const std::string name = narrow(found.cFileName);
        auto temporary = temporaryOf(name);
        if (!temporary || processRuns(temporary->process) || (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
            continue;
        WIN32_FILE_ATTRIBUTE_DATA target;
        if (folderLockHeld ||
            (GetFileAttributesExW(wide(besideFile(file, temporary->target)).c_str(), GetFileExInfoStandard, &target) &&
             ticksOf(found.ftLastWriteTime) + kStaleTicks < ticksOf(target.ftLastWriteTime)))
            stale.push_back(besideFile(file, name));
    } while (FindNextFileW(listing, &found));
    FindClose(listing);
    for (const std::string& path : stale) DeleteFileW(wide(path).c_str());
}

FolderLock FolderLock::take(const std::string& path) { return lockWith(path, OPEN_ALWAYS); }

FolderLock FolderLock::takeExisting(const std::string& path) { return lockWith(path, OPEN_EXISTING); }

FolderLock FolderLock::lockWith(const std::string& path, int creation) {
    if (folderLockHeld) return FolderLock(kNone, State::Held);
    const std::wstring lockPath = wide(besideFile(path, kLockFileName));
    HANDLE file = CreateFileW(lockPath.c_str(), GENERIC_READ | GENERIC_WRITE, kShareAll, nullptr,
                              static_cast<DWORD>(creation), FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const bool none = creation == OPEN_EXISTING && GetLastError() == ERROR_FILE_NOT_FOUND;
        return FolderLock(kNone, none ? State::NoLockFile : State::Failed);
    }
    if (!isRegularFile(file)) {
        CloseHandle(file);
        return FolderLock(kNone, State::Failed);
    }
    // The file is empty and nobody reads it: a lock of its first byte is the folder's lock.
    OVERLAPPED where = {};
    if (LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &where)) {
        folderLockHeld = true;
        return FolderLock(reinterpret_cast<std::intptr_t>(file), State::Held);
    }
    const DWORD error = GetLastError();
    CloseHandle(file);
    const bool withoutLocks = error == ERROR_NOT_SUPPORTED || error == ERROR_INVALID_FUNCTION;
    return FolderLock(kNone, withoutLocks ? State::NotSupported : State::Failed);
}

void FolderLock::release() {
    if (handle_ == kNone) return;
    HANDLE file = reinterpret_cast<HANDLE>(handle_);
    folderLockHeld = false;
    // Closing would free the lock too, but Windows may take its time over it.
    OVERLAPPED where = {};
    UnlockFileEx(file, 0, 1, 0, &where);
    CloseHandle(file);
    handle_ = kNone;
}

std::uint64_t millisecondsSinceStart() { return GetTickCount64(); }

LocalTime localTimeNow() {
    SYSTEMTIME local{};
    GetLocalTime(&local);
    return {local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute};
}

bool createFolder(const std::string& path) {
    const std::wstring name = wide(path);
    CreateDirectoryW(name.c_str(), nullptr);  // an existing folder is fine: checked below
    const DWORD attributes = GetFileAttributesW(name.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::optional<FileStamp> fileStamp(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(wide(path).c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
    const auto join = [](DWORD high, DWORD low) { return (std::uint64_t{high} << 32) | low; };
    return FileStamp{join(data.nFileSizeHigh, data.nFileSizeLow),
                     static_cast<std::int64_t>(join(data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime))};
}

void sleepMilliseconds(std::uint32_t milliseconds) { Sleep(milliseconds); }

}  // namespace platform
