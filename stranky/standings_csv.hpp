// kolo<N>-poradi.csv: the standings after a complete round for a spreadsheet, as a Czech one
// opens them: UTF-8 with a byte-order mark, ";" between fields, decimal commas, CR LF.
#pragma once

#include <string>
#include <string_view>

#include "tournament.hpp"

std::string standingsCsv(const Tournament& tournament, const SiteRound& round);

// One field: quoted when it holds ";", a quote or a line end (quotes doubled), and a text that
// a spreadsheet would take for a formula (= + - @ first) kept as text by a leading apostrophe.
std::string csvField(std::string_view text);
