// The safe writer: CR LF lines, the file appears whole at close, a failed write leaves the
// old file and no temporary file behind, a file is replaced while its lock is held.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

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
    EXPECT_EQ(folder.files().size(), 1u) << "no temporary file is left";
}

TEST(TextWriter, FailedReplaceLeavesTheTargetAndNoTemporaryFile) {
    TempFolder folder;
    // A folder in place of the target makes the replacement fail after the temporary was written.
    std::filesystem::create_directories(folder.path() / "a.txt" / "inside");
    EXPECT_FALSE(replaceFileSafely((folder.path() / "a.txt").string(), "new\r\n"));
    EXPECT_TRUE(std::filesystem::is_directory(folder.path() / "a.txt" / "inside"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
}

// The results desk stores under the round file's lock, held across the replace. On Windows an
// open file cannot simply be renamed over, and both the holder and the waiting session have it
// open; the waiting session must then get the new file, and nothing may be left beside it.
TEST(TextWriter, ReplacesALockedFileAndAWaitingLockGetsTheNewOne) {
    TempFolder folder;
    folder.write("partie5.txt", "old\r\n");
    const std::string path = (folder.path() / "partie5.txt").string();
    auto held = platform::FileLock::take(path);
    ASSERT_TRUE(held);
    std::string seenByTheOther;
    std::atomic<bool> otherHasTheLock{false};
    std::thread other([&] {
        auto waited = platform::FileLock::take(path);
        otherHasTheLock = true;
        seenByTheOther = waited ? platform::readFile(path).value_or("unreadable") : "no lock";
    });
    // Time for the other session to open the old file and wait for its lock.
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_EQ(platform::readFile(path), "old\r\n") << "the lock does not stop readers";
    EXPECT_TRUE(replaceFileSafely(path, "new\r\n"));
    EXPECT_FALSE(otherHasTheLock) << "the other session waits while the lock is held";
    held->release();
    other.join();
    EXPECT_EQ(seenByTheOther, "new\r\n");
    EXPECT_EQ(folder.files(), (std::map<std::string, std::string>{{"partie5.txt", "new\r\n"}}));
}

TEST(TextWriterDeathTest, FailedCloseEndsWithAMessageAndCode1) {
    TempFolder folder;
    TextWriter file((folder.path() / "missing-folder" / "a.txt").string());
    file.writeLine("x");
    EXPECT_EXIT(file.close(), testing::ExitedWithCode(1), "nelze zapsat");
}

}  // namespace
