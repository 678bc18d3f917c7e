// The four pages of a round: the pairing by table and by name (both printable for the venue),
// the results, and once every result is in, the standings after the round with their legend.
#pragma once

#include <string>

#include "tournament.hpp"

std::string pairingsByTablePage(const Tournament& tournament, const SiteRound& round);
std::string pairingsByNamePage(const Tournament& tournament, const SiteRound& round);
std::string resultsPage(const Tournament& tournament, const SiteRound& round);
std::string standingsPage(const Tournament& tournament, const SiteRound& round);

// Players in Czech alphabetical order of their names (number order among equal names).
std::vector<const SitePlayer*> playersByName(const Tournament& tournament);
