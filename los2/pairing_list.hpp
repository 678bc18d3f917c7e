// The pairing list los<N>.txt: one line per pair, starter first, and one line for the bye,
// in the order of the task file's positions.
#pragma once

#include <string>
#include <vector>

#include "search.hpp"
#include "task_file.hpp"

// Pair line of s starting against t: numbers, scores, start balances and average opponent
// ratings after the game.
std::string pairLine(const Task& task, int s, int t);
// Bye line of b: its player number, 0, its list number.
std::string byeListLine(const Task& task, int b);

// Every line: a pair at its lower position, the bye at its own.
std::vector<std::string> pairingListLines(const Task& task, const Pairing& pairing);
