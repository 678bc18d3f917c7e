// The platform interface: everything the suite asks of the operating system. Two files
// implement it, platform_posix.cpp and platform_windows.cpp; CMake builds the one that fits.
#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace platform {

// --- Console -------------------------------------------------------------------------------

// Once, before the first byte is written: the console streams carry bytes unchanged, and an
// interrupt (Ctrl+C, Ctrl+Break, closing the window, hang-up, termination) removes the pending
// temporary file and gives the terminal its own colours back before the program dies.
void prepareConsole();

// True when standard output is an interactive terminal (colours and clearing make sense).
bool stdoutIsTerminal();

// True when standard input and output are a console window that no other program shares: the
// program was started by a double click, and its window closes the moment it ends.
bool consoleOfOurOwn();

// Console control; callers use them only on a terminal. A Windows console gets no escape
// sequence: its attributes are set instead.
void clearScreen(std::ostream& out);
void setColour(std::ostream& out, int colour);  // 14 yellow, 15 white
// The terminal's own colours again, when a colour was set; every way out of a program ends here.
void restoreColours(std::ostream& out);

// --- Files ---------------------------------------------------------------------------------

// What reading a file found: its bytes; nothing to read (no such file, or a folder, a FIFO, a
// socket or a device in its place, none of which is ever opened in a way that could block); or
// a file that is there but could not be read for about a second (another program holds it
// without read sharing, a read error).
enum class ReadStatus { Read, Missing, Unreadable };
struct FileRead {
    ReadStatus status = ReadStatus::Missing;
    std::string bytes;
};
FileRead readFile(const std::string& path);

// True when anything (a file, a folder) has this name.
bool pathExists(const std::string& path);

// Writes bytes to a new temporary file <target>.tmp.<process number> in target's folder,
// created exclusively (a counter is added to the name when an earlier process left one),
// flushed to the disk when durable. From the moment it exists until the replace or
// clearPendingTemporary an interrupt removes it; an interrupt never removes a file that this
// process did not create. Its name comes back; on failure nothing is left and nothing comes back.
std::optional<std::string> writeTemporary(const std::string& target, const std::string& bytes, bool durable);

// How a replacement is made to survive a power cut: not at all (a file the run erases itself);
// with its folder flushed at once; or with the folder flushed by the run's next flush of it, or
// at the program's end (flushOwedFolder), when another kept file follows straight away.
enum class Durability { None, Now, WithNextFlush };

// Failed: to is as it was. Replaced: to has the new bytes. ReplacedNotDurable: to has the new
// bytes, but the flush that was to make the new name survive a power cut failed.
enum class ReplaceOutcome { Failed, Replaced, ReplacedNotDurable };

// Puts from in place of to by one atomic rename (at no moment is there no file under the name
// to) and flushes as asked; a successful rename ends the interrupt handler's claim on from.
// Retried for about a second while another program holds a file.
ReplaceOutcome replaceFile(const std::string& from, const std::string& to, Durability durability);

// Flushes the folder that replacements left unflushed (WithNextFlush). When that flush fails,
// the files it was to make durable come back (nothing when it succeeds or nothing was owed).
std::vector<std::string> flushOwedFolder();

// Erases a file; a file that is already gone is fine.
void removeFile(const std::string& path);

// The temporary file, if any, is no longer the interrupt handler's to remove.
void clearPendingTemporary();

// Removes the temporaries in the folder of file (<target>.tmp.<pid>, <target>.tmp.<pid>.<n>)
// that writers left behind: the writer's process no longer runs on this computer and, unless
// this thread holds the folder's lock (every writer of the suite holds it while its temporary
// exists, so none is at work), the temporary is more than a minute older than its target: on a
// file system without locks the folder may still be shared, and a writer on another computer
// keeps its temporary for a second or two at most.
void removeStaleTemporariesBeside(const std::string& file);

// --- Lock ----------------------------------------------------------------------------------

// The one file of the suite that is never replaced or removed: its lock is the folder's lock.
inline constexpr const char* kLockFileName = "zamek.lck";

// An exclusive lock of a tournament folder, shared by every program of the suite on every
// computer that sees the folder: a lock of the file zamek.lck in it, created empty when missing.
class FolderLock {
public:
    // Held: the lock is ours until release. NotSupported: the folder's file system has no locks
    // (the work may go on, unshared). Failed: zamek.lck cannot be made, opened or locked.
    // NoLockFile: the folder has no zamek.lck, and takeExisting made none.
    enum class State { Held, NotSupported, Failed, NoLockFile };

    FolderLock(FolderLock&& other) noexcept : handle_(other.handle_), state_(other.state_) { other.handle_ = kNone; }
    FolderLock& operator=(FolderLock&& other) noexcept {
        if (this != &other) {
            release();
            handle_ = other.handle_;
            state_ = other.state_;
            other.handle_ = kNone;
        }
        return *this;
    }
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;
    ~FolderLock() { release(); }

    // Waits for the lock of the folder that holds the file at path. A thread that holds the
    // lock already gets Held at once and nothing to release: a run works in one tournament
    // folder (and its zaloha), and the lock taken first covers every file it replaces.
    static FolderLock take(const std::string& path);
    // The same where the folder has its lock file already (los made it); a folder that has
    // none gets none, and nothing is held.
    static FolderLock takeExisting(const std::string& path);
    State state() const { return state_; }
    void release();

private:
    static constexpr std::intptr_t kNone = -1;
    // creation: whether a missing lock file is made, in the system's own terms.
    static FolderLock lockWith(const std::string& path, int creation);
    FolderLock(std::intptr_t handle, State state) : handle_(handle), state_(state) {}
    std::intptr_t handle_ = kNone;
    State state_ = State::Failed;
};

// --- Time ----------------------------------------------------------------------------------

// Milliseconds since the system started (wraps as the system's counter does).
std::uint64_t millisecondsSinceStart();

// The date and time of day on this computer's clock, in its own time zone.
struct LocalTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0;
};
LocalTime localTimeNow();

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
