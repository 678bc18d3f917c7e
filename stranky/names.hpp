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

// The letter a Czech dictionary files the name under, as its heading: "A", "\u010c", "Ch"; a
// digit or sign as it is; "\u2026" for anything else (no name, a letter of another alphabet).
std::string czechInitial(std::string_view utf8);

// The text in lower-case ASCII: letters without their diacritics, a character that has no
// such letter as "?" (keys of turnaj.txt, and what the console may show of them).
std::string asciiFolded(std::string_view utf8);

// A decoded name without the blanks at its start (a tab or a second blank after the number in
// osoby.dat), so that it sorts and shows by its first letter.
std::string trimmedName(std::string_view utf8);
