// turnaj.txt, the tournament's name and facts for the site: lines "klic: hodnota" (nazev, misto,
// datum, poradatel, rozhodci, adresa) in UTF-8 or Windows-1250. No other program reads it.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "text_reader.hpp"

inline constexpr const char* kFactsFileName = "turnaj.txt";
inline constexpr const char* kDefaultTournamentName = "Turnaj";
// The longest line taken, in bytes as the file holds them; a longer one is left out.
inline constexpr std::size_t kMaxFactLine = 200;

// Every text in UTF-8; an empty one was not given.
struct TournamentFacts {
    std::string name = kDefaultTournamentName;
    std::string place, date, organiser, arbiter, address;  // address: the site's public address
};

// The facts of the file (keys in either case, with or without diacritics). A line that cannot
// be used (an unknown key, no colon, too long) is left out with a console line in warnings.
TournamentFacts readFacts(TextReader facts, std::vector<std::string>& warnings);
