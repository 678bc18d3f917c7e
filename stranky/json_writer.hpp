// web/turnaj.json: the whole tournament as data for rating officers and other programs (its
// fields are listed in the README), and the JSON forms of a string and of a real number.
#pragma once

#include <string>
#include <string_view>

#include "tournament.hpp"

// A JSON string: quotes, the backslash and every control character escaped (\u00XX, or the
// short forms \n \r \t \b \f); everything else, UTF-8 included, as it is.
std::string jsonString(std::string_view utf8);
// The shortest decimal that reads back as exactly this double; null for a non-finite value.
std::string jsonNumber(double value);

// The version of the file's fields, raised when a field changes its meaning or goes.
inline constexpr int kJsonFormat = 2;

std::string tournamentJson(const Tournament& tournament);
