// The generator and the seed dialogue: the reference output of MT19937, Random(n), the
// stored seed, the question and the new seed.
#include <gtest/gtest.h>

#include <regex>
#include <sstream>

#include "random_seed.hpp"
#include "task_helpers.hpp"
#include "temp_folder.hpp"

namespace {

TEST(RandomSeed, GeneratorIsTheStandardMersenneTwister) {
    RandomGenerator generator;
    generator.engine.seed(5489);
    RandomGenerator copy = generator;
    EXPECT_EQ(generator.engine(), 3499211612u);
    // Random(n) is the upper half of n times the output.
    EXPECT_EQ(Random(copy, 1000), 814u);
}

struct Dialogue {
    std::istringstream in;
    std::ostringstream out;
    Console console{&in, &out, false};
    explicit Dialogue(const std::string& answers) : in(answers) {}
};

class SeedDialogue : public testing::Test {
protected:
    TempFolder folder;
    CurrentFolder current{folder.path()};
    RandomGenerator generator;

    std::uint32_t firstDraw() { return generator.engine(); }
    static std::uint32_t firstDrawOf(std::uint32_t seed) { return std::mt19937(seed)(); }
};

TEST_F(SeedDialogue, StoredSeedKeptOnYes) {
    folder.write("randseed.txt", "12345\r\n");
    Dialogue d("x\na\n");
    INITRANDOM(generator, d.console);
    const std::string question = "Pouzit stavajici hodnotu generatora nah.cisel (12345)? a/n ";
    EXPECT_EQ(d.out.str(), question + question);
    EXPECT_EQ(folder.read("randseed.txt"), "12345\r\n");
    EXPECT_EQ(firstDraw(), firstDrawOf(12345));
}

TEST_F(SeedDialogue, NewSeedOnNoIsStoredAndShown) {
    folder.write("randseed.txt", "12345\r\n");
    Dialogue d("A\nn\n");
    INITRANDOM(generator, d.console);
    std::smatch match;
    const std::string out = d.out.str();
    ASSERT_TRUE(std::regex_match(out, match,
                                 std::regex("(Pouzit stavajici hodnotu generatora nah.cisel \\(12345\\)\\? a/n ){2}"
                                            "Nova hodnota generatora nah.cisel : ([0-9]+)\n\n")))
        << out;
    const std::string seed = match[2];
    EXPECT_EQ(folder.read("randseed.txt"), seed + "\r\n");
    EXPECT_LT(std::stoull(seed), kSeedRange);
    EXPECT_EQ(firstDraw(), firstDrawOf(static_cast<std::uint32_t>(std::stoul(seed))));
}

TEST_F(SeedDialogue, MissingOrUnreadableFileGivesANewSeedWithoutAsking) {
    for (const char* content : {"", "abc\r\n", "12a\r\n", "-5\r\n", "2147483648\r\n", "x\r12\r\n"}) {
        if (*content) folder.write("randseed.txt", content);
        Dialogue d("");
        INITRANDOM(generator, d.console);
        EXPECT_EQ(d.out.str().rfind("Nova hodnota generatora nah.cisel : ", 0), 0u) << content;
        EXPECT_TRUE(storedSeed(folder.read("randseed.txt")).has_value());
        folder.remove("randseed.txt");
    }
    EXPECT_EQ(storedSeed("2147483647\r\n"), 2147483647u);
    // A number token ends at the first character with code 32 or below, a lone CR too.
    folder.write("randseed.txt", "\r\n12\r34\r\n");
    Dialogue d("a\n");
    INITRANDOM(generator, d.console);
    EXPECT_NE(d.out.str().find("(12)?"), std::string::npos) << d.out.str();
}

// The task file erased and the seed file kept are seen in a run of los (los_run_test): a death
// test on Windows runs in a fresh copy of the test program, whose folder is not this one.
TEST_F(SeedDialogue, EndOfInputStops) {
    folder.write("randseed.txt", "12345\r\n");
    folder.write("zadani.txt", "0\r\n");
    EXPECT_EXIT(
        {
            Dialogue d("x\n");
            INITRANDOM(generator, d.console);
        },
        testing::ExitedWithCode(1), "");
}

}  // namespace
