// A program in a Windows console window (Wine's, on a virtual display, in CI): zadej typed at
// through the console's input, its screen read back cell by cell, characters and colours.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "console_window.hpp"
#include "temp_folder.hpp"

namespace {

// Light green on blue: neither of the programs' colours, and a background to be kept.
constexpr std::uint16_t kStartColours = 0x1A;
constexpr std::uint16_t kYellow = 0x1E, kWhite = 0x1F;
constexpr std::uint32_t kPatience = 60000;  // ms; a start under Wine takes about a second

// Table 1: a name saved in Windows-1250 and one in UTF-8, shown as people read them, each in
// its column of 25 characters.
const std::string kRound = crlf({
    "  5  12   0 0    1  Dvo\xf8\xe1k Ji\xf8\xed                 -   \xc5\xa0\xc5\xa5" "astn\xc3\xa1 Eva           ",
    "  7   1   0 0    2  Hrac C                      -   Hrac D                   ",
    " 16   0 300 300  0  Hrac I                      -   BYE                      ",
});
const std::wstring kNames = L"  Dvo\u0159\u00e1k Ji\u0159\u00ed                 -   \u0160\u0165astn\u00e1 Eva              ";
const std::wstring kPause = L"Konec programu, stisknete enter";

// The screen of `zadej 3` after "1", "412 380" and "0": {yellow}, the rest white.
const std::vector<std::wstring> kSession = {
    L"Losovani - verze 9.2.2009",
    L"-------------------------",
    L"",
    L"{Partie 3.kola }",
    L"",
    L"Nacteno 3 stolu",
    L"Dosud nebylo nacteno 2 vysledku ",
    L"Dosud nezadane stoly : 1 2 ",
    L"{Zadejte cislo stolu : }1",
    kNames + L"    0 :   0",
    L"{Zadejte vysledek (pocty bodu obou hracu oddelene mezerou) : }412 380",
    kNames + L"  412 : 380",
    L"",
    L"Nacteno 3 stolu",
    L"Dosud nebylo nacteno 1 vysledku ",
    L"Dosud nezadane stoly : 2 ",
    L"{Zadejte cislo stolu : }0",
    L"{Stul 0 neexistuje} ",
    L"",
};

class ConsoleWindowTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(window.open(kStartColours, L"left from before\r\n")) << "no console window: run under xvfb-run";
        folder.write("partie3.txt", kRound);
    }

    // zadej 3 in the window, held until resumed.
    void startZadej() { ASSERT_TRUE(window.start("zadej", {L"3"}, folder.path())); }

    TempFolder folder;
    ConsoleWindow window;
};

// For messages: what is not ASCII as "?".
std::string narrow(const std::wstring& text) {
    std::string ascii;
    for (wchar_t c : text) ascii += c < 0x80 ? static_cast<char>(c) : '?';
    return ascii;
}

std::wstring trimmed(const std::wstring& text) { return text.substr(0, text.find_last_not_of(L' ') + 1); }

// The screen from its top: the rows expected, {yellow} and white, then nothing but blanks.
void expectScreen(const ConsoleScreen& shown, const std::vector<std::wstring>& expected) {
    for (std::size_t y = 0; y < shown.rows.size(); ++y) {
        std::wstring want;
        std::vector<std::uint16_t> colours;
        std::uint16_t colour = kWhite;
        for (wchar_t c : y < expected.size() ? expected[y] : L"") {
            if (c == L'{' || c == L'}') {
                colour = c == L'{' ? kYellow : kWhite;
                continue;
            }
            want += c;
            colours.push_back(colour);
        }
        const std::wstring& row = shown.rows[y];
        EXPECT_EQ(row.find(L'\x1b'), std::wstring::npos) << "an escape byte in row " << y << ": " << narrow(row);
        EXPECT_TRUE(trimmed(row) == trimmed(want)) << "row " << y << ": " << narrow(row);
        for (std::size_t x = 0; x < colours.size() && x < row.size(); ++x)
            if (shown.colours[y][x] != colours[x]) {
                ADD_FAILURE() << "row " << y << " column " << x << " has colours 0x" << std::hex << shown.colours[y][x]
                              << ", not 0x" << colours[x] << ": " << narrow(row);
                break;
            }
    }
}

TEST_F(ConsoleWindowTest, DoubleClickedProgramColoursThroughTheConsoleAndWaitsForEnterAtItsEnd) {
    ASSERT_TRUE(window.type(L"1\n412 380\n0\n"));
    startZadej();
    window.leave();  // as after a double click, zadej alone in the window
    window.resume();
    ASSERT_TRUE(window.waitFor(kPause, kPatience)) << narrow(window.screen().rows[0]);
    std::vector<std::wstring> expected = kSession;
    expected.push_back(L"{" + kPause + L"} ");
    expectScreen(window.screen(), expected);
    EXPECT_FALSE(window.exitCode(500)) << "no wait for Enter";

    ASSERT_TRUE(window.type(L"\n"));
    EXPECT_EQ(window.exitCode(kPatience), 0u);
    EXPECT_EQ(window.screen().current, kStartColours) << "the console's colours back";
    EXPECT_NE(folder.read("partie3.txt").find("  5  12   412  380"), std::string::npos);
}

TEST_F(ConsoleWindowTest, ProgramStartedBesideAnotherEndsWithoutWaiting) {
    ASSERT_TRUE(window.type(L"1\n412 380\n0\n"));
    startZadej();
    window.resume();
    EXPECT_EQ(window.exitCode(kPatience), 0u);
    expectScreen(window.screen(), kSession);
    EXPECT_EQ(window.screen().current, kStartColours);
}

// The console sends Ctrl+C to every program in it; zadej ends, with the console's colours
// back, and passes nothing on. It ends either in its handler or, when the console's ending of
// the read reaches it first, at the end of its input: Windows does not order the two.
TEST_F(ConsoleWindowTest, CtrlCEndsTheProgramAloneWithTheColoursBack) {
    using namespace std::chrono_literals;
    startCountingControlC();
    startZadej();
    window.resume();
    ASSERT_TRUE(window.waitFor(L"Zadejte cislo stolu : ", kPatience));
    ASSERT_TRUE(window.pressControlC());
    const auto code = window.exitCode(kPatience);
    EXPECT_TRUE(code == kEndedByControlC || code == 1u) << std::hex << code.value_or(0);
    for (auto waited = 0ms; waited < 5000ms && controlCCounted() == 0; waited += 50ms) std::this_thread::sleep_for(50ms);
    std::this_thread::sleep_for(200ms);
    EXPECT_EQ(controlCCounted(), 1) << "one Ctrl+C, passed on to nobody";
    stopCountingControlC();
    EXPECT_EQ(window.screen().current, kStartColours);
    auto left = folder.files();
    left.erase("zamek.lck");  // made at the start, where zadej checks the folder's lock
    EXPECT_EQ(left.size(), 1u) << "nothing left beside the round file and the lock file";
}

}  // namespace
