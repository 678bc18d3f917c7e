// A player's own page: number, name, rating before the tournament and now, and round by
// round the table, the opponent, who started, the scores, the result, the spread and the
// points so far, with the totals.
#pragma once

#include <string>

#include "tournament.hpp"

std::string playerPage(const Tournament& tournament, const SitePlayer& player);
