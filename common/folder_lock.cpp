// Taking the tournament folder's lock: one try after another while another program holds it,
// with the waiting line, the warning for a folder without locks, and the stops for a lock file
// that cannot be used.
#include "folder_lock.hpp"

#include "platform.hpp"
#include "run_error.hpp"

namespace {

// A store takes milliseconds: only a longer wait is worth a word.
constexpr std::uint64_t kQuietWaitMs = 300;
constexpr std::uint64_t kPatienceMs = 30000;
constexpr std::uint32_t kRetryPauseMs = 100;

std::string lockFileOf(const std::string& fileName) {
    const auto slash = fileName.find_last_of("/\\");
    return slash == std::string::npos ? platform::kLockFileName : fileName.substr(0, slash + 1) + platform::kLockFileName;
}

std::string notWrittenMessage(const std::string& fileName) {
    return std::string("Soubor ") + platform::kLockFileName + " nelze zamknout, soubor " + fileName + " nebyl zapsan";
}

[[noreturn]] void stopUnusable(platform::LockTry result, const std::string& fileName) {
    const std::string lockFile = platform::kLockFileName;
    if (result == platform::LockTry::OtherAccount)
        stopWithMessage("Soubor " + lockFile + " patri jinemu uctu: smazte ho, az nebezi zadny program turnaje");
    if (result == platform::LockTry::Link) stopWithMessage("Soubor " + lockFile + " je odkaz, program ho nepouzije: smazte ho");
    stopWithMessage(notWrittenMessage(fileName));
}

void warnWithoutLocks(Console& console) {
    static bool warned = false;
    if (warned) return;
    warned = true;
    writeYellow(console, "Slozka nepodporuje zamykani, zadavejte vysledky jen na jednom pocitaci");
    writeLine(console);
}

}  // namespace

FolderLock::FolderLock(std::intptr_t handle) : handle_(handle) {
    if (held()) releaseStep_ = addExitStep(ExitStep::ReleaseLock, [handle] { platform::releaseLock(handle); });
}

FolderLock::FolderLock(FolderLock&& other) noexcept
    : handle_(other.handle_), releaseStep_(other.releaseStep_), lockFile_(std::move(other.lockFile_)) {
    other.handle_ = kNone;
}

FolderLock& FolderLock::operator=(FolderLock&& other) noexcept {
    if (this != &other) {
        release();
        handle_ = other.handle_;
        releaseStep_ = other.releaseStep_;
        lockFile_ = std::move(other.lockFile_);
        other.handle_ = kNone;
    }
    return *this;
}

std::optional<std::string> FolderLock::lockFileBytes() const {
    if (!held()) return std::nullopt;
    if (!lockFile_) lockFile_ = platform::readLockFile(handle_);
    return lockFile_;
}

std::optional<std::string> FolderLock::rereadLockFile() const {
    lockFile_.reset();
    return lockFileBytes();
}

void FolderLock::writeLockFile(const std::string& bytes) const {
    if (!held()) return;
    lockFile_ = platform::writeLockFile(handle_, bytes) ? std::optional(bytes) : std::nullopt;
}

void FolderLock::release() {
    if (!held()) return;
    // A stop that ran the exit step has given the lock up already.
    if (removeExitStep(releaseStep_)) platform::releaseLock(handle_);
    handle_ = kNone;
    lockFile_.reset();
}

std::optional<FolderLock> waitForFolderLock(Console& console, const std::string& fileName) {
    const std::uint64_t start = platform::millisecondsSinceStart();
    bool told = false;
    for (;;) {
        const platform::LockAttempt attempt = platform::tryLock(lockFileOf(fileName));
        if (attempt.result == platform::LockTry::Held) return FolderLock(attempt.handle);
        if (attempt.result == platform::LockTry::NotSupported) {
            warnWithoutLocks(console);
            return FolderLock(FolderLock::kNone);
        }
        if (attempt.result != platform::LockTry::Busy) stopUnusable(attempt.result, fileName);
        const std::uint64_t waited = platform::millisecondsSinceStart() - start;
        if (waited >= kPatienceMs) return std::nullopt;
        if (!told && waited >= kQuietWaitMs) {
            told = true;
            writeYellow(console, "Slozku prave zapisuje jiny program, cekam");
            writeLine(console);
        }
        platform::sleepMilliseconds(kRetryPauseMs);
    }
}

FolderLock lockFolderAsking(Console& console, const std::string& fileName) {
    for (;;) {
        if (auto lock = waitForFolderLock(console, fileName)) return std::move(*lock);
        writeYellow(console, "Zkusit znovu? a/n ");
        if (!answeredYes(console)) stopWithMessage(notWrittenMessage(fileName));
    }
}

FolderLock lockFolderOrStop(Console& console, const std::string& fileName) {
    if (auto lock = waitForFolderLock(console, fileName)) return std::move(*lock);
    stopWithMessage(notWrittenMessage(fileName));
}

void checkFolderLock(Console& console, const std::string& fileName) {
    const platform::LockAttempt attempt = platform::tryLock(lockFileOf(fileName));
    if (attempt.result == platform::LockTry::Held) platform::releaseLock(attempt.handle);
    else if (attempt.result == platform::LockTry::NotSupported) warnWithoutLocks(console);
    else if (attempt.result != platform::LockTry::Busy) stopUnusable(attempt.result, fileName);
}
