// The platform interface on Linux and other POSIX systems: ANSI sequences on the terminal,
// open/fsync/rename for files, open-file-description locks, signals for interrupts, CLOCK_BOOTTIME.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "platform.hpp"
#include "temporary_names.hpp"

namespace platform {

namespace {

// Fixed buffer so that the interrupt handler touches no heap.
char pendingTemporary[4096] = {0};
volatile std::sig_atomic_t coloursSet = 0;
constexpr char kResetColours[] = "\x1b[0m";
// A file that cannot be read or replaced now is tried again for about a second.
constexpr std::uint64_t kPatienceMs = 1000;
constexpr std::uint32_t kRetryPauseMs = 50;
// A temporary this much older than its target was left by a writer that is gone.
constexpr time_t kStaleSeconds = 60;
// A lock of the open file itself, not of the process: NFS and CIFS pass it on to the server,
// and two sessions in one process exclude each other. Systems without it get the process lock.
#ifdef F_OFD_SETLKW
constexpr int kWaitForLock = F_OFD_SETLKW;
#else
constexpr int kWaitForLock = F_SETLKW;
#endif

extern "C" void removePendingAndDie(int signalNumber) {
    if (pendingTemporary[0] != '\0') unlink(pendingTemporary);
    if (coloursSet) {
        ssize_t ignored = write(STDOUT_FILENO, kResetColours, sizeof kResetColours - 1);
        (void)ignored;
    }
    std::signal(signalNumber, SIG_DFL);
    std::raise(signalNumber);
}

void setPendingTemporary(const std::string& path) {
    std::size_t n = std::min(path.size(), sizeof pendingTemporary - 1);
    pendingTemporary[n] = '\0';
    std::memcpy(pendingTemporary, path.data(), n);
}

// Holds back the interrupts that remove the pending temporary for as long as it lives: a file
// and its registration for removal then come and go together.
class InterruptsHeld {
public:
    InterruptsHeld() {
        sigset_t interrupts;
        sigemptyset(&interrupts);
        for (int signalNumber : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&interrupts, signalNumber);
        sigprocmask(SIG_BLOCK, &interrupts, &before_);
    }
    ~InterruptsHeld() { sigprocmask(SIG_SETMASK, &before_, nullptr); }
    InterruptsHeld(const InterruptsHeld&) = delete;
    InterruptsHeld& operator=(const InterruptsHeld&) = delete;

private:
    sigset_t before_{};
};

bool writeAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Reads to the end whatever the size said: the file may grow meanwhile.
bool readAll(int fd, std::size_t sizeHint, std::string& bytes) {
    bytes.assign(sizeHint + 1, '\0');
    std::size_t done = 0;
    for (;;) {
        if (done == bytes.size()) bytes.resize(bytes.size() * 2);
        ssize_t n = read(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) break;
        done += static_cast<std::size_t>(n);
    }
    bytes.resize(done);
    return true;
}

// The errors that say there is no such file, as against one that is there but unreadable.
bool nothingThere(int error) { return error == ENOENT || error == ENOTDIR || error == ENAMETOOLONG || error == ELOOP; }

// A FIFO, a socket or a device is never opened: its open or its read could wait for ever.
FileRead readOnce(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) return {nothingThere(errno) ? ReadStatus::Missing : ReadStatus::Unreadable, {}};
    if (!S_ISREG(info.st_mode)) return {ReadStatus::Missing, {}};
    int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return {nothingThere(errno) ? ReadStatus::Missing : ReadStatus::Unreadable, {}};
    FileRead result{ReadStatus::Unreadable, {}};
    if (fstat(fd, &info) == 0 && !S_ISREG(info.st_mode))
        result.status = ReadStatus::Missing;  // swapped for something else since the test above
    else if (readAll(fd, static_cast<std::size_t>(info.st_size), result.bytes))
        result.status = ReadStatus::Read;
    close(fd);
    return result;
}

// A name beside target that no other writer uses: the process number, and a counter for the
// rare leftover of an earlier process with the same number. The file is registered for the
// interrupt handler as it comes into being, and only when this call created it.
int createExclusive(const std::string& target, std::string& name) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = temporaryName(target, static_cast<std::uint32_t>(getpid()), attempt);
        InterruptsHeld held;
        int fd = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) setPendingTemporary(name);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

