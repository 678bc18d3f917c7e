// stranky --sledovat: the tournament's files polled through the platform (which file, size and
// times of each), the site built again within about two seconds of a change by a run of its
// own, and with --nahrat published after every build and retried after a fault, until Ctrl+C.
#pragma once

#include "console.hpp"
#include "tournament.hpp"

// The option of the run that builds the site once for the watcher, without the banner.
inline constexpr const char* kBuildStepOption = "--sestaveni";

// Writes the site, telling the console what it wrote.
void buildSite(Console& console, const Tournament& tournament);

// Polls until the program is interrupted; the interrupt ends a build or an upload under way,
// and removes a page being written.
[[noreturn]] void watchTournament(Console& console, bool publish);
