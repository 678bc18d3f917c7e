// The Czech order of the pairing by name.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "names.hpp"

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

}  // namespace
