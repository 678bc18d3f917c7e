// The platform interface on Linux and other POSIX systems: ANSI sequences on the terminal,
// open/fsync/rename for files, flock for locks, signals for interrupts, CLOCK_BOOTTIME.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>

#include "platform.hpp"

namespace platform {

namespace {

// Fixed buffer so that the interrupt handler touches no heap.
char pendingTemporary[4096] = {0};
volatile std::sig_atomic_t coloursSet = 0;
std::string owedFolder;  // a folder whose replacements still wait for its flush
constexpr char kResetColours[] = "\x1b[0m";

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

// A name beside target that no other writer uses: the process number, and a counter for the
// rare leftover of an earlier process with the same number.
int createExclusive(const std::string& target, std::string& name) {
    const std::string base = target + ".tmp." + std::to_string(getpid());
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = attempt == 0 ? base : base + "." + std::to_string(attempt);
        int fd = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
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

bool sameFile(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

}  // namespace

void prepareConsole() {
    static bool prepared = false;
    if (prepared) return;
    prepared = true;
    for (int signalNumber : {SIGINT, SIGTERM, SIGHUP}) std::signal(signalNumber, removePendingAndDie);
}

bool stdoutIsTerminal() { return isatty(STDOUT_FILENO) != 0; }

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

std::optional<std::string> readFile(const std::string& path) {
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    struct stat info {};
    std::optional<std::string> content;
    if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
        // Read to the end whatever the size said: the file may grow meanwhile.
        std::string bytes(static_cast<std::size_t>(info.st_size) + 1, '\0');
        std::size_t done = 0;
        for (;;) {
            if (done == bytes.size()) bytes.resize(bytes.size() * 2);
            ssize_t n = read(fd, bytes.data() + done, bytes.size() - done);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) break;
            if (n == 0) {
                bytes.resize(done);
                content = std::move(bytes);
                break;
            }
            done += static_cast<std::size_t>(n);
        }
    }
    close(fd);
    return content;
}

std::optional<std::string> writeTemporary(const std::string& target, const std::string& bytes, bool durable) {
    std::string name;
    int fd = createExclusive(target, name);
    if (fd < 0) return std::nullopt;
    setPendingTemporary(name);
    bool ok = writeAll(fd, bytes);
    if (durable) ok = fsync(fd) == 0 && ok;
    ok = close(fd) == 0 && ok;
    if (ok) return name;
    unlink(name.c_str());
    clearPendingTemporary();
    return std::nullopt;
}

bool replaceFile(const std::string& from, const std::string& to, Durability durability) {
    if (std::rename(from.c_str(), to.c_str()) != 0) return false;
    const std::string folder = folderOf(to);
    if (durability == Durability::WithNextFlush) {
        // One flush of a folder makes every replacement made in it so far durable.
        if (!owedFolder.empty() && owedFolder != folder && !flushOwedFolder()) return false;
        owedFolder = folder;
        return true;
    }
    if (durability == Durability::None) return true;
    if (owedFolder == folder) owedFolder.clear();
    return flushFolder(folder);
}

bool flushOwedFolder() {
    if (owedFolder.empty()) return true;
    const std::string folder = std::move(owedFolder);
    owedFolder.clear();
    return flushFolder(folder);
}

void removeFile(const std::string& path) { unlink(path.c_str()); }

void clearPendingTemporary() { pendingTemporary[0] = '\0'; }

std::optional<FileLock> FileLock::take(const std::string& path) {
    for (;;) {
        int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) return std::nullopt;
        FileLock lock(fd);
        struct stat held {}, named {};
        if (fstat(fd, &held) != 0 || !S_ISREG(held.st_mode)) return std::nullopt;
        int locked;
        do locked = flock(fd, LOCK_EX);
        while (locked != 0 && errno == EINTR);
        // A file system without locks still gets its file written; it just cannot be shared.
        if (stat(path.c_str(), &named) != 0) return std::nullopt;
        if (sameFile(held, named)) return lock;
        // The file was replaced while we waited: lock the one the name points to now.
    }
}

void FileLock::release() {
    if (handle_ == kNone) return;
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
