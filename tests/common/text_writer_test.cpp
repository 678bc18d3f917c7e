// The safe writer: CR LF lines, the file appears whole at close, a failed write leaves the
// old file and no temporary file behind.
#include <gtest/gtest.h>

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

TEST(TextWriterDeathTest, FailedCloseEndsWithAMessageAndCode1) {
    TempFolder folder;
    TextWriter file((folder.path() / "missing-folder" / "a.txt").string());
    file.writeLine("x");
    EXPECT_EXIT(file.close(), testing::ExitedWithCode(1), "nelze zapsat");
}

}  // namespace
