// The sweep of leftovers: which temporaries in a folder are the suite's and were left by a
// writer that is gone (a killed program, a power cut), and their removal, once a run.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

// What the sweep asks about the system: the programs get the platform's answers, a test its own.
struct SweepFacts {
    std::string computer;                                            // this computer's token
    std::function<bool(std::uint32_t process)> processRuns;          // on this computer
    std::function<std::optional<std::int64_t>(const std::string& name)> plainFileAge;  // seconds
    std::function<bool(const std::string& name)> exists;             // anything under the name
};

// Names of the files the suite writes in a folder: only their temporaries are ever removed.
using SuiteFiles = bool (*)(std::string_view name);
bool isTournamentFile(std::string_view name);  // the tournament folder: partie3.txt, kanvo.new, ...
bool isBackupCopy(std::string_view name);      // zaloha: partie3-1.txt
bool isSitePage(std::string_view name);        // web: pages, CSV, styl.css, turnaj.json, the upload record

// Whether a folder entry is a leftover to remove: a plain file named as a temporary of one of the
// suite's files, made by this computer by a process that no longer runs, or by another computer
// (or anyone) more than an hour ago; under the earlier naming, without a computer, made by a
// process that no longer runs here more than a minute ago. A round file's temporary whose round
// file is missing is kept: a replace whose target vanished may have left the only complete copy.
bool isLeftover(const std::string& entry, const SweepFacts& facts, SuiteFiles suiteFiles);

// Removes the leftovers of folder (never through a link, nothing when it is not a folder).
void removeLeftovers(const std::string& folder, SuiteFiles suiteFiles);
