// Publishing the site: one attempt to bring the host's copy to what web/ holds, sending only
// the files whose bytes the host lacks, and the console lines that tell how it went.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "curl_upload.hpp"

struct PublishResult {
    UploadResult upload;                     // sent: the files that went up in this attempt
    std::vector<std::string> settingsFiles;  // nahrat.txt and its password file
};

// Reads nahrat.txt and the upload record, sends what the host lacks and records what went up.
// Never stops the program: every failure comes back as a fault with its reason.
PublishResult publishSite();

// "Nahrano 7 souboru, 14:32"
std::string publishedLine(std::size_t files);
// "Stranky se nepodarilo nahrat: <reason>"
std::string notPublishedLine(const std::string& reason);
