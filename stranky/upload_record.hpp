// The upload record web/nahrano.txt, never published: the address the site went to, how that
// host replaces a file, and a fingerprint of every file as the host has it; from it, which
// files the host still lacks, in the order they go up.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

inline constexpr const char* kUploadRecordName = "nahrano.txt";

// How a file on the host is put in place of the old one: renamed over it (FTP, SFTP, WebDAV
// MOVE); the old one removed first, where the host refuses to rename over a file (a moment
// without the file); written in place, where an HTTP host has no MOVE.
enum class HostReplace { NotKnown, Rename, RemoveThenRename, InPlace };

struct UploadRecord {
    std::string address;
    HostReplace replace = HostReplace::NotKnown;
    std::map<std::string, std::string> fingerprints;  // name in web/ -> the bytes the host has
};

// Size and a 64-bit FNV-1a hash of the bytes: a file whose bytes changed gets another one.
std::string fingerprintOf(std::string_view bytes);

// The record of web/; an empty one for another address (everything goes up again there).
UploadRecord readUploadRecord(const std::string& address);
// Written whole and renamed; a record that cannot be written only sends the files again.
void writeUploadRecord(const UploadRecord& record);

struct SiteFileState {
    std::string name;
    std::string fingerprint;
};

// The files whose bytes the host lacks, in the order that never lets a reader follow a link to
// a page not there yet: the stylesheet, the files new to the host, the other pages, then
// index.html, and turnaj.json last.
std::vector<SiteFileState> owedFiles(const UploadRecord& record, const std::vector<SiteFileState>& site);
