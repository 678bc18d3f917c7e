// Players' names for the web site: osoby.dat may be ASCII, UTF-8 or Windows-1250 (what a Czech
// Windows editor writes); the site needs UTF-8, and names sorted as a Czech reader expects.
#pragma once

#include <string>
#include <string_view>

// Valid UTF-8 (no overlong form, no surrogate, nothing past U+10FFFF).
bool isValidUtf8(std::string_view bytes);

// The name as UTF-8: valid UTF-8 as it is, anything else read as Windows-1250. Control
// characters become blanks (a page cannot hold them), and blanks at the end are dropped.
std::string nameAsUtf8(std::string_view bytes);

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
