// Players' names as people read them: osoby.dat and the round files may hold ASCII, UTF-8 or
// Windows-1250 (what a Czech Windows editor writes); a name is decoded to UTF-8 one way for all.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Valid UTF-8 (no overlong form, no surrogate, nothing past U+10FFFF).
bool isValidUtf8(std::string_view bytes);

// The code point starting at pos of valid UTF-8; pos moves past it.
char32_t nextCodePoint(std::string_view utf8, std::size_t& pos);

// The name as UTF-8: valid UTF-8 as it is, anything else read as Windows-1250. Control
// characters become blanks (a page or a console cannot show them), and blanks at the end are
// dropped.
std::string nameAsUtf8(std::string_view bytes);

// A name that a column of `width` bytes may have cut (los keeps 30 bytes of a name): when the
// cut split a UTF-8 character of a UTF-8 name, the name without that character's start;
// otherwise as nameAsUtf8.
std::string columnNameAsUtf8(std::string_view bytes, std::size_t width);

// Characters of UTF-8 text, as a column counts them.
std::size_t characterCount(std::string_view utf8);
// UTF-8 text padded with blanks on the right to width characters; longer text stays whole.
std::string padCharacters(std::string utf8, std::size_t width);
