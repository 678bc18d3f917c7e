// Running a program of the suite as the organiser would: in a folder, with arguments and
// scripted standard input; its exit status, standard output and standard error come back.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

struct ProgramRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Path of a built program of the suite (zadej, los, ...).
std::string programPath(const std::string& name);
bool programExists(const std::string& name);

ProgramRun runProgram(const std::string& program, const std::filesystem::path& folder,
                      const std::vector<std::string>& arguments, const std::string& input);
