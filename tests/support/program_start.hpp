// Starting one program with its standard streams on files, in a folder, and waiting for it,
// and holding a file from readers: the part of the test runner that differs by system
// (program_start_posix.cpp, _windows.cpp).
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

struct StandardFiles {
    std::filesystem::path in, out, err;
};

// The program's exit status, or 128 + the signal that ended it; 127 when it could not start.
int startAndWait(const std::string& program, const std::filesystem::path& folder,
                 const std::vector<std::string>& arguments, const StandardFiles& files);

// Holds the file as a program that shares no reading does (on Windows an editor or a virus
// scanner) until the result is destroyed; nothing where the system has no such hold.
std::shared_ptr<void> holdAgainstReaders(const std::filesystem::path& file);
