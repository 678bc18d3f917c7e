// A round paired anew keeps what it replaces: a round file with entered results is copied,
// byte for byte, into the folder zaloha before the new pairing takes its name.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

// The games with entered results in the round file of round K as it is now; nothing when
// there is no round file.
std::optional<std::int32_t> enteredResultsOfRound(std::int32_t K);

// Copies the round file of round K (its bytes as they are now under the folder's lock, which
// the caller holds), when it holds entered results, to zaloha/partie<K>-<m>.txt (m the first
// free number from 1), flushed to the disk, and gives the copy's name back.
std::optional<std::string> keepEnteredResults(std::int32_t K, const std::string& roundFile);
