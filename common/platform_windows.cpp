// The platform interface on Windows: console attributes, Win32 files opened with every
// sharing, the replace by one rename, LockFileEx on the folder's lock file, GetTickCount64.
//
// Replacing a file: the lock is on zamek.lck, a file never replaced, so a round file is open
// only while a program reads it. The replace is one rename:
//  - first choice, a rename with POSIX semantics (SetFileInformationByHandle, FileRenameInfoEx,
//    replace + POSIX flags; Windows 10 1709 and later on NTFS), which replaces a file that a
//    reader has open;
//  - where the system or the file system refuses it (older Windows, FAT and exFAT, many network
//    shares, Wine), MoveFileExW with replace and write-through, then the file flushed again
//    under its new name.
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
#include "windows_command_line.hpp"

namespace platform {

namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
// Declared here: the headers show them only when built for Windows 10 alone.
constexpr auto kFileRenameInfoEx = static_cast<FILE_INFO_BY_HANDLE_CLASS>(22);
constexpr DWORD kRenameReplaceIfExists = 0x1, kRenamePosixSemantics = 0x2;
// A file that cannot be read or replaced now is tried again for about a second.
constexpr ULONGLONG kPatienceMs = 1000;
constexpr std::uint32_t kRetryPauseMs = 50;
// File times count 100-nanosecond units.
constexpr std::uint64_t kTicksPerSecond = 10000000ull;

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

// Fixed buffers: the console handler runs on a thread of its own while the program goes on.
// The guard makes a temporary and its registration come and go together: the handler waits
// while a temporary is being created or renamed, and never lets go (the process ends).
constexpr std::size_t kPathChars = 4096;
wchar_t pendingTemporary[kPathChars] = {};
wchar_t markedFiles[kMarkedFiles][kPathChars] = {};
std::size_t markedCount = 0;
SRWLOCK pendingGuard = SRWLOCK_INIT;

// A name too long for the buffer is not registered: cut short, it could be another file's.
bool copyInto(wchar_t (&buffer)[kPathChars], const std::wstring& text) {
    if (text.size() >= kPathChars) return false;
    std::wmemcpy(buffer, text.c_str(), text.size() + 1);
    return true;
}

// Called with the guard held.
void deleteMarked() {
    for (std::size_t i = 0; i < markedCount; ++i) DeleteFileW(markedFiles[i]);
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
    deleteMarked();
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

// This computer as temporary names give it.
const std::string& ourComputer() {
    static const std::string token = computerToken(computerName());
    return token;
}

// A name beside target that no other writer uses: the process number, and a counter for the
// rare leftover of an earlier process with the same number. Delete sharing lets the console
// handler remove the file while it is still open. The file is registered for the handler as it
// comes into being, and only when this call created it.
HANDLE createExclusive(const std::string& target, std::string& name) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = temporaryName(target, ourComputer(), GetCurrentProcessId(), attempt);
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

// Write-through is only asked for (Wine and some file systems ignore it): the file is flushed
// again through a handle of its own under its new name, which writes its directory entry on
// FAT and exFAT as well.
Rename renameClassic(const std::wstring& from, const std::wstring& to, bool durable) {
    const DWORD flags = MOVEFILE_REPLACE_EXISTING | (durable ? MOVEFILE_WRITE_THROUGH : 0);
    if (!MoveFileExW(from.c_str(), to.c_str(), flags)) return {GetLastError(), false};
    if (!durable) return {};
    HANDLE file = openExisting(to, GENERIC_WRITE);
    Rename result{0, file != INVALID_HANDLE_VALUE && FlushFileBuffers(file)};
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    return result;
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

std::optional<std::string> environmentVariable(const char* name) {
    const std::wstring wideName = wide(name);
    const DWORD size = GetEnvironmentVariableW(wideName.c_str(), nullptr, 0);
    if (size == 0) return std::nullopt;  // not set (an empty value still has room for its end)
    std::wstring value(size, L'\0');
    value.resize(GetEnvironmentVariableW(wideName.c_str(), value.data(), size));
    return narrow(value);
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

void writeConsoleText(std::ostream& out, std::string_view utf8) {
    flushBefore(out);
    const std::wstring text = wide(std::string(utf8));
    DWORD written = 0;
    if (consoleOut == INVALID_HANDLE_VALUE ||
        !WriteConsoleW(consoleOut, text.data(), static_cast<DWORD>(text.size()), &written, nullptr))
        out << utf8;
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

void markForRemoval(const std::string& path) {
    AcquireSRWLockExclusive(&pendingGuard);
    if (markedCount < kMarkedFiles && copyInto(markedFiles[markedCount], wide(path))) ++markedCount;
    ReleaseSRWLockExclusive(&pendingGuard);
}

void removeMarkedFiles() {
    AcquireSRWLockExclusive(&pendingGuard);
    deleteMarked();
    ReleaseSRWLockExclusive(&pendingGuard);
}

std::vector<std::string> folderEntries(const std::string& folder) {
    std::vector<std::string> names;
    const DWORD attributes = GetFileAttributesW(wide(folder).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 ||
        (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0)
        return names;
    WIN32_FIND_DATAW found;
    HANDLE listing = FindFirstFileW(wide(folder + "\\*").c_str(), &found);
    if (listing == INVALID_HANDLE_VALUE) return names;
    do {
        const std::string name = narrow(found.cFileName);
        if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileW(listing, &found));
    FindClose(listing);
    return names;
}

std::optional<std::int64_t> plainFileAge(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    constexpr DWORD kNotPlain = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE;
    if (!GetFileAttributesExW(wide(path).c_str(), GetFileExInfoStandard, &data) || (data.dwFileAttributes & kNotPlain) != 0)
        return std::nullopt;
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    const std::uint64_t written = ticksOf(data.ftLastWriteTime), current = ticksOf(now);
    return current > written ? static_cast<std::int64_t>((current - written) / kTicksPerSecond) : 0;
}

bool processRuns(std::uint32_t pid) {
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
    if (process == nullptr) return GetLastError() != ERROR_INVALID_PARAMETER;  // denied: it runs
    const bool runs = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
    CloseHandle(process);
    return runs;
}

std::string computerName() {
    wchar_t name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
    return GetComputerNameW(name, &size) ? narrow(std::wstring(name, size)) : std::string();
}

LockAttempt tryLock(const std::string& lockFile) {
    // Made with the folder's inherited rights: whoever may write the folder may lock the file.
    // Made only where the name is free, never through a link (Wine follows a dangling one).
    const std::wstring name = wide(lockFile);
    const auto open = [&](DWORD disposition) {
        return CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, kShareAll, nullptr, disposition,
                           FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    };
    HANDLE file = open(CREATE_NEW);
    if (file == INVALID_HANDLE_VALUE && (GetLastError() == ERROR_FILE_EXISTS || GetLastError() == ERROR_ALREADY_EXISTS)) {
        file = open(OPEN_EXISTING);
        if (file == INVALID_HANDLE_VALUE && nothingThere(GetLastError())) return {LockTry::Link};  // a name that leads nowhere
    }
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError(), attributes = GetFileAttributesW(name.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) return {LockTry::Link};
        const bool plainFile = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
        return {error == ERROR_ACCESS_DENIED && plainFile ? LockTry::OtherAccount : LockTry::Failed};
    }
    BY_HANDLE_FILE_INFORMATION info;
    const bool link = GetFileInformationByHandle(file, &info) && (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    if (link || !isRegularFile(file)) {
        CloseHandle(file);
        return {link ? LockTry::Link : LockTry::Failed};
    }
    // A lock of the first byte is the folder's lock: only its holder reads or writes the file.
    OVERLAPPED where = {};
    if (LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &where))
        return {LockTry::Held, reinterpret_cast<std::intptr_t>(file)};
    const DWORD error = GetLastError();
    CloseHandle(file);
    if (error == ERROR_LOCK_VIOLATION || error == ERROR_IO_PENDING) return {LockTry::Busy};
    const bool withoutLocks = error == ERROR_NOT_SUPPORTED || error == ERROR_INVALID_FUNCTION;
    return {withoutLocks ? LockTry::NotSupported : LockTry::Failed};
}

void releaseLock(std::intptr_t handle) {
    HANDLE file = reinterpret_cast<HANDLE>(handle);
    // Closing would free the lock too, but Windows may take its time over it.
    OVERLAPPED where = {};
    UnlockFileEx(file, 0, 1, 0, &where);
    CloseHandle(file);
}

std::optional<std::string> readLockFile(std::intptr_t handle) {
    HANDLE file = reinterpret_cast<HANDLE>(handle);
    std::string bytes;
    if (!SetFilePointerEx(file, LARGE_INTEGER{}, nullptr, FILE_BEGIN) || !readAll(file, bytes)) return std::nullopt;
    return bytes;
}

bool writeLockFile(std::intptr_t handle, const std::string& bytes) {
    HANDLE file = reinterpret_cast<HANDLE>(handle);
    return SetFilePointerEx(file, LARGE_INTEGER{}, nullptr, FILE_BEGIN) && writeAll(file, bytes) && SetEndOfFile(file);
}

std::uint64_t millisecondsSinceStart() { return GetTickCount64(); }

LocalTime localTimeNow() {
    SYSTEMTIME local{};
    GetLocalTime(&local);
    return {local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute};
}

FolderState createFolder(const std::string& path) {
    const std::wstring name = wide(path);
    CreateDirectoryW(name.c_str(), nullptr);  // an existing folder is fine: checked below
    const DWORD attributes = GetFileAttributesW(name.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return FolderState::Failed;
    if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) return FolderState::Link;  // a link or a junction
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? FolderState::Ready : FolderState::NotFolder;
}

// Opened for its attributes alone, which no other program's sharing refuses.
std::optional<FileStamp> fileStamp(const std::string& path) {
    HANDLE file = CreateFileW(wide(path).c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                              FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    BY_HANDLE_FILE_INFORMATION info{};
    FILE_BASIC_INFO times{};
    const bool known = GetFileInformationByHandle(file, &info) &&
                       GetFileInformationByHandleEx(file, FileBasicInfo, &times, sizeof times);
    CloseHandle(file);
    if (!known) return std::nullopt;
    const auto join = [](DWORD high, DWORD low) { return (std::uint64_t{high} << 32) | low; };
    return FileStamp{info.dwVolumeSerialNumber, join(info.nFileIndexHigh, info.nFileIndexLow),
                     join(info.nFileSizeHigh, info.nFileSizeLow), times.LastWriteTime.QuadPart, times.ChangeTime.QuadPart};
}

void sleepMilliseconds(std::uint32_t milliseconds) { Sleep(milliseconds); }

namespace {

std::wstring commandLineOf(const std::wstring& program, const std::vector<std::string>& arguments) {
    std::wstring line = quotedArgument(program);
    for (const auto& argument : arguments) line += L" " + quotedArgument(wide(argument));
    return line;
}

bool isFile(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// name.exe in the system folder, else in the first absolute folder of the PATH that has it: the
// current folder and our own (a shared tournament folder) are never searched.
std::wstring systemProgram(const std::string& name) {
    const std::wstring file = L"\\" + wide(name) + L".exe";
    wchar_t folder[MAX_PATH];
    const UINT n = GetSystemDirectoryW(folder, MAX_PATH);
    if (n > 0 && n < MAX_PATH && isFile(folder + file)) return folder + file;
    const DWORD size = GetEnvironmentVariableW(L"PATH", nullptr, 0);
    std::wstring path(size, L'\0');
    path.resize(GetEnvironmentVariableW(L"PATH", path.data(), size));
    for (std::size_t start = 0; start <= path.size();) {
        std::size_t end = path.find(L';', start);
        if (end == std::wstring::npos) end = path.size();
        const std::wstring entry = path.substr(start, end - start);
        const bool absolute = entry.size() > 2 && (entry[1] == L':' || (entry[0] == L'\\' && entry[1] == L'\\'));
        if (absolute && isFile(entry + file)) return entry + file;
        start = end + 1;
    }
    return {};
}

// The program with these standard streams, which it inherits; its process, or nothing. An
// interrupt of ours ends it too: it shares our console, which gives it the same Ctrl+C,
// Ctrl+Break or close.
HANDLE startProcess(const std::wstring& program, const std::vector<std::string>& arguments, HANDLE in, HANDLE out,
                    HANDLE error) {
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = in;
    startup.hStdOutput = out;
    startup.hStdError = error;
    std::wstring line = commandLineOf(program, arguments);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process))
        return nullptr;
    CloseHandle(process.hThread);
    return process.hProcess;
}

int exitCodeOnceEnded(HANDLE process) {
    WaitForSingleObject(process, INFINITE);
    DWORD code = 1;
    GetExitCodeProcess(process, &code);
    CloseHandle(process);
    return static_cast<int>(code);
}

struct InputFeed {
    HANDLE pipe;
    const std::string* bytes;
};

// On a thread of its own, so that neither program waits for the other with a full pipe.
DWORD WINAPI feedInput(void* argument) {
    const auto* feed = static_cast<const InputFeed*>(argument);
    writeAll(feed->pipe, *feed->bytes);
    CloseHandle(feed->pipe);
    return 0;
}

std::string readToEnd(HANDLE pipe) {
    std::string output;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(pipe, buffer, sizeof buffer, &got, nullptr) && got > 0) output.append(buffer, got);
    return output;
}

}  // namespace

ProgramRun runSystemProgram(const std::string& name, const std::vector<std::string>& arguments,
                            const std::string& input) {
    const std::wstring program = systemProgram(name);
    if (program.empty()) return {};
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE inRead, inWrite, outRead, outWrite;
    if (!CreatePipe(&inRead, &inWrite, &inherit, 0)) return {};
    if (!CreatePipe(&outRead, &outWrite, &inherit, 0)) {
        CloseHandle(inRead);
        CloseHandle(inWrite);
        return {};
    }
    SetHandleInformation(inWrite, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0);
    HANDLE nowhere = CreateFileW(L"NUL", GENERIC_WRITE, kShareAll, &inherit, OPEN_EXISTING, 0, nullptr);
    HANDLE process = startProcess(program, arguments, inRead, outWrite, nowhere);
    for (HANDLE childEnd : {inRead, outWrite, nowhere})
        if (childEnd != INVALID_HANDLE_VALUE) CloseHandle(childEnd);
    if (process == nullptr) {
        CloseHandle(inWrite);
        CloseHandle(outRead);
        return {};
    }
    InputFeed feed{inWrite, &input};
    HANDLE feeder = CreateThread(nullptr, 0, feedInput, &feed, 0, nullptr);
    if (feeder == nullptr) feedInput(&feed);
    ProgramRun run;
    run.output = readToEnd(outRead);
    CloseHandle(outRead);
    if (feeder != nullptr) {
        WaitForSingleObject(feeder, INFINITE);
        CloseHandle(feeder);
    }
    run.exitCode = exitCodeOnceEnded(process);
    run.started = true;
    return run;
}

std::optional<int> runThisProgramAgain(const std::vector<std::string>& arguments) {
    std::wstring program(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, program.data(), static_cast<DWORD>(program.size()));
        if (n == 0) return std::nullopt;
        if (n < program.size()) {
            program.resize(n);
            break;
        }
        program.resize(program.size() * 2);
    }
    const HANDLE streams[] = {GetStdHandle(STD_INPUT_HANDLE), GetStdHandle(STD_OUTPUT_HANDLE),
                              GetStdHandle(STD_ERROR_HANDLE)};
    for (HANDLE stream : streams) SetHandleInformation(stream, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
    HANDLE process = startProcess(program, arguments, streams[0], streams[1], streams[2]);
    if (process == nullptr) return std::nullopt;
    return exitCodeOnceEnded(process);
}

std::vector<std::string> filesInFolder(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW found;
    HANDLE listing = FindFirstFileW(wide(folder + "\\*").c_str(), &found);
    if (listing == INVALID_HANDLE_VALUE) return names;
    do {
        const DWORD notPlain = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE;
        if ((found.dwFileAttributes & notPlain) == 0) names.push_back(narrow(found.cFileName));
    } while (FindNextFileW(listing, &found));
    FindClose(listing);
    return names;
}

}  // namespace platform
