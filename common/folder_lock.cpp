// Taking the tournament folder's lock: the one warning for a folder without locks, and the
// stop for a lock that cannot be had, shared by results entry and the pairing.
#include "folder_lock.hpp"

#include "run_error.hpp"

platform::FolderLock lockFolderOf(Console& console, const std::string& fileName) {
    auto lock = platform::FolderLock::take(fileName);
    if (lock.state() == platform::FolderLock::State::Failed)
        stopWithMessage(std::string("Soubor ") + platform::kLockFileName + " nelze zamknout, soubor " + fileName +
                        " nebyl zapsan");
    static bool warned = false;
    if (lock.state() == platform::FolderLock::State::NotSupported && !warned) {
        warned = true;
        writeYellow(console, "Slozka nepodporuje zamykani, zadavejte vysledky jen na jednom pocitaci");
        writeLine(console);
    }
    return lock;
}

void removeLeftoversBeside(const std::string& fileName) {
    auto lock = platform::FolderLock::takeExisting(fileName);
    platform::removeStaleTemporariesBeside(fileName);
}
