// The curl program's settings for a batch of uploads, written as a config file on its standard
// input, and its result read back: after every transfer curl writes a marker line with the
// file's place in the batch and the host's last answer; with fail-early it stops at the first
// failure, whose marker then comes last.
#include "curl_upload.hpp"

#include <algorithm>
#include <cctype>
#include <optional>

#include "page_frame.hpp"
#include "platform.hpp"
#include "text_reader.hpp"

namespace {

constexpr const char* kCurl = "curl";
constexpr const char* kMarker = "@@nahrano";
constexpr const char* kProbeName = "nahrano-zkouska";
// A host that does not answer within this many seconds, sends nothing for a minute, or takes
// two minutes over one file.
constexpr int kConnectSeconds = 20;
constexpr int kStalledSeconds = 60;
constexpr int kLongestSeconds = 120;

// A value of curl's config file: in double quotes, backslash and quote escaped.
std::string quoted(std::string_view text) {
    std::string result = "\"";
    for (char c : text) {
        if (c == '\\' || c == '"') result += '\\';
        result += c;
    }
    return result + "\"";
}

void addOption(std::string& config, std::string_view name, std::string_view value) {
    config.append(name).append(" = ").append(quoted(value)) += '\n';
}

// What every transfer needs: the login, the certificate to trust, the patience, and the marker
// written after it.
void addTransferBasics(std::string& config, const UploadSettings& settings, std::size_t file, bool last) {
    if (!settings.keyFile.empty()) {
        addOption(config, "user", settings.user);
        addOption(config, "key", settings.keyFile);
        if (!settings.password.empty()) addOption(config, "pass", settings.password);
    } else if (!settings.user.empty()) {
        addOption(config, "user", settings.user + ":" + settings.password);
    }
    if (!settings.certificate.empty()) addOption(config, "cacert", settings.certificate);
    addOption(config, "connect-timeout", std::to_string(kConnectSeconds));
    addOption(config, "speed-limit", "1");
    addOption(config, "speed-time", std::to_string(kStalledSeconds));
    addOption(config, "max-time", std::to_string(kLongestSeconds));
    addOption(config, "write-out",
              "\\n" + std::string(kMarker) + " " + std::to_string(file) + (last ? " 1" : " 0") + " %{response_code}\\n");
}

int hexValue(char c) { return std::isdigit(static_cast<unsigned char>(c)) ? c - '0' : (c | 0x20) - 'a' + 10; }

// The folder's path for SFTP commands, its %xx escapes undone: /~/ is the login folder, which a
// relative path names.
std::string sftpFolder(const std::string& address) {
    std::string path;
    for (std::size_t i = address.find('/', address.find("://") + 3); i < address.size(); ++i) {
        const bool escaped = address[i] == '%' && i + 2 < address.size() &&
                             std::isxdigit(static_cast<unsigned char>(address[i + 1])) &&
                             std::isxdigit(static_cast<unsigned char>(address[i + 2]));
        path += escaped ? static_cast<char>(hexValue(address[i + 1]) * 16 + hexValue(address[i + 2])) : address[i];
        if (escaped) i += 2;
    }
    return path.rfind("/~/", 0) == 0 ? path.substr(3) : path;
}

// An SFTP command's path, quoted for curl's command parser.
std::string sftpPath(const std::string& folder, const std::string& name) { return quoted(folder + name); }

// The file's upload to its temporary name and the commands after it that put it in place.
void addRenamedUpload(std::string& config, const UploadSettings& settings, HostReplace replace,
                      const std::string& name) {
    const std::string temporary = hostTemporaryName(name);
    addOption(config, "url", settings.address + temporary);
    addOption(config, "upload-file", std::string(kSiteFolder) + "/" + name);
    config += "ftp-create-dirs\n";
    const bool removeFirst = replace == HostReplace::RemoveThenRename;
    if (settings.scheme == "sftp") {
        const std::string folder = sftpFolder(settings.address);
        if (removeFirst) addOption(config, "quote", "-*rm " + sftpPath(folder, name));
        addOption(config, "quote", "-rename " + sftpPath(folder, temporary) + " " + sftpPath(folder, name));
    } else {
        if (removeFirst) addOption(config, "quote", "-*DELE " + name);
        addOption(config, "quote", "-RNFR " + temporary);
        addOption(config, "quote", "-RNTO " + name);
    }
}

void addMove(std::string& config, const UploadSettings& settings, const std::string& from, const std::string& to) {
    addOption(config, "url", settings.address + from);
    addOption(config, "request", "MOVE");
    addOption(config, "header", "Destination: " + settings.address + to);
    addOption(config, "header", "Overwrite: T");
}

// The transfers of one file: for HTTP a PUT and, where the host has it, a MOVE after it.
void addFile(std::string& config, const UploadSettings& settings, HostReplace replace, const std::string& name,
             std::size_t file) {
    if (!isHttp(settings)) {
        addRenamedUpload(config, settings, replace, name);
        addTransferBasics(config, settings, file, true);
        return;
    }
    const bool inPlace = replace == HostReplace::InPlace;
    addOption(config, "url", settings.address + (inPlace ? name : hostTemporaryName(name)));
    addOption(config, "upload-file", std::string(kSiteFolder) + "/" + name);
    config += "fail\n";
    addTransferBasics(config, settings, file, inPlace);
    if (inPlace) return;
    config += "next\n";
    addMove(config, settings, hostTemporaryName(name), name);
    config += "fail\n";
    addTransferBasics(config, settings, file, true);
}

struct Marker {
    std::size_t file = 0;
    int code = 0;
};

// The last marker curl wrote (the answers of a web host may stand between them).
std::optional<Marker> lastMarker(const std::string& output) {
    std::optional<Marker> last;
    TextReader reader(kCurl, output);
    while (!reader.atEnd()) {
        if (reader.readToken() == kMarker) {
            const auto file = parseWholeNumber(reader.readToken());
            reader.readToken();
            const auto code = parseWholeNumber(reader.readToken());
            if (file && code && *file >= 0) last = Marker{static_cast<std::size_t>(*file), *code};
        }
        reader.skipLine();
    }
    return last;
}

UploadResult transient(std::string reason) { return {0, UploadFault::Transient, std::move(reason)}; }
UploadResult refused(std::string reason) { return {0, UploadFault::Refused, std::move(reason)}; }

// What an HTTP host's answer of an error means.
UploadResult httpFault(int code) {
    if (code == 401) return refused("server odmitl uzivatele nebo heslo");
    if (code == 403) return refused("server nepovolil zapis do slozky");
    if (code == 404 || code == 409) return refused("slozka na serveru neexistuje");
    if (code == 413 || code == 507) return transient("server soubor neprijal (je na nem misto?)");
    return transient("server odpovedel chybou " + std::to_string(code));
}

// What curl's exit code (and the host's last answer) means for the organiser.
UploadResult faultOf(const UploadSettings& settings, HostReplace replace, int exitCode, int code) {
    switch (exitCode) {
        case 1: return refused("curl v tomto pocitaci neumi " + settings.scheme);
        case 3: return refused("adresa v souboru nahrat.txt neni platna");
        case 5: case 6: return transient("server nebyl nalezen (je pocitac pripojen k internetu?)");
        case 7: return transient("server neodpovida (je pocitac pripojen k internetu?)");
        case 9: return refused("server nepovolil pristup do slozky");
        case 12: case 28: return transient("server neodpovedel vcas");
        case 18: case 52: case 55: case 56: return transient("spojeni se serverem se prerusilo");
        case 21:  // a command after the upload; a refusal (FTP 5xx) or an SFTP failure, or a lost connection
            if (code < 500 && settings.scheme != "sftp") return transient("spojeni se serverem se prerusilo");
            if (replace == HostReplace::RemoveThenRename) return refused("server odmitl prejmenovat soubor");
            return {0, UploadFault::RenameRefused, "server odmitl prejmenovat soubor"};
        case 22: return httpFault(code);
        case 25: return transient("server soubor neprijal (je na nem misto?)");
        case 26: case 37: return transient("soubor ve slozce web nelze precist");
        case 35: case 51: case 53: case 54: case 58: case 59: case 60: case 64: case 66: case 77: case 80: case 82:
        case 83: case 90: case 91: case 98:
            return transient("zabezpecene spojeni se serverem se nepodarilo (certifikat?)");
        case 67: case 94: return refused("server odmitl uzivatele nebo heslo");
        case 78: return refused("slozka na serveru neexistuje");
        case 79: return transient("chyba spojeni SSH");
        default: return transient("curl skoncil s chybou " + std::to_string(exitCode));
    }
}

// Runs curl on the config: silent, stopping at the first failure, no settings of the user's
// own (~/.curlrc) in the way.
platform::ProgramRun runCurl(const std::string& transfers) {
    return platform::runSystemProgram(kCurl, {"-q", "--config", "-"}, "silent\nfail-early\n" + transfers);
}

UploadResult resultOf(const platform::ProgramRun& run, const UploadSettings& settings, HostReplace replace,
                      std::size_t files) {
    if (!run.started) return refused("v pocitaci neni program curl (Windows 10 a 11 ho maji, Linux v balicku curl)");
    if (run.exitCode == 0) return {files, UploadFault::None, {}};
    const std::optional<Marker> last = lastMarker(run.output);
    UploadResult result = faultOf(settings, replace, run.exitCode, last ? last->code : 0);
    result.sent = last ? std::min(last->file, files) : 0;
    return result;
}

}  // namespace

std::string hostTemporaryName(const std::string& name) { return name + ".nahravani"; }

UploadResult sendFiles(const UploadSettings& settings, HostReplace replace, const std::vector<std::string>& names) {
    std::string config;
    for (std::size_t file = 0; file < names.size(); ++file) {
        if (file > 0) config += "next\n";
        addFile(config, settings, replace, names[file], file);
    }
    return resultOf(runCurl(config), settings, replace, names.size());
}

UploadResult probeHttpReplace(const UploadSettings& settings, HostReplace& replace) {
    std::string config;
    addMove(config, settings, hostTemporaryName(kProbeName), kProbeName);
    addTransferBasics(config, settings, 0, true);
    const platform::ProgramRun run = runCurl(config);
    UploadResult result = resultOf(run, settings, replace, 0);
    const std::optional<Marker> answer = lastMarker(run.output);
    if (result.fault != UploadFault::None || !answer) return result;
    const int code = answer->code;
    if (code == 401) return httpFault(code);
    const bool moves = (code >= 200 && code < 300) || code == 404 || code == 409 || code == 412 || code == 423;
    replace = moves ? HostReplace::Rename : HostReplace::InPlace;
    return result;
}