std::string folderOf(const std::string& path) {
    auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The path of another file in the folder of path, written the way path is.
std::string besideFile(const std::string& path, const std::string& name) {
    auto slash = path.find_last_of('/');
    return slash == std::string::npos ? name : path.substr(0, slash + 1) + name;
}

// Some file systems cannot flush a folder at all (EINVAL); that is no failure of ours.
bool flushFolder(const std::string& folder) {
    int fd = open(folder.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    bool ok = fsync(fd) == 0 || errno == EINVAL;
    close(fd);
    return ok;
}

// Files replaced with their folder's flush put off (Durability::WithNextFlush).
std::vector<std::string> owedFiles;

void forgetOwed(const std::string& folder) {
    std::erase_if(owedFiles, [&](const std::string& file) { return folderOf(file) == folder; });
}

// This thread holds the lock of its tournament folder. A run of the suite works in one folder
// (and its zaloha), so a lock already held covers every file it replaces.
thread_local bool folderLockHeld = false;

bool processRuns(pid_t pid) { return pid > 0 && (kill(pid, 0) == 0 || errno == EPERM); }

// File systems without any locks answer so; every other failure is a real one.
bool withoutLocks(int error) { return error == ENOLCK || error == EOPNOTSUPP || error == ENOSYS || error == EINVAL; }

}  // namespace

void prepareConsole() {
    static bool prepared = false;
    if (prepared) return;
    prepared = true;
    for (int signalNumber : {SIGINT, SIGTERM, SIGHUP}) std::signal(signalNumber, removePendingAndDie);
}

bool stdoutIsTerminal() { return isatty(STDOUT_FILENO) != 0; }

// A terminal window stays open when its program ends.
bool consoleOfOurOwn() { return false; }

void clearScreen(std::ostream& out) { out << "\x1b[2J\x1b[H"; }

void setColour(std::ostream& out, int colour) {
    // 14 and 15 are the bright yellow and bright white of the text console.
    out << (colour == 14 ? "\x1b[93m" : "\x1b[97m");
    coloursSet = 1;
}

void restoreColours(std::ostream& out) {
    if (!coloursSet) return;
    out << kResetColours << std::flush;
    coloursSet = 0;
}

FileRead readFile(const std::string& path) {
    const std::uint64_t start = millisecondsSinceStart();
    for (;;) {
        FileRead result = readOnce(path);
        if (result.status != ReadStatus::Unreadable || millisecondsSinceStart() - start >= kPatienceMs) return result;
        sleepMilliseconds(kRetryPauseMs);
    }
}

bool pathExists(const std::string& path) {
    struct stat info {};
    return lstat(path.c_str(), &info) == 0;
}

std::optional<std::string> writeTemporary(const std::string& target, const std::string& bytes, bool durable) {
    std::string name;
    int fd = createExclusive(target, name);
    if (fd < 0) return std::nullopt;
    bool ok = writeAll(fd, bytes);
    if (durable) ok = fsync(fd) == 0 && ok;
    ok = close(fd) == 0 && ok;
    if (ok) return name;
    unlink(name.c_str());
    clearPendingTemporary();
    return std::nullopt;
}

ReplaceOutcome replaceFile(const std::string& from, const std::string& to, Durability durability) {
    {
        InterruptsHeld held;
        if (std::rename(from.c_str(), to.c_str()) != 0) return ReplaceOutcome::Failed;
        clearPendingTemporary();
    }
    if (durability == Durability::None) return ReplaceOutcome::Replaced;
    if (durability == Durability::WithNextFlush) {
        if (std::find(owedFiles.begin(), owedFiles.end(), to) == owedFiles.end()) owedFiles.push_back(to);
        return ReplaceOutcome::Replaced;
    }
    // One flush of a folder makes every replacement made in it so far durable.
    const std::string folder = folderOf(to);
    if (!flushFolder(folder)) return ReplaceOutcome::ReplacedNotDurable;
    forgetOwed(folder);
    return ReplaceOutcome::Replaced;
}

std::vector<std::string> flushOwedFolder() {
    std::vector<std::string> notDurable;
    while (!owedFiles.empty()) {
        const std::string folder = folderOf(owedFiles.front());
        if (!flushFolder(folder))
            for (const std::string& file : owedFiles)
                if (folderOf(file) == folder) notDurable.push_back(file);
        forgetOwed(folder);
    }
    return notDurable;
}

void removeFile(const std::string& path) { unlink(path.c_str()); }

void clearPendingTemporary() { pendingTemporary[0] = '\0'; }

void removeStaleTemporariesBeside(const std::string& file) {
    DIR* listing = opendir(folderOf(file).c_str());
    if (listing == nullptr) return;
    std::vector<std::string> stale;
    while (const dirent* entry = readdir(listing)) {
        auto temporary = temporaryOf(entry->d_name);
        if (!temporary || processRuns(static_cast<pid_t>(temporary->process))) continue;
        const std::string path = besideFile(file, entry->d_name);
        struct stat info {}, target {};
        if (lstat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) continue;
        if (folderLockHeld || (stat(besideFile(file, temporary->target).c_str(), &target) == 0 &&
                               info.st_mtime + kStaleSeconds < target.st_mtime))
            stale.push_back(path);
    }
    closedir(listing);
    for (const std::string& path : stale) unlink(path.c_str());
}

FolderLock FolderLock::take(const std::string& path) { return lockWith(path, O_CREAT); }

FolderLock FolderLock::takeExisting(const std::string& path) { return lockWith(path, 0); }

FolderLock FolderLock::lockWith(const std::string& path, int creation) {
    if (folderLockHeld) return FolderLock(kNone, State::Held);
    const std::string lockPath = besideFile(path, kLockFileName);
    int fd;
    do fd = open(lockPath.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC | creation, 0666);
    while (fd < 0 && errno == EINTR);
    if (fd < 0) return FolderLock(kNone, errno == ENOENT && creation == 0 ? State::NoLockFile : State::Failed);
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        return FolderLock(kNone, State::Failed);
    }
    struct flock whole {};
    whole.l_type = F_WRLCK;
    whole.l_whence = SEEK_SET;
    int locked;
    do locked = fcntl(fd, kWaitForLock, &whole);
    while (locked != 0 && errno == EINTR);
    if (locked == 0) {
        folderLockHeld = true;
        return FolderLock(fd, State::Held);
    }
    const int error = errno;
    close(fd);
    return FolderLock(kNone, withoutLocks(error) ? State::NotSupported : State::Failed);
}

