// The tournament folder's lock as a value its holder keeps: taken by the programs that change a
// round file (zadej's store, los's re-pair), waited for with a word to the organiser, and given
// up before any question or pause; a folder without locks is said so once.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "console.hpp"
#include "exit_steps.hpp"

class FolderLock {
public:
    // Held, it is on the program's exit steps: a stop gives it up before the window's last wait.
    FolderLock(FolderLock&& other) noexcept;
    FolderLock& operator=(FolderLock&& other) noexcept;
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;
    ~FolderLock() { release(); }

    // False on a file system without locks: the work goes on, unshared, and the lock file is not used.
    bool held() const { return handle_ != kNone; }
    // The lock file's bytes (nothing when not held or unreadable; read once while held, as no
    // other program changes them meanwhile) and their replacement.
    std::optional<std::string> lockFileBytes() const;
    // Read again all the same: where the lock works on one computer only, another computer
    // writes the lock file while this one holds it.
    std::optional<std::string> rereadLockFile() const;
    void writeLockFile(const std::string& bytes) const;
    void release();

private:
    friend std::optional<FolderLock> waitForFolderLock(Console& console, const std::string& fileName);
    static constexpr std::intptr_t kNone = -1;
    explicit FolderLock(std::intptr_t handle);
    std::intptr_t handle_ = kNone;
    ExitStepId releaseStep_ = 0;
    mutable std::optional<std::string> lockFile_;
};

// The lock of the folder of fileName. While another program holds it, after a moment the yellow
// line "Slozku prave zapisuje jiny program, cekam", and the wait goes on for about 30 s; nothing
// comes back when the lock was not had by then. On a file system without locks the yellow line
// "Slozka nepodporuje zamykani, zadavejte vysledky jen na jednom pocitaci" (once a run) and a lock
// that holds nothing. A lock file that cannot be used ends the program with one line naming
// zamek.lck and what to do, and exit code 1: nothing of fileName is written.
std::optional<FolderLock> waitForFolderLock(Console& console, const std::string& fileName);

// For results entry: after each wait of 30 s, "Zkusit znovu? a/n"; anything but "a" ends the
// program with "Soubor zamek.lck nelze zamknout, soubor <fileName> nebyl zapsan".
FolderLock lockFolderAsking(Console& console, const std::string& fileName);
// For the other programs: that line and the end of the program after 30 s.
FolderLock lockFolderOrStop(Console& console, const std::string& fileName);

// At the start of a program that will take the lock: a folder without locks is told before the
// organiser types anything, and a lock file that cannot be used stops the program before it
// writes anything.
void checkFolderLock(Console& console, const std::string& fileName);
