// The safe writer: CR LF lines, the file appears whole at close, a failed write leaves the
// old file and no temporary file behind, a file is replaced while the folder's lock is held.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <sstream>
#include <thread>

#include "folder_lock.hpp"
#include "platform.hpp"
#include "temp_folder.hpp"
#include "text_writer.hpp"

namespace {

TEST(TextWriter, WritesCrLfLinesAndReplacesTheOldFile) {
    TempFolder folder;
    folder.write("a.txt", "old\n");
    TextWriter file((folder.path() / "a.txt").string());
    file.write("x ");
    file.writeLine("y");
    file.writeLine();
    EXPECT_EQ(folder.read("a.txt"), "old\n") << "nothing reaches the target before close";
    file.close();
    EXPECT_EQ(folder.read("a.txt"), "x y\r\n\r\n");
    EXPECT_EQ(folder.files().size(), 1u) << "no temporary file is left, and no lock file is made";
}

TEST(TextWriter, FailedReplaceLeavesTheTargetAndNoTemporaryFile) {
    TempFolder folder;
    // A folder in place of the target makes the replacement fail after the temporary was written.
    std::filesystem::create_directories(folder.path() / "a.txt" / "inside");
    EXPECT_EQ(replaceFileSafely((folder.path() / "a.txt").string(), "new\r\n").outcome, platform::ReplaceOutcome::Failed);
    EXPECT_TRUE(std::filesystem::is_directory(folder.path() / "a.txt" / "inside"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
}

// A share that replaces by removing the target first, and whose rename then fails (failing
// renames of the test's own): the temporary, the only complete copy, is put in place or kept.
int renamesToFail = 0;
platform::ReplaceOutcome removingRename(const std::string& from, const std::string& to, platform::Durability durability) {
    if (renamesToFail-- <= 0) return platform::replaceFile(from, to, durability);
    platform::removeFile(to);
    return platform::ReplaceOutcome::Failed;
}

TEST(TextWriter, AReplaceWhoseTargetVanishedNeverLosesTheNewFile) {
    for (int failures : {1, 2}) {
        TempFolder folder;
        folder.write("partie4.txt", "old\r\n");
        renamesToFail = failures;
        const ReplaceResult result = replaceFileSafely((folder.path() / "partie4.txt").string(), "new\r\n", FileLife::Kept, removingRename);
        if (failures == 1) {
            EXPECT_EQ(result.outcome, platform::ReplaceOutcome::Replaced);
            EXPECT_EQ(folder.files(), (std::map<std::string, std::string>{{"partie4.txt", "new\r\n"}}));
        } else {
            EXPECT_EQ(result.outcome, platform::ReplaceOutcome::Failed);
            EXPECT_EQ(folder.files(), (std::map<std::string, std::string>{
                                          {std::filesystem::path(result.keptCopy).filename().string(), "new\r\n"}}));
        }
    }
}

// The results desk stores under the folder's lock, held across the replace, while other
// programs read the round file. The waiting session must get the new file; nothing but the
// lock file may be left beside it.
TEST(TextWriter, ReplacesUnderTheFolderLockAndAWaitingLockGetsTheNewFile) {
    TempFolder folder;
    folder.write("partie5.txt", "old\r\n");
    const std::string path = (folder.path() / "partie5.txt").string();
    std::istringstream noKeys;
    std::ostringstream screen, otherScreen;
    Console console{&noKeys, &screen, false}, otherConsole{&noKeys, &otherScreen, false};
    auto held = waitForFolderLock(console, path);
    ASSERT_TRUE(held && held->held());
    std::string seenByTheOther;
    std::atomic<bool> otherHasTheLock{false};
    std::thread other([&] {
        auto waited = waitForFolderLock(otherConsole, path);
        otherHasTheLock = true;
        seenByTheOther = waited && waited->held() ? platform::readFile(path).bytes : "no lock";
    });
    // Time for the other session to wait for the lock and say so.
    std::this_thread::sleep_for(std::chrono::milliseconds(600));
    EXPECT_EQ(platform::readFile(path).bytes, "old\r\n") << "the lock does not stop readers";
    EXPECT_EQ(replaceFileSafely(path, "new\r\n").outcome, platform::ReplaceOutcome::Replaced);
    EXPECT_FALSE(otherHasTheLock) << "the other session waits while the lock is held";
    held->release();
    other.join();
    EXPECT_EQ(seenByTheOther, "new\r\n");
    EXPECT_EQ(otherScreen.str(), "Slozku prave zapisuje jiny program, cekam\n");
    EXPECT_EQ(folder.files(), (std::map<std::string, std::string>{{"partie5.txt", "new\r\n"}, {"zamek.lck", ""}}));
}

// A stop gives the folder's lock up before the wait that keeps a double-clicked window open, so
// that the other desk never waits for this one's Enter.
[[noreturn]] void stopHoldingTheLock(const std::filesystem::path& folder) {
    std::istringstream noKeys;
    std::ostringstream screen;
    Console console{&noKeys, &screen, false};
    auto lock = waitForFolderLock(console, (folder / "partie5.txt").string());
    addExitStep(ExitStep::WaitBeforeWindowCloses, [&] {
        const auto other = platform::tryLock((folder / "zamek.lck").string());
        std::cerr << (other.result == platform::LockTry::Held ? "free" : "held") << std::endl;
    });
    stopProgram(3);
}

TEST(TextWriterDeathTest, AStopGivesTheLockUpBeforeTheWindowsLastWait) {
    TempFolder folder;
    EXPECT_EXIT(stopHoldingTheLock(folder.path()), testing::ExitedWithCode(3), "free");
}

TEST(TextWriterDeathTest, FailedCloseEndsWithAMessageAndCode1) {
    TempFolder folder;
    TextWriter file((folder.path() / "missing-folder" / "a.txt").string());
    file.writeLine("x");
    EXPECT_EXIT(file.close(), testing::ExitedWithCode(1), "nelze zapsat");
}

}  // namespace
