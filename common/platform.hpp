// The platform interface: everything the suite asks of the operating system. Two files
// implement it, platform_posix.cpp and platform_windows.cpp; CMake builds the one that fits.
#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>

namespace platform {

// --- Console -------------------------------------------------------------------------------

// Once, before the first byte is written: the console streams carry bytes unchanged, and an
// interrupt (Ctrl+C, Ctrl+Break, closing the window, hang-up, termination) removes the pending
// temporary file and gives the terminal its own colours back before the program dies.
void prepareConsole();

// True when standard output is an interactive terminal (colours and clearing make sense).
bool stdoutIsTerminal();

// Console control; callers use them only on a terminal.
void clearScreen(std::ostream& out);
void setColour(std::ostream& out, int colour);  // 14 yellow, 15 white
// The terminal's own colours again, when a colour was set; every way out of a program ends here.
void restoreColours(std::ostream& out);

// --- Files ---------------------------------------------------------------------------------

// The whole content of a readable regular file; nothing for a missing file, a folder or
// anything else that is not a readable regular file.
std::optional<std::string> readFile(const std::string& path);

// Writes bytes to a new temporary file in target's folder, created exclusively under a name of
// this writer's own, flushed to the disk when durable. Until clearPendingTemporary an interrupt
// removes it. Its name comes back; on failure nothing is left and nothing comes back.
std::optional<std::string> writeTemporary(const std::string& target, const std::string& bytes, bool durable);

// How a replacement is made to survive a power cut: not at all (a file the run erases itself);
// with its folder flushed at once; or with the folder flushed by the run's next flush of it, or
// at the program's end (flushOwedFolder), when another kept file follows straight away.
enum class Durability { None, Now, WithNextFlush };

// Puts from in place of to (replacing to) and flushes the folder as asked; false when either
// fails. A file held open by another program may make the replacement fail.
bool replaceFile(const std::string& from, const std::string& to, Durability durability);

// Flushes the folder that a replacement left unflushed (WithNextFlush); false when that fails.
bool flushOwedFolder();

// Erases a file; a file that is already gone is fine.
void removeFile(const std::string& path);

// The temporary file, if any, is no longer the interrupt handler's to remove.
void clearPendingTemporary();

// --- Locks ---------------------------------------------------------------------------------

// An exclusive lock on an existing file, shared by every program of the suite on any computer
// that sees the folder. Replacing the file under the lock puts a new file under the name, so
// the lock is taken again until it holds the file the name points to. No file is created.
class FileLock {
public:
    FileLock() = default;
    FileLock(FileLock&& other) noexcept : handle_(other.handle_) { other.handle_ = kNone; }
    FileLock& operator=(FileLock&& other) noexcept {
        if (this != &other) {
            release();
            handle_ = other.handle_;
            other.handle_ = kNone;
        }
        return *this;
    }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    ~FileLock() { release(); }

    // Waits for the lock of the file at path; nothing when there is no such regular file.
    static std::optional<FileLock> take(const std::string& path);
    void release();

private:
    static constexpr std::intptr_t kNone = -1;
    explicit FileLock(std::intptr_t handle) : handle_(handle) {}
    std::intptr_t handle_ = kNone;
};

// --- Time ----------------------------------------------------------------------------------

// Milliseconds since the system started (wraps as the system's counter does).
std::uint64_t millisecondsSinceStart();

// --- Folders and watching files ------------------------------------------------------------

// Creates the folder when it is missing (its parent must exist); true when the folder exists
// afterwards.
bool createFolder(const std::string& path);

// What tells that a file changed: its size and its modification time (in the system's units).
struct FileStamp {
    std::uint64_t size = 0;
    std::int64_t modified = 0;
    bool operator==(const FileStamp&) const = default;
};

// The stamp of a file; nothing when there is no such file.
std::optional<FileStamp> fileStamp(const std::string& path);

// Waits this long; an interrupt still ends the program meanwhile.
void sleepMilliseconds(std::uint32_t milliseconds);

}  // namespace platform
