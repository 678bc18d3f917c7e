// Token-wise reading: numbers across line ends, both line-end styles, separators and names,
// the end of data, and malformed tokens ending the program with run-time error 106.
#include <gtest/gtest.h>

#include <bit>
#include <chrono>
#include <filesystem>
#include <thread>

#include "platform.hpp"
#include "program_start.hpp"
#include "temp_folder.hpp"
#include "text_reader.hpp"

namespace {

TextReader reader(const std::string& text) { return TextReader("test.txt", text); }

TEST(TextReader, NumbersRunAcrossBlanksTabsAndLineEnds) {
    auto r = reader("  12\t-7\r\n\r\n\n  +3 2147483647 -2147483648\n");
    EXPECT_EQ(r.readInt(), 12);
    EXPECT_EQ(r.readInt(), -7);
    EXPECT_EQ(r.readInt(), 3);
    EXPECT_EQ(r.readInt(), 2147483647);
    EXPECT_EQ(r.readInt(), -2147483648);
    EXPECT_TRUE(r.atEnd());
    EXPECT_EQ(r.readInt(), 0) << "a number asked for at the end of the data reads as 0";
}

TEST(TextReader, SkipLineMovesPastTheRestOfTheLine) {
    auto r = reader("1 2 poznamka 3\r\n4 5\n6");
    EXPECT_EQ(r.readInt(), 1);
    r.skipLine();
    EXPECT_EQ(r.readInt(), 4);
    r.skipLine();
    EXPECT_EQ(r.readInt(), 6);
    r.skipLine();
    EXPECT_TRUE(r.atEnd());
}

TEST(TextReader, TrailingWhiteSpaceIsNoRecordButBlankLinesBetweenRecordsArePassedOver) {
    auto r = reader("1\r\n\r\n2\r\n \t\r\n\r\n");
    EXPECT_FALSE(r.atEnd());
    EXPECT_EQ(r.readInt(), 1);
    r.skipLine();
    EXPECT_FALSE(r.atEnd());
    EXPECT_EQ(r.readInt(), 2);
    r.skipLine();
    EXPECT_TRUE(r.atEnd());
    EXPECT_TRUE(reader("").atEnd());
}

TEST(TextReader, LineEndTestSeesCrLfLfAndEndOfData) {
    auto r = reader("1 2\r\n3 4\n5");
    r.readInt();
    EXPECT_FALSE(r.atLineEnd());
    r.readInt();
    EXPECT_TRUE(r.atLineEnd());
    r.skipLine();
    r.readInt();
    r.readInt();
    EXPECT_TRUE(r.atLineEnd());
    r.skipLine();
    r.readInt();
    EXPECT_TRUE(r.atLineEnd());
}

// A CR inside a line is text: zadej writes the names part back right after the table number.
TEST(TextReader, TextStopsAtTheLineEndAndKeepsTheLineAsItStands) {
    auto r = reader("12 Hrac A\r\n13  Hrac B\n14\tHrac C\r\n15\r\n16 5\r4\r\n17");
    std::vector<std::pair<int, std::string>> seen;
    while (!r.atEnd()) {
        int number = r.readInt();
        r.readSeparator();
        seen.emplace_back(number, r.readText(30));
        r.skipLine();
    }
    std::vector<std::pair<int, std::string>> expected = {
        {12, "Hrac A"}, {13, " Hrac B"}, {14, "Hrac C"}, {15, ""}, {16, "5\r4"}, {17, ""}};
    EXPECT_EQ(seen, expected);
}

TEST(TextReader, TextIsCutAtTheLimit) {
    auto r = reader("1 abcdefghij\r\n2 x");
    r.readInt();
    r.readSeparator();
    EXPECT_EQ(r.readText(4), "abcd");
    r.skipLine();
    EXPECT_EQ(r.readInt(), 2);
}

TEST(TextReader, RealsTakeEveryDecimalForm) {
    auto r = reader("5 5. .5 5.25 -1.5e2 1E-3 +2.5 1523.456");
    EXPECT_EQ(r.readReal(), 5.0);
    EXPECT_EQ(r.readReal(), 5.0);
    EXPECT_EQ(r.readReal(), 0.5);
    EXPECT_EQ(r.readReal(), 5.25);
    EXPECT_EQ(r.readReal(), -150.0);
    EXPECT_EQ(r.readReal(), 0.001);
    EXPECT_EQ(r.readReal(), 2.5);
    EXPECT_EQ(r.readReal(), 1523.456);
}

TEST(TextReader, NumbersReadAtOnceAreTheTokenParsersNumbers) {
    // Plain digits and plain decimals take a short way; it must give the same numbers, bit
    // for bit, as the general way, also at the edges where it hands over.
    const char* reals[] = {"2032.7", "0.1", "1523.456", "-0.0", "+7.5", ".5", "5.", "999999999999999",
                           "1234567890123456", "0.30000000000000004", "9007199254740993", "123456.789012345",
                           "-1788.45", "1e-300"};
    for (const char* token : reals) {
        auto r = reader(std::string(" ") + token + "\r\n");
        const double read = r.readReal();
        ASSERT_TRUE(parseReal(token)) << token;
        EXPECT_EQ(std::bit_cast<std::uint64_t>(read), std::bit_cast<std::uint64_t>(*parseReal(token))) << token;
    }
    const char* wholes[] = {"0", "7", "123456789", "1234567890", "2147483647", "-2147483648", "+12", "000000000012"};
    for (const char* token : wholes) {
        auto r = reader(std::string("\t") + token);
        EXPECT_EQ(r.readInt(), *parseWholeNumber(token)) << token;
        EXPECT_TRUE(r.atEnd());
    }
}

TEST(TextReader, WholeNumberTokens) {
    EXPECT_EQ(parseWholeNumber("-0"), 0);
    EXPECT_EQ(parseWholeNumber("+17"), 17);
    EXPECT_FALSE(parseWholeNumber("12abc"));
    EXPECT_FALSE(parseWholeNumber("2147483648"));
    EXPECT_FALSE(parseWholeNumber("-2147483649"));
    EXPECT_FALSE(parseWholeNumber("99999999999999999999"));
    EXPECT_FALSE(parseWholeNumber("+"));
    EXPECT_FALSE(parseWholeNumber("1.0"));
    EXPECT_FALSE(parseWholeNumber(""));
}

TEST(TextReader, RealTokens) {
    EXPECT_FALSE(parseReal("1,5"));
    EXPECT_FALSE(parseReal("."));
    EXPECT_FALSE(parseReal("1e"));
    EXPECT_FALSE(parseReal("e5"));
    EXPECT_FALSE(parseReal("--1"));
    EXPECT_FALSE(parseReal("1.2.3"));
    EXPECT_EQ(parseReal("2E+1"), 20.0);
    // Below the smallest double the nearest double is zero; above the largest there is none.
    EXPECT_EQ(parseReal("1e-400"), 0.0);
    EXPECT_EQ(parseReal("-0.00001e-320"), 0.0);
    EXPECT_EQ(parseReal("3e-324"), 4.9406564584124654e-324);
    EXPECT_FALSE(parseReal("1e400"));
    EXPECT_FALSE(parseReal("0.01e311"));
}

TEST(TextReaderDeathTest, MalformedNumberEndsWithRunTimeError106) {
    EXPECT_EXIT(reader("12abc").readInt(), testing::ExitedWithCode(106), "Runtime error 106");
    EXPECT_EXIT(
        {
            auto r = reader("1 2\n3x");
            for (int i = 0; i < 3; ++i) r.readInt();
        },
        testing::ExitedWithCode(106), "radek 2");
    EXPECT_EXIT(reader("4294967296").readInt(), testing::ExitedWithCode(106), "Runtime error 106");
    EXPECT_EXIT(reader("1,5").readReal(), testing::ExitedWithCode(106), "Runtime error 106");
}

TEST(TextReaderDeathTest, MissingFileEndsWithRunTimeError2) {
    EXPECT_EXIT(TextReader::openOrFail("/nonexistent/folder/kanvo.dat"), testing::ExitedWithCode(2),
                "Runtime error 2");
    EXPECT_FALSE(TextReader::open("/nonexistent/folder/kanvo.dat"));
    // A folder where a file is expected is a file that cannot be opened.
    EXPECT_FALSE(TextReader::open(std::filesystem::temp_directory_path().string()));
}

// A file another program holds without read sharing is read again for about a second, then
// unreadable ("nelze precist"): never taken for a missing one. Only Windows has such a hold;
// elsewhere the test is skipped, as its name says.
TEST(TextReader, OnWindowsAFileHeldFromReadersIsUnreadableNotMissingAndReadWhenLetGo) {
    TempFolder folder;
    folder.write("partie3.txt", "x\r\n");
    const std::string path = (folder.path() / "partie3.txt").string();
    auto held = holdAgainstReaders(path);
    if (!held) GTEST_SKIP() << "this system has no hold that keeps readers out";
    EXPECT_EQ(platform::readFile(path).status, platform::ReadStatus::Unreadable);
    std::thread letGo([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        held.reset();
    });
    EXPECT_EQ(readFileBytes(path), "x\r\n");
    letGo.join();
}

}  // namespace
