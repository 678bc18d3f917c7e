// A fresh temporary folder for one test, removed afterwards, with helpers to lay out
// tournament files and to read back every file byte for byte.
#pragma once

#include <filesystem>
#include <map>
#include <string>

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    void write(const std::string& name, const std::string& bytes) const;
    std::string read(const std::string& name) const;
    bool exists(const std::string& name) const;
    void remove(const std::string& name) const;
    // Every file of the folder, name to bytes.
    std::map<std::string, std::string> files() const;

private:
    std::filesystem::path path_;
};

// Lines joined with CR LF, each line ended.
std::string crlf(std::initializer_list<std::string> lines);
