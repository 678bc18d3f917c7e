// Reading nahrat.txt: every line "klic: hodnota" (blanks around the value dropped, empty lines
// and lines starting with # skipped); the password directly or from a file of its own.
#include "upload_settings.hpp"

#include <algorithm>

#include "platform.hpp"
#include "text_reader.hpp"

namespace {

constexpr std::size_t kMaxLine = 4096;
constexpr std::string_view kSchemes[] = {"ftp", "ftps", "sftp", "http", "https"};

std::string trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    return std::string(text.substr(first, text.find_last_not_of(" \t\r") - first + 1));
}

// The text of a file without its line end, and whether it could be read.
bool readFirstLine(const std::string& path, std::string& line) {
    const platform::FileRead read = platform::readFile(path);
    if (read.status != platform::ReadStatus::Read) return false;
    TextReader reader(path, read.bytes);
    line = reader.readText(kMaxLine);
    return true;
}

// The scheme of the address, or the fault. A user or password in it would be shown in every
// message and kept in web/: they belong on their own lines.
std::string checkAddress(UploadSettings& settings) {
    std::string& address = settings.address;
    const auto colon = address.find("://");
    if (colon == std::string::npos ||
        std::find(std::begin(kSchemes), std::end(kSchemes), address.substr(0, colon)) == std::end(kSchemes))
        return "adresa v souboru nahrat.txt musi zacinat ftp://, ftps://, sftp://, http:// nebo https://";
    settings.scheme = address.substr(0, colon);
    const auto hostEnd = address.find('/', colon + 3);
    if (address.find('@', colon + 3) < hostEnd)
        return "adresa v souboru nahrat.txt nesmi obsahovat uzivatele ani heslo (patri na radky uzivatel a heslo)";
    if (address.back() != '/') address += '/';
    return {};
}

// One line "klic: hodnota"; false for an unknown key.
bool takeLine(const std::string& line, UploadSettings& settings, std::string& passwordFile) {
    const auto colon = line.find(':');
    const std::string key = trimmed(line.substr(0, colon));
    const std::string value = colon == std::string::npos ? "" : trimmed(line.substr(colon + 1));
    if (key == "adresa") settings.address = value;
    else if (key == "uzivatel") settings.user = value;
    else if (key == "heslo") settings.password = value;
    else if (key == "heslo-soubor") passwordFile = value;
    else if (key == "klic-soubor") settings.keyFile = value;
    else if (key == "certifikat") settings.certificate = value;
    else return false;
    return true;
}

}  // namespace

bool isHttp(const UploadSettings& settings) { return settings.scheme == "http" || settings.scheme == "https"; }

SettingsRead readUploadSettings() {
    SettingsRead read;
    read.files.push_back(kUploadSettingsName);
    const platform::FileRead file = platform::readFile(kUploadSettingsName);
    if (file.status != platform::ReadStatus::Read) {
        read.fault = "chybi soubor nahrat.txt (kam a s jakym heslem nahravat)";
        return read;
    }
    TextReader reader(kUploadSettingsName, file.bytes);
    std::string passwordFile;
    // A line that is not understood is named by its number: it may be a password alone.
    for (int number = 1; !reader.atEnd() && read.fault.empty(); ++number) {
        std::string line = trimmed(reader.readText(kMaxLine));
        reader.skipLine();
        if (line.rfind("\xEF\xBB\xBF", 0) == 0) line.erase(0, 3);  // the mark Notepad puts first
        if (!line.empty() && line[0] != '#' && !takeLine(line, read.settings, passwordFile))
            read.fault = "nesrozumitelny radek " + std::to_string(number) + " v souboru nahrat.txt";
    }
    if (!read.fault.empty()) return read;
    if (read.settings.address.empty()) read.fault = "v souboru nahrat.txt chybi adresa";
    else read.fault = checkAddress(read.settings);
    if (read.fault.empty() && !passwordFile.empty()) {
        read.files.push_back(passwordFile);
        if (!readFirstLine(passwordFile, read.settings.password))
            read.fault = "soubor s heslem ze souboru nahrat.txt nelze precist";
    }
    return read;
}
