// The rating model: what a side obtained from a game (ZISK) and what it was expected to
// obtain from the rating difference (ODHAD), both blending win/draw/loss with the margin.
#pragma once

// Weight of the score-margin component.
extern const double VAHA;
// First-move allowance in rating points of the player who starts a game.
extern const double KOM;
// Passes of the rating iteration.
inline constexpr int PIT = 10;

// S: own score minus the opponent's score.
double ZISK(double S);
// R: own rating minus the opponent's, first-move allowance already applied.
double ODHAD(double R);
