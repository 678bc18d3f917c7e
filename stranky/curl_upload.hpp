// Sending files to the host with the curl program: one run of curl for a batch (one
// connection, one login), its settings and the password on its standard input, never among
// its arguments; each file under a temporary name first, then put in place of the old one.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "upload_record.hpp"
#include "upload_settings.hpp"

// Transient: the network, the host or the connection failed; trying again later may succeed.
// Refused: the host refused the login or the folder, or curl is missing or cannot do the
// protocol; only changed settings mend it. RenameRefused: the host will not rename over a file.
enum class UploadFault { None, Transient, Refused, RenameRefused };

struct UploadResult {
    std::size_t sent = 0;  // the batch's first files, which are on the host for certain
    UploadFault fault = UploadFault::None;
    std::string reason;  // for the console (never the password)
};

// The temporary name on the host of a file being uploaded.
std::string hostTemporaryName(const std::string& name);

// Sends the files of web/ in this order, stopping at the first failure.
UploadResult sendFiles(const UploadSettings& settings, HostReplace replace, const std::vector<std::string>& names);

// How an HTTP host replaces a file: a MOVE of a file that is not there answers "not found" on a
// WebDAV host and "not allowed" or "not implemented" on a host that takes only PUT.
UploadResult probeHttpReplace(const UploadSettings& settings, HostReplace& replace);
