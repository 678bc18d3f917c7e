// The platform interface: everything the suite asks of the operating system. Two files
// implement it, platform_posix.cpp and platform_windows.cpp; CMake builds the one that fits.
#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// --- Console -------------------------------------------------------------------------------

// Once, before the first byte is written: the console streams carry bytes unchanged, and an
// interrupt (Ctrl+C, Ctrl+Break, closing the window, hang-up, termination) removes the pending
// temporary file and the files marked for removal and gives the terminal its own colours back
// before the program dies.
void prepareConsole();

// True when standard output is an interactive terminal (colours and clearing make sense).
bool stdoutIsTerminal();

// The value of an environment variable; nothing when it is not set.
std::optional<std::string> environmentVariable(const char* name);

// True when standard input and output are a console window that no other program shares: the
// program was started by a double click, and its window closes the moment it ends.
bool consoleOfOurOwn();

// Console control; callers use them only on a terminal. A Windows console gets no escape
// sequence: its attributes are set instead.
void clearScreen(std::ostream& out);
// 14 yellow, 15 the normal text: white on a Windows console, the terminal's own default colour
// elsewhere (a light terminal shows it dark).
void setColour(std::ostream& out, int colour);
// UTF-8 text in the console's own encoding: on Windows by the console's wide-character call;
// elsewhere in the locale's (LC_ALL, LC_CTYPE or LANG): UTF-8 as it is, any other with "?" for
// every character beyond ASCII.
void writeConsoleText(std::ostream& out, std::string_view utf8);
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

// Writes bytes to a new temporary file beside target, named as temporary_names.hpp makes them
// (this computer, this process, and a counter when an earlier process left that name), created
// exclusively, flushed to the disk when durable. From the moment it exists until the replace or
// clearPendingTemporary an interrupt removes it; an interrupt never
// removes a file that this process did not create. Its name comes back; on failure nothing is
// left and nothing comes back.
std::optional<std::string> writeTemporary(const std::string& target, const std::string& bytes, bool durable);

// How a replacement is made to survive a power cut: not at all (a file the run erases itself);
// flushed at once; or flushed by the run's next flush of its folder, or at the program's end
// (flushOwedFolder), when another kept file follows straight away. Flushed means: the file
// under its new name (on FAT and exFAT that writes its directory entry), then its folder.
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

// A file an interrupt removes, and removeMarkedFiles (a stop of the program); at most
// kMarkedFiles of them, each named whole (a name cut short could be another file's).
inline constexpr std::size_t kMarkedFiles = 4;
void markForRemoval(const std::string& path);
void removeMarkedFiles();

// The temporary file, if any, is no longer the interrupt handler's to remove: it was removed,
// or it is kept as the only complete copy of what it holds.
void clearPendingTemporary();

// --- What the sweep of leftovers asks -------------------------------------------------------

// The names in a folder (not . and ..); nothing when it cannot be listed or is a link.
std::vector<std::string> folderEntries(const std::string& folder);
// Seconds since a plain file was last written (0 when its time is ahead of this computer's
// clock); nothing for anything else (no such file, a link, a folder, a device).
std::optional<std::int64_t> plainFileAge(const std::string& path);
// Whether a process with this number runs on this computer.
bool processRuns(std::uint32_t process);
// This computer's network name, as the system gives it.
std::string computerName();

// --- Lock ----------------------------------------------------------------------------------

// The one file of the suite that is never replaced or removed: its lock is the folder's lock.
inline constexpr const char* kLockFileName = "zamek.lck";

// One try at the exclusive lock of a lock file, shared by every program of the suite on every
// computer that sees the folder. The file is created when missing, so that every account that
// may write the folder may lock it. Held: the handle is ours until releaseLock. Busy: another
// program holds it. NotSupported: the file system has no locks. OtherAccount: the file exists but
// this account may not open it for locking. Link: the name is a link (never followed).
// Failed: anything else (a read-only folder, a folder in its place).
enum class LockTry { Held, Busy, NotSupported, OtherAccount, Link, Failed };
struct LockAttempt {
    LockTry result = LockTry::Failed;
    std::intptr_t handle = -1;
};
LockAttempt tryLock(const std::string& lockFile);
void releaseLock(std::intptr_t handle);
// The lock file's bytes, read through the held handle; nothing when they cannot be read.
std::optional<std::string> readLockFile(std::intptr_t handle);
// Replaces the lock file's bytes in place through the held handle (the file is never replaced:
// its lock is the folder's); false when that failed. Not flushed: a network client writes them
// back before it gives the lock up, and a record that a power cut lost or tore reads as none.
bool writeLockFile(std::intptr_t handle, const std::string& bytes);

// --- Time ----------------------------------------------------------------------------------

// Milliseconds since the system started (wraps as the system's counter does).
std::uint64_t millisecondsSinceStart();

// The date and time of day on this computer's clock, in its own time zone.
struct LocalTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0;
};
LocalTime localTimeNow();

// --- Folders and watching files ------------------------------------------------------------

// Creates the folder when it is missing (its parent must exist). Ready: a folder of its own is
// there. Link: the name is a link (to a folder or not), never followed. NotFolder: a file has the
// name. Failed: it could not be made.
enum class FolderState { Ready, Link, NotFolder, Failed };
FolderState createFolder(const std::string& path);

// What tells that a file changed: which file it is (every replace of the suite is a rename, so
// a new file under the old name), its size, its modification time, and the time of its last
// change of any kind, which no program can set back (in the system's units).
struct FileStamp {
    std::uint64_t volume = 0, file = 0;
    std::uint64_t size = 0;
    std::int64_t modified = 0, changed = 0;
    bool operator==(const FileStamp&) const = default;
};

// The stamp of a file; nothing when there is no such file.
std::optional<FileStamp> fileStamp(const std::string& path);

// Waits this long; an interrupt still ends the program meanwhile.
void sleepMilliseconds(std::uint32_t milliseconds);

// --- Other programs, the clock, folder listings (publishing the site) ----------------------

// What a program that the suite ran did: whether it started at all, and its exit code (on
// POSIX 128 + the signal that ended it) and standard output.
struct ProgramRun {
    bool started = false;
    int exitCode = 0;
    std::string output;
};

// Runs a program of the system (curl), found on the PATH; on Windows the system's own copy
// first, and never one that lies in the current folder or beside our program. It gets input
// on its standard input (what no other user may see goes there: every user of the computer
// can read the arguments), its standard output comes back and its standard error goes
// nowhere. Waits for it; an interrupt of this program ends it too.
ProgramRun runSystemProgram(const std::string& name, const std::vector<std::string>& arguments,
                            const std::string& input);

// Runs this program's own executable again with these arguments on the same console streams
// and waits for it: its exit code, or nothing when it could not start. An interrupt of this
// program ends it too.
std::optional<int> runThisProgramAgain(const std::vector<std::string>& arguments);

// The names of the regular files in a folder (no folders, links or devices), in no particular
// order; none when the folder cannot be listed.
std::vector<std::string> filesInFolder(const std::string& folder);

}  // namespace platform
