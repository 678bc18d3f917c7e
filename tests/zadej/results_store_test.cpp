// Two results desks on one round, each with its own loaded copy, keyboard and screen: results
// stored by one are kept by the other, a re-paired round is left alone, a failed replace retried.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <sstream>
#include <thread>

#include "fixed.hpp"
#include "lock_record.hpp"
#include "results_store.hpp"
#include "temp_folder.hpp"

namespace {

const std::string kNames1 = "  Hrac A                      -   Hrac B                   ";
const std::string kNames2 = "  Hrac C                      -   Hrac D                   ";
const std::string kAskOverwrite = "Prepsat starsi vysledek? a/n ";

// Round 3 in the results layout: tables 1 and 2 with their scores.
std::string roundFile(std::int32_t a1, std::int32_t a2, std::int32_t b1, std::int32_t b2) {
    return resultLine({5, 12, a1, a2, 1, kNames1}) + "\r\n" + resultLine({7, 1, b1, b2, 2, kNames2}) + "\r\n";
}

// A game as a desk shows it: the names part as the file holds it, then the scores.
std::string game(const std::string& names, std::int32_t v1, std::int32_t v2) {
    return names + "  " + formatInt(v1, 3) + " : " + formatInt(v2, 3) + "\n";
}

std::string game1(std::int32_t v1, std::int32_t v2) { return game(kNames1, v1, v2); }

// Answer lines typed at a desk, and what happens elsewhere while the first one is awaited.
class Keyboard : public std::streambuf {
public:
    explicit Keyboard(std::string answers) : answers_(std::move(answers)) {}
    std::function<void()> whileWaiting;

protected:
    int_type underflow() override {
        if (started_) return traits_type::eof();
        started_ = true;
        if (whileWaiting) whileWaiting();
        setg(answers_.data(), answers_.data(), answers_.data() + answers_.size());
        return answers_.empty() ? traits_type::eof() : traits_type::to_int_type(answers_[0]);
    }

private:
    std::string answers_;
    bool started_ = false;
};

OwnResults ownResultsOfRound3() {
    OwnResults own;
    own.round = 3;
    return own;
}

// A zadej session that loaded the round file when it was made.
struct Desk {
    Desk(const std::string& file, std::string answers = {}) : path(file), keys(std::move(answers)) {
        shown = *loadEntries(path);
    }
    StoreOutcome store(std::size_t table, std::int32_t v1, std::int32_t v2, RoundFileWriter write = writeRoundFile) {
        return storeResult(console, path, shown, {table - 1, v1, v2}, own, write);
    }
    std::string path;
    Keyboard keys;
    std::istream in{&keys};
    std::ostringstream screen;
    Console console{&in, &screen, false};
    std::vector<Table> shown;
    OwnResults own = ownResultsOfRound3();
};

class TwoDesks : public testing::Test {
protected:
    TempFolder folder;
    const std::string path = (folder.path() / "partie3.txt").string();
};

TEST_F(TwoDesks, ResultsOfBothDesksAreKept) {
    folder.write("partie3.txt", roundFile(0, 0, 0, 0));
    Desk a(path), b(path);
    EXPECT_EQ(b.store(2, 350, 300), StoreOutcome::Done);
    EXPECT_EQ(a.store(1, 412, 380), StoreOutcome::Done);
    EXPECT_EQ(folder.read("partie3.txt"), roundFile(412, 380, 350, 300));
    EXPECT_EQ(a.screen.str(), game1(412, 380)) << "a table still 0 0 needs no question";
}

TEST_F(TwoDesks, ATableStoredMeanwhileIsShownAndAskedAboutAfterEveryChange) {
    folder.write("partie3.txt", roundFile(0, 0, 0, 0));
    Desk a(path, "a\na\n"), b(path, "a\n");
    b.store(1, 400, 390);
    // While a's question waits, b corrects its result: no lock may be held meanwhile.
    a.keys.whileWaiting = [&] {
        Desk again(path, "a\n");
        again.store(1, 401, 391);
    };
    a.store(1, 412, 380);
    EXPECT_EQ(a.screen.str(),
              game1(400, 390) + game1(412, 380) + kAskOverwrite + game1(401, 391) + game1(412, 380) + kAskOverwrite);
    EXPECT_EQ(folder.read("partie3.txt"), roundFile(412, 380, 0, 0));

    Desk declines(path, "n\n");
    folder.write("partie3.txt", roundFile(300, 200, 0, 0));
    declines.store(1, 412, 380);
    EXPECT_EQ(declines.screen.str(), game1(300, 200) + game1(412, 380) + kAskOverwrite);
    EXPECT_EQ(folder.read("partie3.txt"), roundFile(300, 200, 0, 0));
}

TEST_F(TwoDesks, ARoundPairedAgainGetsNothingStoredAndAVanishedFileIsReported) {
    const std::string changed = "Soubor " + path + " byl mezitim zmenen, vysledek nebyl ulozen\n";
    for (const std::string& repaired :
         {crlf({"  5   1   0 0    1" + kNames1, "  7  12   0 0    2" + kNames2}), crlf({"  5  12   0 0    1" + kNames1})}) {
        folder.write("partie3.txt", roundFile(0, 0, 0, 0));
        Desk a(path);
        folder.write("partie3.txt", repaired);
        EXPECT_EQ(a.store(1, 412, 380), StoreOutcome::Done);
        EXPECT_EQ(a.screen.str(), changed);
        EXPECT_EQ(folder.read("partie3.txt"), repaired);
    }
    Desk a(path);
    folder.remove("partie3.txt");
    EXPECT_EQ(a.store(1, 412, 380), StoreOutcome::FileMissing);
    EXPECT_FALSE(folder.exists("partie3.txt"));
    // Missing for a moment, as while another computer's replace removes it before its rename.
    std::thread replace([&] {
        platform::sleepMilliseconds(300);
        folder.write("partie3.txt", roundFile(0, 0, 0, 0));
    });
    EXPECT_TRUE(loadEntries(path));
    replace.join();
}

// The round file read under the lock shows an older generation than the lock file records, as a
// network client's stale cache does: the recorded one is stored into, never the stale one. A
// round file changed by hand is taken as it is.
TEST_F(TwoDesks, AStaleCopyIsNeverWrittenBackAndAHandEditIsKept) {
    const std::string asLosWroteIt = roundFile(0, 0, 0, 0) + "\r\n";  // a store drops the blank line
    folder.write("partie3.txt", asLosWroteIt);
    Desk a(path), b(path);
    b.store(2, 350, 300);
    folder.write("partie3.txt", asLosWroteIt);
    EXPECT_EQ(a.store(1, 412, 380), StoreOutcome::Done);
    EXPECT_EQ(folder.read("partie3.txt"), roundFile(412, 380, 350, 300));

    folder.write("partie3.txt", roundFile(412, 380, 0, 0));  // the organiser's editor
    Desk c(path);
    c.store(2, 351, 301);
    EXPECT_EQ(c.screen.str(), game(kNames2, 351, 301)) << "no question";
    EXPECT_EQ(folder.read("partie3.txt"), roundFile(412, 380, 351, 301));
}

// The other desk, on a computer whose lock this one never sees, wrote the round from a copy taken
// before this desk's store: the desk puts its result back, at its end too, and warns once; a pair
// the other desk typed over it stays.
TEST_F(TwoDesks, AResultUndoneElsewhereIsStoredAgainWithOneWarning) {
    folder.write("partie3.txt", roundFile(0, 0, 0, 0));
    Desk a(path);
    a.store(1, 412, 380);
    for (int undone = 0; undone < 2; ++undone) {
        folder.write("zamek.lck", "");
        folder.write("partie3.txt", roundFile(0, 0, 350, 300));
        finishStores(a.console, path, a.own);
        EXPECT_EQ(folder.read("partie3.txt"), roundFile(412, 380, 350, 300));
    }
    EXPECT_EQ(a.screen.str(), game1(412, 380) + "Zamykani slozky mezi pocitaci nefunguje, zadavejte vysledky jen na "
                                                "jednom pocitaci\n");
    folder.write("partie3.txt", roundFile(300, 200, 350, 300));
    finishStores(a.console, path, a.own);
    EXPECT_EQ(folder.read("partie3.txt"), roundFile(300, 200, 350, 300));

    // los paired the round again, the same pairs, its results kept in zaloha: not a lost update.
    const auto pairAgain = [&](int m) {
        folder.write("zaloha/partie3-" + std::to_string(m) + ".txt", folder.read("partie3.txt"));
        folder.write("partie3.txt", roundFile(0, 0, 0, 0));
        folder.write("zamek.lck", "");
    };
    std::filesystem::create_directory(folder.path() / "zaloha");
    pairAgain(1);
    Desk b(path);
    b.store(1, 412, 380);
    pairAgain(2);
    b.store(2, 351, 301);
    finishStores(b.console, path, b.own);
    EXPECT_EQ(folder.read("partie3.txt"), roundFile(0, 0, 351, 301));
    EXPECT_EQ(b.screen.str(), game1(412, 380) + game(kNames2, 351, 301)) << "no warning";
}

// The other computer, whose lock this one never sees, wrote the round and its record after this
// desk's last store, from a copy without it; this computer still reads its own last write. The
// record's round is the current one, and this desk's result goes back into it.
TEST_F(TwoDesks, ItsOwnLastWriteReadBackUnderANewerRecordIsAStaleCopy) {
    folder.write("partie3.txt", roundFile(0, 0, 0, 0));
    Desk a(path);
    a.store(1, 412, 380);
    LockRecord elsewhere;
    recordStore(elsewhere, "partie3.txt", roundFile(0, 0, 0, 0), roundFile(0, 0, 350, 300));
    folder.write("zamek.lck", lockRecordBytes(elsewhere));
    finishStores(a.console, path, a.own);
    EXPECT_EQ(folder.read("partie3.txt"), roundFile(412, 380, 350, 300));
}

// The other computer goes on storing while this desk waits for its cache of the round file (bytes
// no record knows) to catch up: once the record moves on under the lock held here, the round it
// holds is the current one, and this desk's result goes into it.
TEST_F(TwoDesks, ARecordWrittenElsewhereUnderThisDesksLockHoldsTheCurrentRound) {
    folder.write("partie3.txt", roundFile(0, 0, 0, 0));
    Desk a(path);
    LockRecord elsewhere;
    recordPairing(elsewhere, "partie3.txt", roundFile(0, 0, 0, 0));
    folder.write("zamek.lck", lockRecordBytes(elsewhere));
    folder.write("partie3.txt", roundFile(0, 0, 350, 300));
    recordStore(elsewhere, "partie3.txt", roundFile(0, 0, 0, 0), roundFile(0, 0, 351, 301));
    std::thread other([&] {
        platform::sleepMilliseconds(300);
        // In place, as the lock file is written, past the first byte (the lock's own on Windows,
        // the same in every record): a longer record over a shorter one.
        std::fstream lockFile(folder.path() / "zamek.lck", std::ios::in | std::ios::out | std::ios::binary);
        lockFile.seekp(1);
        lockFile << lockRecordBytes(elsewhere).substr(1);
    });
    a.store(1, 412, 380);
    other.join();
    EXPECT_EQ(folder.read("partie3.txt"), roundFile(412, 380, 351, 301));
}

int failuresLeft = 0;
ReplaceResult failingWriter(const std::string& fileName, const std::string& bytes) {
    if (failuresLeft == 0) return writeRoundFile(fileName, bytes);
    --failuresLeft;
    return {};
}

// The file replaced, its folder flush failed: the result is stored and not offered again.
ReplaceResult unflushedWriter(const std::string& fileName, const std::string& bytes) {
    const ReplaceResult written = writeRoundFile(fileName, bytes);
    return {written.outcome == platform::ReplaceOutcome::Failed ? written.outcome : platform::ReplaceOutcome::ReplacedNotDurable, {}};
}

TEST_F(TwoDesks, AFailedReplaceKeepsTheResultForAnotherTryAndAnUnflushedOneIsStored) {
    folder.write("partie3.txt", roundFile(0, 0, 0, 0));
    const std::string askAgain = "Soubor " + path + " nelze zapsat. Zkusit znovu? a/n ";
    Desk a(path, "a\na\n");
    failuresLeft = 2;
    a.store(1, 412, 380, failingWriter);
    EXPECT_EQ(a.screen.str(), game1(412, 380) + askAgain + askAgain);
    EXPECT_EQ(folder.read("partie3.txt"), roundFile(412, 380, 0, 0));

    Desk b(path);
    EXPECT_EQ(b.store(2, 350, 300, unflushedWriter), StoreOutcome::Done);
    EXPECT_EQ(b.screen.str(), game(kNames2, 350, 300) + "Soubor " + path +
                                  " byl zapsan, ale nemusi prezit vypadek proudu\n");
    EXPECT_EQ(folder.read("partie3.txt"), roundFile(412, 380, 350, 300));

    Desk givesUp(path, "a\nn\n");  // overwrite: yes; try again: no
    failuresLeft = 1;
    EXPECT_EXIT(givesUp.store(1, 400, 390, failingWriter), testing::ExitedWithCode(1), "partie3.txt nelze zapsat");
}

}  // namespace
