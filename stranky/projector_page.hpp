// projektor.html, for a screen at the venue: in large type the round being played by table
// (with the results entered so far), then the standings, scrolled through slowly and loaded
// again at the end. The one page of the site that reloads itself.
#pragma once

#include <string>

#include "tournament.hpp"

std::string projectorPage(const Tournament& tournament);
