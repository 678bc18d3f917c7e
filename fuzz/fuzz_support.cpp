// The fuzz build's end of a process (a ProgramStop for the target to catch instead of exit),
// and the shared helpers of the fuzz targets.
#include "fuzz_support.hpp"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "run_error.hpp"

// Linked instead of common's process_exit.cpp: the object comes before the library, so the
// library's definition is never taken (and would clash if it were).
[[noreturn]] void endProcess(int code) { throw ProgramStop{code}; }

void checkStop(int code, const std::string& message, std::initializer_list<int> allowed, bool silentStopAllowed) {
    check(std::find(allowed.begin(), allowed.end(), code) != allowed.end(), "unexpected exit code",
          std::to_string(code) + ": " + message);
    check(silentStopAllowed || !message.empty(), "stop without a message", std::to_string(code));
}

// Straight to the process's standard error: std::cerr may be caught just now.
[[noreturn]] void finding(std::string_view what, std::string_view detail) {
    std::string report = "FUZZ FINDING: " + std::string(what);
    if (!detail.empty()) report += "\n" + std::string(detail);
    std::fprintf(stderr, "%s\n", report.c_str());
    std::abort();
}

std::vector<std::string> splitFiles(const std::uint8_t* data, std::size_t size, std::size_t maxCount) {
    std::vector<std::string> files(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == '\f' && files.size() < maxCount)
            files.emplace_back();
        else
            files.back() += static_cast<char>(data[i]);
    }
    return files;
}

void workInFreshFolder(const char* target) {
    namespace fs = std::filesystem;
    const fs::path base = fs::exists("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
    static fs::path folder;
    folder = base / ("turnaj-fuzz-" + std::string(target) + "-" + std::to_string(std::random_device{}()));
    fs::create_directories(folder);
    fs::current_path(folder);
    std::atexit([] {
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    });
}

void putFile(const char* name, const std::string& bytes) { std::ofstream(name, std::ios::binary) << bytes; }

std::string fileBytes(const char* name) {
    std::ifstream in(name, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::size_t lineCount(std::string_view text) {
    if (text.empty()) return 0;
    std::size_t lines = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
    return text.back() == '\n' ? lines : lines + 1;
}
