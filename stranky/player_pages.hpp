// A player's own page: first where he plays in the round being played, then number, ratings,
// points and place, and round by round the table, the opponent with his rating and place, who
// started, the scores, the result, the spread, the points so far, the place and the rating
// after the round with its change; the totals.
#pragma once

#include <string>

#include "tournament.hpp"

std::string playerPage(const Tournament& tournament, const SitePlayer& player);
