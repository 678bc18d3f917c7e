// Escaping of names for the HTML pages.
#include <gtest/gtest.h>

#include "html.hpp"

namespace {

TEST(HtmlEscape, ReplacesTheFourMarkupCharactersOnly) {
    EXPECT_EQ(htmlEscape("Kral & Kralovna"), "Kral &amp; Kralovna");
    EXPECT_EQ(htmlEscape("Dvorak <junior>"), "Dvorak &lt;junior&gt;");
    EXPECT_EQ(htmlEscape("\"Pepa\" O'Neil"), "&quot;Pepa&quot; O'Neil");
    EXPECT_EQ(htmlEscape("&amp;"), "&amp;amp;") << "already escaped text is escaped again";
    EXPECT_EQ(htmlEscape("  Hrac A  "), "  Hrac A  ");
    EXPECT_EQ(htmlEscape(""), "");
}

}  // namespace
