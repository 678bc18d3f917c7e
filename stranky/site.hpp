// The site as files: every page, the stylesheet, the icon, turnaj.json and the standings as CSV
// made in memory, then written into web/ through the safe writer (whole and renamed, not
// flushed: it can always be rebuilt).
#pragma once

#include <string>
#include <vector>

#include "tournament.hpp"

struct SiteFile {
    std::string name;  // within web/
    std::string bytes;
};

std::vector<SiteFile> siteFiles(const Tournament& tournament);

// Creates web/ when it is missing and writes the files whose bytes differ from what is there
// other than in the time of the build; returns how many it wrote. A file that cannot be written
// stops the program with a message.
std::size_t writeSite(const std::vector<SiteFile>& files);
