// Temporary tournament folders for end-to-end tests.
#include "temp_folder.hpp"

#include <unistd.h>

#include <atomic>
#include <fstream>
#include <sstream>

TempFolder::TempFolder() {
    static std::atomic<int> counter{0};
    path_ = std::filesystem::temp_directory_path() /
            ("turnaj-test-" + std::to_string(getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

void TempFolder::write(const std::string& name, const std::string& bytes) const {
    std::ofstream(path_ / name, std::ios::binary) << bytes;
}

std::string TempFolder::read(const std::string& name) const {
    std::ifstream in(path_ / name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool TempFolder::exists(const std::string& name) const { return std::filesystem::exists(path_ / name); }

void TempFolder::remove(const std::string& name) const { std::filesystem::remove(path_ / name); }

std::map<std::string, std::string> TempFolder::files() const {
    std::map<std::string, std::string> all;
    for (const auto& entry : std::filesystem::directory_iterator(path_))
        if (entry.is_regular_file()) all[entry.path().filename().string()] = read(entry.path().filename().string());
    return all;
}

std::string crlf(std::initializer_list<std::string> lines) {
    std::string text;
    for (const auto& line : lines) text += line + "\r\n";
    return text;
}
