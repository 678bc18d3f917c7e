// The platform interface on Windows: console modes and attributes, Win32 files opened with delete
// sharing, the replace by a rename that works while the round file is locked, LockFileEx, GetTickCount64.
//
// Replacing a locked file. The results desk stores a result as lock, re-read, write temporary,
// replace, release: the lock is held across the replace, so that no other session reads the old
// content meanwhile. A classic Windows rename cannot replace a file that is open, and the locked
// file is open (by us, and by every session waiting for the lock). So:
//  - first choice, a rename with POSIX semantics (SetFileInformationByHandle, FileRenameInfoEx,
//    replace + POSIX flags; Windows 10 1709 and later on NTFS): the new file takes the name at
//    once while the old one lives on, nameless, for the handles still open on it;
//  - where the system or the file system refuses it (older Windows, FAT, many network shares,
//    Wine), MoveFileExW with replace and write-through; and when this process holds the lock on
//    the target, the locked file is first renamed aside (allowed, since every handle on it shares
//    delete), the new file renamed in, and the old one deleted: it goes when the last handle on it
//    closes, ours at release and a waiting session's as soon as it sees the name point elsewhere.
//    The name is absent between the two renames (microseconds); an interrupt there puts the old
//    file back.
// Both are retried for about a second while another program (a reader, an editor, a virus
// scanner) holds the file.
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

#include "platform.hpp"

