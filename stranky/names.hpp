// Players' names for the web site: decoded to UTF-8 as everywhere (name_encoding.hpp), and
// sorted as a Czech reader expects.
#pragma once

#include <string>
#include <string_view>

#include "name_encoding.hpp"

// A key whose byte order is the Czech alphabetical order of UTF-8 names: letters with a
// hacek after their base letter (c, c-hacek), ch after h, other accents as the plain letter,
// case ignored.
std::string czechSortKey(std::string_view utf8);
