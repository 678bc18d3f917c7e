// The platform interface on Linux and other POSIX systems: ANSI sequences on the terminal,
// open/fsync/rename for files, open-file-description locks, signals for interrupts, CLOCK_BOOTTIME,
// posix_spawn with pipes for other programs.
#include <dirent.h>
#ifdef __linux__
#include <sys/vfs.h>
#endif
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "name_encoding.hpp"
#include "platform.hpp"
#include "temporary_names.hpp"

namespace platform {

namespace {

// Fixed buffers so that the interrupt handler touches no heap.
constexpr std::size_t kPathBytes = 4096;
char pendingTemporary[kPathBytes] = {0};
char markedFiles[kMarkedFiles][kPathBytes] = {};
volatile std::sig_atomic_t markedCount = 0;
volatile std::sig_atomic_t coloursSet = 0;
// The program that runSystemProgram or runThisProgramAgain waits for, 0 for none: an interrupt
// sent to this process alone (a terminated watcher) ends it first.
volatile std::sig_atomic_t runningChild = 0;
constexpr char kResetColours[] = "\x1b[0m";
// A file that cannot be read or replaced now is tried again for about a second.
constexpr std::uint64_t kPatienceMs = 1000;
constexpr std::uint32_t kRetryPauseMs = 50;
// A lock of the open file itself, not of the process: NFS and CIFS pass it on to the server,
// and two sessions in one process exclude each other. Systems without it get the process lock.
#ifdef F_OFD_SETLK
constexpr int kTryLock = F_OFD_SETLK;
#else
constexpr int kTryLock = F_SETLK;
#endif

void unlinkMarked() {
    for (std::sig_atomic_t i = 0; i < markedCount; ++i) unlink(markedFiles[i]);
}

extern "C" void removePendingAndDie(int signalNumber) {
    if (runningChild > 0) {
        kill(runningChild, signalNumber);
        waitpid(runningChild, nullptr, 0);
    }
    if (pendingTemporary[0] != '\0') unlink(pendingTemporary);
    unlinkMarked();
    if (coloursSet) {
        ssize_t ignored = write(STDOUT_FILENO, kResetColours, sizeof kResetColours - 1);
        (void)ignored;
    }
    std::signal(signalNumber, SIG_DFL);
    std::raise(signalNumber);
}

// A name too long for the buffer is not registered: cut short, it could be another file's.
bool copyPath(char (&buffer)[kPathBytes], const std::string& path) {
    if (path.size() >= kPathBytes) return false;
    std::memcpy(buffer, path.c_str(), path.size() + 1);
    return true;
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

// This computer as temporary names give it.
const std::string& ourComputer() {
    static const std::string token = computerToken(computerName());
    return token;
}

// A name beside target that no other writer uses: the process number, and a counter for the
// rare leftover of an earlier process with the same number. The file is registered for the
// interrupt handler as it comes into being, and only when this call created it.
int createExclusive(const std::string& target, std::string& name) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = temporaryName(target, ourComputer(), static_cast<std::uint32_t>(getpid()), attempt);
        InterruptsHeld held;
        int fd = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) copyPath(pendingTemporary, name);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

std::string folderOf(const std::string& path) {
    auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Some file systems cannot flush a folder at all (EINVAL); that is no failure of ours.
bool flushFolder(const std::string& folder) {
    int fd = open(folder.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    bool ok = fsync(fd) == 0 || errno == EINVAL;
    close(fd);
    return ok;
}

// Files replaced with their flushes after the rename put off (Durability::WithNextFlush).
std::vector<std::string> owedFiles;

// The file under its new name flushed again after the rename: on FAT and exFAT only this
// writes its directory entry, which until then still points at the old file's freed clusters.
bool flushRenamed(const std::string& path) {
    int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    bool ok = fsync(fd) == 0 || errno == EINVAL;
    close(fd);
    return ok;
}

// On FAT and exFAT a replaced file's clusters are freed when its last handle closes. Freed within
// the same flush as the directory entry that stops pointing at them, a disk that reorders its
// writes may keep the freeing and lose the entry, and the check of the disk then empties the file.
// Held open until the new entry is flushed, they are freed only by a later flush.
std::vector<std::pair<std::string, int>> heldReplaced;  // folder, descriptor

bool freesClustersAtLastClose(const std::string& folder) {
#ifdef __linux__
    constexpr long kFat = 0x4d44, kExfat = 0x2011bab0;
    struct statfs info {};
    return statfs(folder.c_str(), &info) == 0 && (info.f_type == kFat || info.f_type == kExfat);
#else
    return false;
#endif
}

// Every file renamed into folder (the owed ones and the one just renamed), then the folder.
bool flushRenamedInto(const std::string& folder, const std::string& renamed) {
    bool ok = renamed.empty() || flushRenamed(renamed);
    for (const std::string& file : owedFiles)
        if (folderOf(file) == folder) ok = flushRenamed(file) && ok;
    ok = flushFolder(folder) && ok;
    std::erase_if(owedFiles, [&](const std::string& file) { return folderOf(file) == folder; });
    for (const auto& [heldIn, descriptor] : heldReplaced)
        if (heldIn == folder) close(descriptor);
    std::erase_if(heldReplaced, [&](const auto& held) { return held.first == folder; });
    return ok;
}

// NFS or SMB: a file there is the server's, and this computer's cache of it only a copy.
bool onNetworkShare(int fd) {
#ifdef __linux__
    constexpr long kNfs = 0x6969, kCifs = 0xff534d42, kSmb2 = 0xfe534d42;
    struct statfs where {};
    return fstatfs(fd, &where) == 0 && (where.f_type == kNfs || where.f_type == kCifs || where.f_type == kSmb2);
#else
    (void)fd;
    return false;
#endif
}

// The lock file of a network share read from the server, past this computer's cache (O_DIRECT):
// an SMB client may still serve a cached copy of the locked file for a moment after another
// computer wrote it. A local disk's cache is the file.
std::optional<std::string> readPastTheCache(int fd) {
#if defined(__linux__) && defined(O_DIRECT)
    constexpr std::size_t kBlock = 4096, kMostBytes = 1 << 20;
    if (!onNetworkShare(fd)) return std::nullopt;
    const int direct = open(("/proc/self/fd/" + std::to_string(fd)).c_str(), O_RDONLY | O_DIRECT | O_CLOEXEC);
    if (direct < 0) return std::nullopt;
    void* buffer = nullptr;
    std::optional<std::string> bytes;
    if (posix_memalign(&buffer, kBlock, kMostBytes) == 0) {
        std::size_t done = 0;
        ssize_t n = -1;
        while (done < kMostBytes && (n = read(direct, static_cast<char*>(buffer) + done, kMostBytes - done)) > 0)
            done += static_cast<std::size_t>(n);
        if (n == 0) bytes = std::string(static_cast<const char*>(buffer), done);
    }
    std::free(buffer);
    close(direct);
    return bytes;
#else
    (void)fd;
    return std::nullopt;
#endif
}

// File systems without any locks answer so; every other failure is a real one.
bool withoutLocks(int error) { return error == ENOLCK || error == EOPNOTSUPP || error == ENOSYS || error == EINVAL; }

// The character set of the locale: the first of LC_ALL, LC_CTYPE and LANG that is set names it
// after its dot (cs_CZ.UTF-8, C.utf8); the C locale and the unnamed ones are ASCII.
bool localeIsUtf8() {
    std::string locale;
    for (const char* name : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        locale = environmentVariable(name).value_or("");
        if (!locale.empty()) break;
    }
    const auto dot = locale.find('.');
    if (dot == std::string::npos) return false;
    std::string charset;
    for (char c : locale.substr(dot + 1, locale.find('@', dot) - dot - 1))
        if (c != '-' && c != '_') charset += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return charset == "utf8";
}

// The lock file opened for locking, never through a link. One made here gets mode 0666 whatever
// the umask: another account that may write the folder must be able to lock it too.
LockAttempt openLockFile(const std::string& lockFile) {
    int fd;
    bool made = true;
    do fd = open(lockFile.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
    while (fd < 0 && errno == EINTR);
    if (fd < 0 && errno == EEXIST) {
        made = false;
        do fd = open(lockFile.c_str(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        while (fd < 0 && errno == EINTR);
    }
    if (fd < 0) {
        const int error = errno;
        struct stat info {};
        if (lstat(lockFile.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) return {LockTry::Link};
        if (error == EACCES || error == EPERM) return {made ? LockTry::Failed : LockTry::OtherAccount};
        return {LockTry::Failed};
    }
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        return {LockTry::Failed};
    }
    if (made) {
        int ignored = fchmod(fd, 0666);  // a file system without modes (FAT) keeps its own
        (void)ignored;
    }
    return {LockTry::Held, fd};
}

}  // namespace

void prepareConsole() {
    static bool prepared = false;
    if (prepared) return;
    prepared = true;
    for (int signalNumber : {SIGINT, SIGTERM, SIGHUP}) std::signal(signalNumber, removePendingAndDie);
}

bool stdoutIsTerminal() { return isatty(STDOUT_FILENO) != 0; }

std::optional<std::string> environmentVariable(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr) return std::nullopt;
    return std::string(value);
}

// A terminal window stays open when its program ends.
bool consoleOfOurOwn() { return false; }

void clearScreen(std::ostream& out) { out << "\x1b[2J\x1b[H"; }

void setColour(std::ostream& out, int colour) {
    // The standard yellow, which common palettes keep readable on a light background, and the
    // terminal's own text colour: bright white would vanish on a light background.
    out << (colour == 14 ? "\x1b[33m" : "\x1b[39m");
    coloursSet = 1;
}

void writeConsoleText(std::ostream& out, std::string_view utf8) {
    if (localeIsUtf8()) {
        out << utf8;
        return;
    }
    for (std::size_t pos = 0; pos < utf8.size();) {
        const char32_t c = nextCodePoint(utf8, pos);
        out << (c < 0x80 ? static_cast<char>(c) : '?');
    }
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
    const std::string folder = folderOf(to);
    const int replaced = durability != Durability::None && freesClustersAtLastClose(folder)
                             ? open(to.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)
                             : -1;
    {
        InterruptsHeld held;
        if (std::rename(from.c_str(), to.c_str()) != 0) {
            if (replaced >= 0) close(replaced);
            return ReplaceOutcome::Failed;
        }
        clearPendingTemporary();
    }
    if (replaced >= 0) heldReplaced.emplace_back(folder, replaced);
    if (durability == Durability::None) return ReplaceOutcome::Replaced;
    if (durability == Durability::WithNextFlush) {
        if (std::find(owedFiles.begin(), owedFiles.end(), to) == owedFiles.end()) owedFiles.push_back(to);
        return ReplaceOutcome::Replaced;
    }
    // One flush of a folder makes every replacement made in it so far durable.
    return flushRenamedInto(folder, to) ? ReplaceOutcome::Replaced : ReplaceOutcome::ReplacedNotDurable;
}

std::vector<std::string> flushOwedFolder() {
    std::vector<std::string> notDurable;
    while (!owedFiles.empty()) {
        const std::vector<std::string> owed = owedFiles;
        const std::string folder = folderOf(owed.front());
        if (!flushRenamedInto(folder, {}))
            for (const std::string& file : owed)
                if (folderOf(file) == folder) notDurable.push_back(file);
    }
    return notDurable;
}

void removeFile(const std::string& path) { unlink(path.c_str()); }

void clearPendingTemporary() { pendingTemporary[0] = '\0'; }

void markForRemoval(const std::string& path) {
    InterruptsHeld held;
    if (markedCount < static_cast<std::sig_atomic_t>(kMarkedFiles) && copyPath(markedFiles[markedCount], path))
        markedCount = markedCount + 1;
}

void removeMarkedFiles() { unlinkMarked(); }

std::vector<std::string> folderEntries(const std::string& folder) {
    std::vector<std::string> names;
    int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return names;
    DIR* listing = fdopendir(fd);
    if (listing == nullptr) {
        close(fd);
        return names;
    }
    while (const dirent* entry = readdir(listing))
        if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0) names.emplace_back(entry->d_name);
    closedir(listing);
    return names;
}

std::optional<std::int64_t> plainFileAge(const std::string& path) {
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
    return std::max<std::int64_t>(0, static_cast<std::int64_t>(time(nullptr)) - info.st_mtime);
}

bool processRuns(std::uint32_t process) {
    const auto pid = static_cast<pid_t>(process);
    return pid > 0 && (kill(pid, 0) == 0 || errno == EPERM);
}

std::string computerName() {
    char name[256] = {0};
    if (gethostname(name, sizeof name - 1) != 0) return {};
    return name;
}

LockAttempt tryLock(const std::string& lockFile) {
    LockAttempt attempt = openLockFile(lockFile);
    if (attempt.result != LockTry::Held) return attempt;
    const int fd = static_cast<int>(attempt.handle);
    struct flock whole {};
    whole.l_type = F_WRLCK;
    whole.l_whence = SEEK_SET;
    int locked;
    do locked = fcntl(fd, kTryLock, &whole);
    while (locked != 0 && errno == EINTR);
    if (locked == 0) return attempt;
    const int error = errno;
    close(fd);
    if (error == EAGAIN || error == EACCES) return {LockTry::Busy};
    return {withoutLocks(error) ? LockTry::NotSupported : LockTry::Failed};
}

void releaseLock(std::intptr_t handle) { close(static_cast<int>(handle)); }  // closing gives the lock up

std::optional<std::string> readLockFile(std::intptr_t handle) {
    if (auto direct = readPastTheCache(static_cast<int>(handle))) return direct;
    const int fd = static_cast<int>(handle);
    struct stat info {};
    std::string bytes;
    if (fstat(fd, &info) != 0 || lseek(fd, 0, SEEK_SET) != 0 || !readAll(fd, static_cast<std::size_t>(info.st_size), bytes))
        return std::nullopt;
    return bytes;
}

bool writeLockFile(std::intptr_t handle, const std::string& bytes) {
    const int fd = static_cast<int>(handle);
    if (lseek(fd, 0, SEEK_SET) != 0 || !writeAll(fd, bytes)) return false;
    if (ftruncate(fd, static_cast<off_t>(bytes.size())) != 0) return false;
    // On a share the record is on the server before the lock is given up, for the next holder to
    // read it there: an SMB client that takes its lock for its own (nobrl) otherwise kept it in
    // its cache, and the other computer wrote over results it never saw recorded.
    return !onNetworkShare(fd) || fdatasync(fd) == 0;
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

FolderState createFolder(const std::string& path) {
    if (mkdir(path.c_str(), 0777) != 0 && errno != EEXIST) return FolderState::Failed;
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0) return FolderState::Failed;
    if (S_ISLNK(info.st_mode)) return FolderState::Link;
    return S_ISDIR(info.st_mode) ? FolderState::Ready : FolderState::NotFolder;
}

std::optional<FileStamp> fileStamp(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) return std::nullopt;
    const auto nanoseconds = [](const timespec& time) { return std::int64_t{time.tv_sec} * 1000000000 + time.tv_nsec; };
    return FileStamp{static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino),
                     static_cast<std::uint64_t>(info.st_size), nanoseconds(info.st_mtim), nanoseconds(info.st_ctim)};
}

void sleepMilliseconds(std::uint32_t milliseconds) {
    timespec wait{static_cast<time_t>(milliseconds / 1000), static_cast<long>(milliseconds % 1000) * 1000000L};
    // A signal that does not end the program only shortens the wait.
    while (nanosleep(&wait, &wait) != 0 && errno == EINTR) {
    }
}

namespace {

// The child's standard streams: the given descriptors, or the parent's own where -1; the
// signals' defaults and none held back, whatever this process has set.
struct SpawnSetup {
    posix_spawn_file_actions_t actions{};
    posix_spawnattr_t attributes{};
    SpawnSetup(int in, int out, bool errorToNowhere) {
        posix_spawn_file_actions_init(&actions);
        if (in >= 0) posix_spawn_file_actions_adddup2(&actions, in, STDIN_FILENO);
        if (out >= 0) posix_spawn_file_actions_adddup2(&actions, out, STDOUT_FILENO);
        if (errorToNowhere) posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        posix_spawnattr_init(&attributes);
        sigset_t none, defaults;
        sigemptyset(&none);
        sigemptyset(&defaults);
        for (int signalNumber : {SIGINT, SIGTERM, SIGHUP, SIGPIPE}) sigaddset(&defaults, signalNumber);
        posix_spawnattr_setsigmask(&attributes, &none);
        posix_spawnattr_setsigdefault(&attributes, &defaults);
        posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    }
    ~SpawnSetup() {
        posix_spawn_file_actions_destroy(&actions);
        posix_spawnattr_destroy(&attributes);
    }
    SpawnSetup(const SpawnSetup&) = delete;
    SpawnSetup& operator=(const SpawnSetup&) = delete;
};

std::vector<char*> argumentVector(std::vector<std::string>& words) {
    std::vector<char*> vector;
    for (auto& word : words) vector.push_back(word.data());
    vector.push_back(nullptr);
    return vector;
}

// Starts the program and makes it the one an interrupt ends first; 0 when it did not start.
pid_t spawnChild(const char* path, bool searchPath, std::vector<std::string> words, const SpawnSetup& setup) {
    std::vector<char*> argv = argumentVector(words);
    InterruptsHeld held;  // the child and its registration come into being together
    pid_t child = 0;
    const int error = searchPath ? posix_spawnp(&child, path, &setup.actions, &setup.attributes, argv.data(), environ)
                                 : posix_spawn(&child, path, &setup.actions, &setup.attributes, argv.data(), environ);
    if (error != 0) return 0;
    runningChild = child;
    return child;
}

int waitForChild(pid_t child) {
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    runningChild = 0;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// Writes the input while reading the output, so that neither program waits for the other with
// a full pipe. A program that ends before it read everything only closes its end: SIGPIPE is
// ignored meanwhile, and the write fails instead.
std::string exchange(int toChild, int fromChild, const std::string& input) {
    struct sigaction ignore {}, before {};
    ignore.sa_handler = SIG_IGN;
    sigaction(SIGPIPE, &ignore, &before);
    fcntl(toChild, F_SETFL, O_NONBLOCK);
    std::string output;
    std::size_t written = 0;
    if (input.empty()) toChild = (close(toChild), -1);
    while (fromChild >= 0) {
        pollfd ends[2] = {{fromChild, POLLIN, 0}, {toChild, POLLOUT, 0}};
        if (poll(ends, toChild >= 0 ? 2 : 1, -1) < 0) {
            if (errno == EINTR) continue;
            break;
        }
        if (ends[0].revents != 0) {
            char buffer[4096];
            const ssize_t n = read(fromChild, buffer, sizeof buffer);
            if (n > 0) output.append(buffer, static_cast<std::size_t>(n));
            if (n == 0 || (n < 0 && errno != EINTR && errno != EAGAIN)) fromChild = (close(fromChild), -1);
        }
        if (toChild >= 0 && ends[1].revents != 0) {
            const ssize_t n = write(toChild, input.data() + written, input.size() - written);
            if (n > 0) written += static_cast<std::size_t>(n);
            if (written == input.size() || (n < 0 && errno != EINTR && errno != EAGAIN)) toChild = (close(toChild), -1);
        }
    }
    if (toChild >= 0) close(toChild);
    if (fromChild >= 0) close(fromChild);
    sigaction(SIGPIPE, &before, nullptr);
    return output;
}

}  // namespace

ProgramRun runSystemProgram(const std::string& name, const std::vector<std::string>& arguments,
                            const std::string& input) {
    int toChild[2], fromChild[2];
    if (pipe2(toChild, O_CLOEXEC) != 0) return {};
    if (pipe2(fromChild, O_CLOEXEC) != 0) {
        close(toChild[0]);
        close(toChild[1]);
        return {};
    }
    std::vector<std::string> words{name};
    words.insert(words.end(), arguments.begin(), arguments.end());
    pid_t child;
    {
        const SpawnSetup setup(toChild[0], fromChild[1], true);
        child = spawnChild(name.c_str(), true, std::move(words), setup);
    }
    close(toChild[0]);
    close(fromChild[1]);
    if (child == 0) {
        close(toChild[1]);
        close(fromChild[0]);
        return {};
    }
    ProgramRun run;
    run.output = exchange(toChild[1], fromChild[0], input);
    run.exitCode = waitForChild(child);
    run.started = true;
    return run;
}

std::optional<int> runThisProgramAgain(const std::vector<std::string>& arguments) {
    constexpr const char* kOwnExecutable = "/proc/self/exe";
    std::vector<std::string> words{kOwnExecutable};
    words.insert(words.end(), arguments.begin(), arguments.end());
    const SpawnSetup setup(-1, -1, false);
    const pid_t child = spawnChild(kOwnExecutable, false, std::move(words), setup);
    if (child == 0) return std::nullopt;
    return waitForChild(child);
}

std::vector<std::string> filesInFolder(const std::string& folder) {
    std::vector<std::string> names;
    DIR* listing = opendir(folder.c_str());
    if (listing == nullptr) return names;
    while (const dirent* entry = readdir(listing)) {
        struct stat info {};
        if (lstat((folder + "/" + entry->d_name).c_str(), &info) == 0 && S_ISREG(info.st_mode))
            names.push_back(entry->d_name);
    }
    closedir(listing);
    return names;
}

}  // namespace platform