namespace platform {

namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
// Declared here: the headers show them only when built for Windows 10 alone.
constexpr DWORD kVirtualTerminal = 0x0004;  // ENABLE_VIRTUAL_TERMINAL_PROCESSING
constexpr auto kFileRenameInfoEx = static_cast<FILE_INFO_BY_HANDLE_CLASS>(22);
constexpr DWORD kRenameReplaceIfExists = 0x1, kRenamePosixSemantics = 0x2;
// The lock is one byte far past any round file's end: Windows locks are mandatory, and a lock
// over the content would stop every other reader, ours included.
constexpr DWORD kLockOffset = 0x7fffffff;

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
struct PendingReplace {
    wchar_t temporary[4096];
    wchar_t aside[4096];  // a locked file renamed aside, still to be given its name back
    wchar_t target[4096];
};
PendingReplace pending = {};

void copyInto(wchar_t (&buffer)[4096], const std::wstring& text) {
    const std::size_t n = std::min(text.size(), std::size(buffer) - 1);
    buffer[n] = L'\0';
    std::wmemcpy(buffer, text.data(), n);
}

// --- Console -------------------------------------------------------------------------------

HANDLE consoleOut = INVALID_HANDLE_VALUE;  // standard output, when it is a console
DWORD originalMode = 0;
WORD originalAttributes = FOREGROUND_RED | FOREGROUND_GREEN | FOREGROUND_BLUE;
enum class Drawing { Unknown, Sequences, Attributes };
Drawing drawing = Drawing::Unknown;
volatile LONG coloursSet = 0;
volatile LONG modeChanged = 0;
constexpr char kResetColours[] = "\x1b[0m";

// Escape sequences where the console takes them, the console attribute calls where it cannot.
Drawing drawingOf() {
    if (drawing == Drawing::Unknown) {
        if (consoleOut == INVALID_HANDLE_VALUE) {
            drawing = Drawing::Sequences;
        } else if (SetConsoleMode(consoleOut, originalMode | kVirtualTerminal)) {
            modeChanged = (originalMode & kVirtualTerminal) == 0;
            drawing = Drawing::Sequences;
        } else {
            drawing = Drawing::Attributes;
        }
    }
    return drawing;
}

// The attribute calls act at once: what was written before must be on the screen first.
void flushBefore(std::ostream& out) {
    out.flush();
    std::fflush(stdout);
}

void giveConsoleBack() {
    if (consoleOut != INVALID_HANDLE_VALUE) {
        if (coloursSet) SetConsoleTextAttribute(consoleOut, originalAttributes);
        if (modeChanged && SetConsoleMode(consoleOut, originalMode)) drawing = Drawing::Unknown;
    }
    coloursSet = 0;
    modeChanged = 0;
}

// Ctrl+C, Ctrl+Break, the window closed, log-off or shut-down: no temporary file left, an old
// file renamed aside given its name back, the console's own colours; then the default handler
// ends the process.
BOOL WINAPI onConsoleEvent(DWORD) {
    if (pending.aside[0] != L'\0' && !MoveFileExW(pending.aside, pending.target, 0)) DeleteFileW(pending.aside);
    if (pending.temporary[0] != L'\0') DeleteFileW(pending.temporary);
    if (coloursSet && drawing == Drawing::Sequences && consoleOut != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        WriteFile(consoleOut, kResetColours, sizeof kResetColours - 1, &written, nullptr);
    }
    giveConsoleBack();
    return FALSE;
}

// --- Files ---------------------------------------------------------------------------------

struct FileIdentity {
    DWORD volume = 0, indexHigh = 0, indexLow = 0;
    bool operator==(const FileIdentity&) const = default;
};

std::optional<FileIdentity> identityOf(HANDLE file) {
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(file, &info)) return std::nullopt;
    return FileIdentity{info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
}

std::optional<FileIdentity> identityOf(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    auto identity = identityOf(file);
    CloseHandle(file);
    return identity;
}

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
// handler remove the file while it is still open.
HANDLE createExclusive(const std::string& target, std::string& name) {
    const std::string base = target + ".tmp." + std::to_string(GetCurrentProcessId());
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = attempt == 0 ? base : base + "." + std::to_string(attempt);
        HANDLE file = CreateFileW(wide(name).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                  CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        const DWORD error = GetLastError();
        if (file != INVALID_HANDLE_VALUE || (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS))
            return file;
    }
    return INVALID_HANDLE_VALUE;
}

// --- Replacing -----------------------------------------------------------------------------

// The locks this process holds, so that a replace knows when the target is its own locked file.
HANDLE heldLocks[8] = {};

bool lockedHere(const std::wstring& path) {
    auto target = identityOf(path);
    if (!target) return false;
    for (HANDLE held : heldLocks)
        if (held != nullptr && identityOf(held) == target) return true;
    return false;
}

// Another program has the file open for a moment, or for as long as an editor keeps it.
bool mayPass(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED || error == ERROR_LOCK_VIOLATION;
}

// The system or its file system has no rename with POSIX semantics.
bool unsupported(DWORD error) {
    return error == ERROR_INVALID_PARAMETER || error == ERROR_NOT_SUPPORTED || error == ERROR_INVALID_FUNCTION ||
           error == ERROR_CALL_NOT_IMPLEMENTED || error == ERROR_INVALID_LEVEL;
}

// The rename through the temporary's own handle; a flush of that handle after it puts the new
// name on the disk as well. 0 or the error.
DWORD renamePosix(const std::wstring& from, const std::wstring& to, bool durable) {
    HANDLE file = openExisting(from, DELETE | SYNCHRONIZE | (durable ? GENERIC_WRITE : 0));
    if (file == INVALID_HANDLE_VALUE) return GetLastError();
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
    DWORD error = 0;
    if (!SetFileInformationByHandle(file, kFileRenameInfoEx, info, static_cast<DWORD>(buffer.size())))
        error = GetLastError();
    else if (durable && !FlushFileBuffers(file))
        error = GetLastError();
    CloseHandle(file);
    return error;
}

// Our locked file renamed aside, the new one renamed in, the old one deleted (see the top).
DWORD replaceHeldFile(const std::wstring& from, const std::wstring& to, bool durable) {
    const std::wstring base = to + L".old." + std::to_wstring(GetCurrentProcessId());
    std::wstring aside;
    DWORD error = ERROR_ALREADY_EXISTS;
    for (int attempt = 0; attempt < 100 && (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS); ++attempt) {
        aside = attempt == 0 ? base : base + L"." + std::to_wstring(attempt);
        copyInto(pending.target, to);
        copyInto(pending.aside, aside);
        error = MoveFileExW(to.c_str(), aside.c_str(), 0) ? 0 : GetLastError();
        if (error != 0) pending.aside[0] = L'\0';
    }
    if (error != 0) return error;
    if (!MoveFileExW(from.c_str(), to.c_str(), durable ? MOVEFILE_WRITE_THROUGH : 0)) {
        error = GetLastError();
        MoveFileExW(aside.c_str(), to.c_str(), 0);
        pending.aside[0] = L'\0';
        return error;
    }
    pending.aside[0] = L'\0';
    DeleteFileW(aside.c_str());
    return 0;
}

DWORD renameClassic(const std::wstring& from, const std::wstring& to, bool durable) {
    if (lockedHere(to)) return replaceHeldFile(from, to, durable);
    const DWORD flags = MOVEFILE_REPLACE_EXISTING | (durable ? MOVEFILE_WRITE_THROUGH : 0);
    return MoveFileExW(from.c_str(), to.c_str(), flags) ? 0 : GetLastError();
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
    if (GetConsoleMode(out, &originalMode) && GetConsoleScreenBufferInfo(out, &info)) {
        consoleOut = out;
        originalAttributes = info.wAttributes;
    }
    SetConsoleCtrlHandler(onConsoleEvent, TRUE);
}

bool stdoutIsTerminal() {
    DWORD mode = 0;
    return GetConsoleMode(GetStdHandle(STD_OUTPUT_HANDLE), &mode) != 0;
}

void clearScreen(std::ostream& out) {
    if (drawingOf() == Drawing::Sequences) {
        out << "\x1b[2J\x1b[H";
        return;
    }
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
    coloursSet = 1;
    if (drawingOf() == Drawing::Sequences) {
        // 14 and 15 are the bright yellow and bright white of the text console.
        out << (colour == 14 ? "\x1b[93m" : "\x1b[97m");
        return;
    }
    flushBefore(out);
    // The foreground alone: the background stays the console's own.
    SetConsoleTextAttribute(consoleOut, static_cast<WORD>((originalAttributes & 0xF0) | (colour & 0x0F)));
}

void restoreColours(std::ostream& out) {
    if (coloursSet && drawing == Drawing::Sequences) out << kResetColours;
    // The attributes of the start, which need not be the console's defaults that the reset gives.
    flushBefore(out);
    giveConsoleBack();
}

std::optional<std::string> readFile(const std::string& path) {
    HANDLE file = openExisting(wide(path), GENERIC_READ);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    std::optional<std::string> content;
    if (isRegularFile(file)) {
        // Read to the end whatever the size said: the file may grow meanwhile.
        LARGE_INTEGER size{};
        GetFileSizeEx(file, &size);
        std::string bytes(static_cast<std::size_t>(size.QuadPart) + 1, '\0');
        std::size_t done = 0;
        for (;;) {
            if (done == bytes.size()) bytes.resize(bytes.size() * 2);
            const DWORD want = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
            DWORD got = 0;
            if (!ReadFile(file, bytes.data() + done, want, &got, nullptr)) break;
            if (got == 0) {
                bytes.resize(done);
                content = std::move(bytes);
                break;
            }
            done += got;
        }
    }
    CloseHandle(file);
    return content;
}

std::optional<std::string> writeTemporary(const std::string& target, const std::string& bytes, bool durable) {
    std::string name;
    HANDLE file = createExclusive(target, name);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    copyInto(pending.temporary, wide(name));
    bool ok = writeAll(file, bytes);
    if (durable) ok = FlushFileBuffers(file) && ok;
    ok = CloseHandle(file) && ok;
    if (ok) return name;
    DeleteFileW(wide(name).c_str());
    clearPendingTemporary();
    return std::nullopt;
}

bool replaceFile(const std::string& from, const std::string& to, Durability durability) {
    // A replacement is written through at once: Windows has no flush of a folder to put off.
    const bool durable = durability != Durability::None;
    const std::wstring source = wide(from), target = wide(to);
    const ULONGLONG start = GetTickCount64();
    for (;;) {
        DWORD error = ERROR_INVALID_PARAMETER;
        if (!posixRenameRefused) {
            error = renamePosix(source, target, durable);
            posixRenameRefused = unsupported(error);
        }
        if (posixRenameRefused) error = renameClassic(source, target, durable);
        if (error == 0) return true;
        if (!mayPass(error) || GetTickCount64() - start >= 1000) return false;
        Sleep(50);
    }
}

bool flushOwedFolder() { return true; }

void removeFile(const std::string& path) { DeleteFileW(wide(path).c_str()); }

void clearPendingTemporary() { pending.temporary[0] = L'\0'; }

std::optional<FileLock> FileLock::take(const std::string& path) {
    const std::wstring name = wide(path);
    for (;;) {
        HANDLE file = openExisting(name, GENERIC_READ);
        if (file == INVALID_HANDLE_VALUE) return std::nullopt;
        if (!isRegularFile(file)) {
            CloseHandle(file);
            return std::nullopt;
        }
        OVERLAPPED where = {};
        where.Offset = kLockOffset;
        // A file system without locks still gets its file written; it just cannot be shared.
        LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &where);
        const auto held = identityOf(file);
        const auto named = identityOf(name);
        if (!named) {
            CloseHandle(file);
            return std::nullopt;
        }
        if (held == named) {
            for (HANDLE& slot : heldLocks)
                if (slot == nullptr) {
                    slot = file;
                    break;
                }
            return FileLock(reinterpret_cast<std::intptr_t>(file));
        }
        // The file was replaced while we waited: lock the one the name points to now.
        CloseHandle(file);
    }
}

void FileLock::release() {
    if (handle_ == kNone) return;
    HANDLE file = reinterpret_cast<HANDLE>(handle_);
    for (HANDLE& slot : heldLocks)
        if (slot == file) slot = nullptr;
    // Closing would free the lock too, but Windows may take its time over it.
    OVERLAPPED where = {};
    where.Offset = kLockOffset;
    UnlockFileEx(file, 0, 1, 0, &where);
    CloseHandle(file);
    handle_ = kNone;
}

std::uint64_t millisecondsSinceStart() { return GetTickCount64(); }

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
