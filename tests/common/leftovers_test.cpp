// The sweep's rules against a fake of what it asks the system: which names are the suite's
// temporaries, whose they are and when a leftover may go.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "leftovers.hpp"
#include "temporary_names.hpp"

namespace {

struct Case {
    const char* entry;
    std::optional<std::int64_t> age;  // nothing: not a plain file
    bool removed;
    SuiteFiles suiteFiles = isTournamentFile;
};

TEST(Leftovers, OnlyTheSuitesDeadTemporariesGo) {
    const std::set<std::uint32_t> running{100, 1};
    const std::set<std::string> present{"partie4.txt", "kanvo.dat"};
    const Case cases[] = {
        {"partie4.txt.tmp.desk1.200", 0, true},       // this computer, its writer gone
        {"partie4.txt.tmp.desk1.100", 0, false},      // its writer still runs
        {"partie4.txt.tmp.desk1.100.2", 3600, true},  // an hour: the number is another process's now
        {"kanvo.dat.tmp.desk2.200", 3599, false},     // another computer's, maybe at work
        {"kanvo.dat.tmp.desk2.200", 3600, true},
        {"partie4.txt.tmp.200", 59, false},           // the earlier naming: a minute, then by process
        {"partie4.txt.tmp.200.1", 60, true},
        {"partie4.txt.tmp.1", 60, false},
        {"partie4.txt.tmp.1", 3600, true},
        {"zadani.txt.tmp.desk1.200", 0, true},        // a target the run erases is never there
        {"partie9.txt.tmp.desk1.200", 3600, false},   // the round file is gone: maybe its only copy
        {"partie4.txt.tmp.desk1.200", std::nullopt, false},  // a link or a folder
        {"vysledky.xlsx.tmp.2024", 99999, false},     // not the suite's
        {"poznamky.txt.tmp.7", 99999, false},
        {"partie4.txt.tmp.Desk1.200", 99999, false},  // no name the suite makes
        {"partie4.txt.tmp.desk1.200", 0, false, isBackupCopy},
        {"partie4-2.txt.tmp.desk1.200", 0, true, isBackupCopy},
        {"hrac12.html.tmp.desk1.200", 0, true, isSitePage},
        {"kolo3-poradi.csv.tmp.desk1.200", 0, true, isSitePage},
        {"nahrano.txt.tmp.desk1.200", 0, true, isSitePage},
        {"logo.png.tmp.desk1.200", 0, false, isSitePage},
    };
    for (const Case& c : cases) {
        const SweepFacts facts{"desk1", [&](std::uint32_t process) { return running.count(process) > 0; },
                               [&](const std::string&) { return c.age; },
                               [&](const std::string& name) { return present.count(name) > 0; }};
        EXPECT_EQ(isLeftover(c.entry, facts, c.suiteFiles), c.removed) << c.entry << " aged " << c.age.value_or(-1);
    }
}

TEST(Leftovers, TemporaryNamesSayTheirComputerAndReadBack) {
    EXPECT_EQ(computerToken("DESKTOP-7QK2.lan"), "desktop-7qk2lan");
    EXPECT_EQ(computerToken("1234"), "pc1234") << "never read as a process number";
    EXPECT_EQ(computerToken(""), "pc");
    const std::string name = temporaryName("partie4.txt", "desk1", 4242, 3);
    EXPECT_EQ(name, "partie4.txt.tmp.desk1.4242.3");
    const auto read = temporaryOf(name);
    ASSERT_TRUE(read);
    EXPECT_EQ(std::make_tuple(read->target, read->computer, read->process), std::make_tuple("partie4.txt", "desk1", 4242u));
}

}  // namespace
