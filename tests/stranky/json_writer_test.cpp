// The JSON forms that turnaj.json is made of: strings escaped so that any name stays one valid
// string, and reals that read back as exactly the double that was computed.
#include <gtest/gtest.h>

#include <cstdlib>
#include <limits>
#include <random>
#include <string>

#include "json_writer.hpp"

namespace {

TEST(JsonWriter, StringsEscapeQuotesBackslashesAndEveryControlCharacter) {
    EXPECT_EQ(jsonString("O'Brien \"Big\" \\ Joe"), "\"O'Brien \\\"Big\\\" \\\\ Joe\"");
    EXPECT_EQ(jsonString(std::string("a\nb\rc\td\x01" "e\x1f" "f\x7f", 12)), "\"a\\nb\\rc\\td\\u0001e\\u001ff\x7f\"");
    EXPECT_EQ(jsonString(std::string("\0", 1)), "\"\\u0000\"");
    EXPECT_EQ(jsonString("\xc5\x98" "eho\xc5\x99 </script>"), "\"\xc5\x98" "eho\xc5\x99 </script>\"") << "UTF-8 as it is";
}

TEST(JsonWriter, NumbersReadBackExactly) {
    EXPECT_EQ(jsonNumber(0.1), "0.1");
    EXPECT_EQ(jsonNumber(1487.3), "1487.3");
    EXPECT_EQ(jsonNumber(3.0), "3");
    EXPECT_EQ(jsonNumber(0.30000000000000004), "0.30000000000000004");
    EXPECT_EQ(jsonNumber(-12.34), "-12.34");
    EXPECT_EQ(jsonNumber(1e300), "1e+300");
    EXPECT_EQ(jsonNumber(std::numeric_limits<double>::infinity()), "null") << "JSON has no infinity";
    EXPECT_EQ(jsonNumber(std::numeric_limits<double>::quiet_NaN()), "null");
    std::mt19937_64 random(19);
    std::uniform_real_distribution<double> ratings(-3000.0, 3000.0);
    for (int i = 0; i < 10000; ++i) {
        const double value = ratings(random) / 7.0;
        EXPECT_EQ(std::strtod(jsonNumber(value).c_str(), nullptr), value);
    }
}

}  // namespace
