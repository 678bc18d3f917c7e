// Starting one program with its standard streams on files, in a folder, and waiting for it:
// the part of the test runner that differs by system (program_start_posix.cpp, _windows.cpp).
#pragma once

#include <filesystem>
#include <string>
#include <vector>

struct StandardFiles {
    std::filesystem::path in, out, err;
};

// The program's exit status, or 128 + the signal that ended it; 127 when it could not start.
int startAndWait(const std::string& program, const std::filesystem::path& folder,
                 const std::vector<std::string>& arguments, const StandardFiles& files);
