// What the fuzz targets share: a program stop turned into an exception the target catches,
// the split of one fuzz input into several files, and checks that report and abort.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <iostream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

// Thrown by the fuzz build's endProcess where a program would end with this exit status.
struct ProgramStop {
    int code;
};

// How a step of a program ended: ran to its end, or stopped with an exit code and what it
// wrote to standard error.
struct StepEnd {
    bool stopped = false;
    int code = 0;
    std::string message;
};

// Runs step with standard error caught. A stop must have one of the allowed exit codes and a
// message (a reader that gives up says why), except where a silent stop is allowed (the end
// of keyboard input). Any other stop is a finding; so is any exception that escapes.
template <typename Step>
StepEnd runStep(Step step, std::initializer_list<int> allowed, bool silentStopAllowed = false);

// Reports a finding on standard error and aborts, so that libFuzzer keeps the input.
[[noreturn]] void finding(std::string_view what, std::string_view detail = {});
inline void check(bool holds, std::string_view what, std::string_view detail = {}) {
    if (!holds) finding(what, detail);
}

// A multi-file input: the files are separated by form feeds ('\f'). Gives 1 to maxCount
// files; the last one keeps any further form feeds.
std::vector<std::string> splitFiles(const std::uint8_t* data, std::size_t size, std::size_t maxCount);

// For targets that run a step over files: makes a fresh folder the current one for the
// whole run (on a memory file system where there is one, as every kept file is flushed to
// disk) and removes it at the end.
void workInFreshFolder(const char* target);
// Writes bytes to a file of the current folder.
void putFile(const char* name, const std::string& bytes);
// The bytes of a file of the current folder; empty when there is none.
std::string fileBytes(const char* name);

// Lines of text as the readers see them (split at '\n'; a final piece without one counts).
std::size_t lineCount(std::string_view text);

// Behind runStep: a stop that breaks the rules is a finding.
void checkStop(int code, const std::string& message, std::initializer_list<int> allowed, bool silentStopAllowed);

template <typename Step>
StepEnd runStep(Step step, std::initializer_list<int> allowed, bool silentStopAllowed) {
    StepEnd end;
    std::ostringstream caught;
    std::streambuf* saved = std::cerr.rdbuf(caught.rdbuf());
    try {
        step();
    } catch (const ProgramStop& stop) {
        end.stopped = true;
        end.code = stop.code;
    }
    std::cerr.rdbuf(saved);
    end.message = caught.str();
    if (end.stopped) checkStop(end.code, end.message, allowed, silentStopAllowed);
    return end;
}