void FolderLock::release() {
    if (handle_ == kNone) return;
    folderLockHeld = false;
    close(static_cast<int>(handle_));  // closing the file gives the lock up
    handle_ = kNone;
}

std::uint64_t millisecondsSinceStart() {
    timespec now{};
#ifdef CLOCK_BOOTTIME
    clock_gettime(CLOCK_BOOTTIME, &now);
#else
    clock_gettime(CLOCK_MONOTONIC, &now);
#endif
    return static_cast<std::uint64_t>(now.tv_sec) * 1000u + static_cast<std::uint64_t>(now.tv_nsec) / 1000000u;
}

LocalTime localTimeNow() {
    const time_t now = time(nullptr);
    tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min};
}

bool createFolder(const std::string& path) {
    if (mkdir(path.c_str(), 0777) != 0 && errno != EEXIST) return false;
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::optional<FileStamp> fileStamp(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) return std::nullopt;
    return FileStamp{static_cast<std::uint64_t>(info.st_size),
                     static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec};
}

void sleepMilliseconds(std::uint32_t milliseconds) {
    timespec wait{static_cast<time_t>(milliseconds / 1000), static_cast<long>(milliseconds % 1000) * 1000000L};
    // A signal that does not end the program only shortens the wait.
    while (nanosleep(&wait, &wait) != 0 && errno == EINTR) {
    }
}

}  // namespace platform
