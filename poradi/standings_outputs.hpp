// The three outputs of the standings after round N: the text file poradi<N>.txt, the games
// page partie<N>.htm and the standings page poradi<N>.htm, in that order.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "game_files.hpp"
#include "standings.hpp"
#include "text_writer.hpp"

std::string standingsTextName(std::int32_t round);  // poradi12.txt
std::string gamesPageName(std::int32_t round);      // partie12.htm
std::string standingsPageName(std::int32_t round);  // poradi12.htm

// One fixed-column line per player in standings order; names as they are.
void writeStandingsText(TextWriter& file, const Standings& table);
// The games of the round as a table; lines are the round file's lines with table numbers.
void writeGamesPage(TextWriter& page, const Standings& table, std::int32_t round, const std::vector<Table>& lines);
// The standings as an HTML table.
void writeStandingsPage(TextWriter& page, const Standings& table, std::int32_t round);

// The same, each creating its file in the current folder; the games page reads
// partie<N>.txt once more (missing: run-time error 2).
void writeStandingsTextFile(const Standings& table, std::int32_t round);
void writeGamesPageFile(const Standings& table, std::int32_t round);
void writeStandingsPageFile(const Standings& table, std::int32_t round);
