// Where the site is published: nahrat.txt of the tournament folder, lines "klic: hodnota" with
// the folder's address on the host, the user, and the password or the files that hold it.
#pragma once

#include <string>
#include <vector>

inline constexpr const char* kUploadSettingsName = "nahrat.txt";

struct UploadSettings {
    std::string address;  // the folder's URL, ending with '/'
    std::string scheme;   // ftp, ftps, sftp, http or https
    std::string user;
    std::string password;     // for SFTP with a key: the key's passphrase, if any
    std::string keyFile;      // SFTP: the private key
    std::string certificate;  // a certificate to trust (a host with one of its own)
};

// A web host (HTTP or HTTPS), which has no rename of its own.
bool isHttp(const UploadSettings& settings);

// The settings, or what is wrong with them (a reason the console may show: it never holds the
// password), and the files they came from, whose change may mend them.
struct SettingsRead {
    UploadSettings settings;
    std::string fault;
    std::vector<std::string> files;
};
SettingsRead readUploadSettings();
