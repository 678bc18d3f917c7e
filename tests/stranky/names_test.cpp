// The Czech order of the pairing by name, and turnaj.txt, whose texts are decoded as the names are.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "names.hpp"
#include "tournament_facts.hpp"

namespace {

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
