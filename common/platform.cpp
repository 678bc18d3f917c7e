// Operating-system calls of the suite, POSIX and Windows variants side by side.
// Nothing outside this file includes a system header.
#include "platform.hpp"

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstring>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <time.h>
#include <unistd.h>
#endif

namespace platform {

namespace {

// Fixed buffer so that the interrupt handler touches no heap.
char pendingTemporary[4096] = {0};
bool handlersInstalled = false;

extern "C" void removePendingAndDie(int signalNumber) {
    if (pendingTemporary[0] != '\0') {
#ifdef _WIN32
        _unlink(pendingTemporary);
#else
        unlink(pendingTemporary);
#endif
    }
    std::signal(signalNumber, SIG_DFL);
    std::raise(signalNumber);
}

void installHandlers() {
    if (handlersInstalled) return;
    handlersInstalled = true;
    std::signal(SIGINT, removePendingAndDie);
    std::signal(SIGTERM, removePendingAndDie);
#ifndef _WIN32
    std::signal(SIGHUP, removePendingAndDie);
#endif
}

}  // namespace

bool stdoutIsTerminal() {
#ifdef _WIN32
    return _isatty(_fileno(stdout)) != 0;
#else
    return isatty(STDOUT_FILENO) != 0;
#endif
}

void clearScreen(std::ostream& out) { out << "\x1b[2J\x1b[H"; }

void setColour(std::ostream& out, int colour) {
    // 14 and 15 are the bright yellow and bright white of the text console.
    out << (colour == 14 ? "\x1b[93m" : "\x1b[97m");
}

bool writeFile(const std::string& path, const std::string& bytes, bool durable) {
#ifdef _WIN32
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    ok = std::fflush(file) == 0 && ok;
    if (durable) ok = _commit(_fileno(file)) == 0 && ok;
    ok = std::fclose(file) == 0 && ok;
#else
    int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
    if (fd < 0) return false;
    bool ok = true;
    std::size_t done = 0;
    while (ok && done < bytes.size()) {
        ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) ok = false;
        else done += static_cast<std::size_t>(n);
    }
    if (durable) ok = fsync(fd) == 0 && ok;
    ok = close(fd) == 0 && ok;
#endif
    if (!ok) removeFile(path);
    return ok;
}

bool replaceFile(const std::string& from, const std::string& to, bool durable) {
#ifdef _WIN32
    DWORD flags = MOVEFILE_REPLACE_EXISTING | (durable ? MOVEFILE_WRITE_THROUGH : 0);
    return MoveFileExA(from.c_str(), to.c_str(), flags) != 0;
#else
    if (std::rename(from.c_str(), to.c_str()) != 0) return false;
    if (!durable) return true;
    // Make the rename itself durable: sync the folder that holds the file.
    std::string folder = ".";
    auto slash = to.find_last_of('/');
    if (slash != std::string::npos) folder = slash == 0 ? "/" : to.substr(0, slash);
    int fd = open(folder.c_str(), O_RDONLY);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
    return true;
#endif
}

void removeFile(const std::string& path) { std::remove(path.c_str()); }

void setPendingTemporary(const std::string& path) {
    installHandlers();
    std::size_t n = std::min(path.size(), sizeof pendingTemporary - 1);
    std::memcpy(pendingTemporary, path.data(), n);
    pendingTemporary[n] = '\0';
}

void clearPendingTemporary() { pendingTemporary[0] = '\0'; }

std::uint64_t millisecondsSinceStart() {
#ifdef _WIN32
    return GetTickCount64();
#else
    timespec now{};
#ifdef CLOCK_BOOTTIME
    clock_gettime(CLOCK_BOOTTIME, &now);
#else
    clock_gettime(CLOCK_MONOTONIC, &now);
#endif
    return static_cast<std::uint64_t>(now.tv_sec) * 1000u + static_cast<std::uint64_t>(now.tv_nsec) / 1000000u;
#endif
}

}  // namespace platform
