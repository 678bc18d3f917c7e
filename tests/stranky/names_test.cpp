// Names of osoby.dat as the site shows them: UTF-8 kept, Windows-1250 converted (every byte of
// its upper half), controls made blanks; the Czech order of the pairing by name; and turnaj.txt,
// whose texts are decoded the same way.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "names.hpp"
#include "tournament_facts.hpp"

namespace {

struct NameCase {
    const char* what;
    std::string bytes;
    std::string utf8;
};

TEST(Names, DecodedAsUtf8OrWindows1250) {
    const std::vector<NameCase> cases = {
        {"ASCII as it is", std::string("Novak Jan", 9), "Novak Jan"},
        {"valid UTF-8 as it is", std::string("\xc5\x98" "eho\xc5\x99 \xc5\xa0\xc5\xa5" "astn\xc3\xa1", 18), "\xc5\x98" "eho\xc5\x99 \xc5\xa0\xc5\xa5" "astn\xc3\xa1"},
        {"Windows-1250 converted", std::string("\x8elu\x9dou\xe8k\xfd k\xf9\xf2", 13), "\xc5\xbdlu\xc5\xa5ou\xc4\x8dk\xc3\xbd k\xc5\xaf\xc5\x88"},
        {"a lone lead byte is Windows-1250", std::string("\xc3(", 2), "\xc4\x82("},
        {"an overlong form is Windows-1250", std::string("\xc0\xaf", 2), "\xc5\x94\xc5\xbb"},
        {"a surrogate is Windows-1250", std::string("\xed\xa0\x80", 3), "\xc3\xad\xc2\xa0\xe2\x82\xac"},
        {"controls become blanks, end blanks go", std::string("A\x09" "B\x01" "C  ", 7), "A B C"},
        {"C1 controls of UTF-8 become blanks", std::string("a\xc2\x85" "b", 4), "a b"},
        {"the whole upper half of Windows-1250", std::string("\x80\x81\x82\x83\x84\x85\x86\x87\x88\x89\x8a\x8b\x8c\x8d\x8e\x8f\x90\x91\x92\x93\x94\x95\x96\x97\x98\x99\x9a\x9b\x9c\x9d\x9e\x9f\xa0\xa1\xa2\xa3\xa4\xa5\xa6\xa7\xa8\xa9\xaa\xab\xac\xad\xae\xaf\xb0\xb1\xb2\xb3\xb4\xb5\xb6\xb7\xb8\xb9\xba\xbb\xbc\xbd\xbe\xbf\xc0\xc1\xc2\xc3\xc4\xc5\xc6\xc7\xc8\xc9\xca\xcb\xcc\xcd\xce\xcf\xd0\xd1\xd2\xd3\xd4\xd5\xd6\xd7\xd8\xd9\xda\xdb\xdc\xdd\xde\xdf\xe0\xe1\xe2\xe3\xe4\xe5\xe6\xe7\xe8\xe9\xea\xeb\xec\xed\xee\xef\xf0\xf1\xf2\xf3\xf4\xf5\xf6\xf7\xf8\xf9\xfa\xfb\xfc\xfd\xfe\xff", 128),
         // What Python's cp1250 codec gives, the five undefined bytes as U+FFFD.
         "\xe2\x82\xac\xef\xbf\xbd\xe2\x80\x9a\xef\xbf\xbd\xe2\x80\x9e\xe2\x80\xa6\xe2\x80\xa0\xe2\x80\xa1\xef\xbf\xbd\xe2\x80\xb0\xc5\xa0\xe2\x80\xb9\xc5\x9a\xc5\xa4\xc5\xbd\xc5\xb9\xef\xbf\xbd\xe2\x80\x98\xe2\x80\x99\xe2\x80\x9c\xe2\x80\x9d\xe2\x80\xa2\xe2\x80\x93\xe2\x80\x94\xef\xbf\xbd\xe2\x84\xa2\xc5\xa1\xe2\x80\xba\xc5\x9b\xc5\xa5\xc5\xbe\xc5\xba\xc2\xa0\xcb\x87\xcb\x98\xc5\x81\xc2\xa4\xc4\x84\xc2\xa6\xc2\xa7\xc2\xa8\xc2\xa9\xc5\x9e\xc2\xab\xc2\xac\xc2\xad\xc2\xae\xc5\xbb\xc2\xb0\xc2\xb1\xcb\x9b\xc5\x82\xc2\xb4\xc2\xb5\xc2\xb6\xc2\xb7\xc2\xb8\xc4\x85\xc5\x9f\xc2\xbb\xc4\xbd\xcb\x9d\xc4\xbe\xc5\xbc\xc5\x94\xc3\x81\xc3\x82\xc4\x82\xc3\x84\xc4\xb9\xc4\x86\xc3\x87\xc4\x8c\xc3\x89\xc4\x98\xc3\x8b\xc4\x9a\xc3\x8d\xc3\x8e\xc4\x8e\xc4\x90\xc5\x83\xc5\x87\xc3\x93\xc3\x94\xc5\x90\xc3\x96\xc3\x97\xc5\x98\xc5\xae\xc3\x9a\xc5\xb0\xc3\x9c\xc3\x9d\xc5\xa2\xc3\x9f\xc5\x95\xc3\xa1\xc3\xa2\xc4\x83\xc3\xa4\xc4\xba\xc4\x87\xc3\xa7\xc4\x8d\xc3\xa9\xc4\x99\xc3\xab\xc4\x9b\xc3\xad\xc3\xae\xc4\x8f\xc4\x91\xc5\x84\xc5\x88\xc3\xb3\xc3\xb4\xc5\x91\xc3\xb6\xc3\xb7\xc5\x99\xc5\xaf\xc3\xba\xc5\xb1\xc3\xbc\xc3\xbd\xc5\xa3\xcb\x99"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(nameAsUtf8(c.bytes), c.utf8) << c.what;
        EXPECT_TRUE(isValidUtf8(nameAsUtf8(c.bytes))) << c.what;
    }
}

TEST(Names, CzechAlphabeticalOrder) {
    const std::vector<std::string> ordered = {"\xc3\x81" "bel", "Adam", "Cibulka", "\xc4\x8c" "ech", "Hora", "Chalupa", "Ivan",
                                              "Rybka", "\xc5\x98" "ezn\xc3\xadk", "S\xc3\xbdkora", "\xc5\xa0imek", "zeman",
                                              "\xc5\xbd\xc3\xa1k"};
    std::vector<std::string> names(ordered.rbegin(), ordered.rend());
    std::stable_sort(names.begin(), names.end(),
                     [](const std::string& a, const std::string& b) { return czechSortKey(a) < czechSortKey(b); });
    EXPECT_EQ(names, ordered);
}

TEST(TournamentFacts, EitherEncodingAByteOrderMarkAndLinesLeftOut) {
    struct Case {
        const char* what;
        std::string file;
        std::string name, place;
        std::vector<std::string> warnings;
    };
    const std::vector<Case> cases = {
        {"UTF-8 after a byte-order mark", "\xef\xbb\xbfnazev: Velk\xc3\xa1 cena \xc5\xbd\xc4\x8f\xc3\xa1ru\r\nmisto:Brno\r\n",
         "Velk\xc3\xa1 cena \xc5\xbd\xc4\x8f\xc3\xa1ru", "Brno", {}},
        {"Windows-1250, a key with diacritics in capitals", "N\xc1ZEV :  \x8e\xef\xe1r\t\r\n\r\n# pozn\xe1mka\r\nM\xcdsto: Brno",
         "\xc5\xbd\xc4\x8f\xc3\xa1r", "Brno", {}},
        {"lines that cannot be used",
         "barva: modr\xe1\nBrno\nmisto: " + std::string(kMaxFactLine, 'x') + "\nm\xedsto: Praha\n\xc5\x99" "ad: 1\nnazev:\n",
         "Turnaj", "Praha",
         {"Soubor turnaj.txt, radek 1: neznamy klic \"barva\", radek vynechan",
          "Soubor turnaj.txt, radek 2: chybi dvojtecka za klicem, radek vynechan",
          "Soubor turnaj.txt, radek 3: delsi nez 200 znaku, vynechan",
          "Soubor turnaj.txt, radek 5: neznamy klic \"rad\", radek vynechan"}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> warnings;
        const TournamentFacts facts = readFacts(TextReader(kFactsFileName, c.file), warnings);
        EXPECT_EQ(facts.name, c.name) << c.what;
        EXPECT_EQ(facts.place, c.place) << c.what;
        EXPECT_EQ(warnings, c.warnings) << c.what;
    }
}

}  // namespace
