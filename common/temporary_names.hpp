// The names of a writer's temporary files, <target>.tmp.<process>[.<n>] beside their target:
// made and read back the same way by both platform files.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

// The attempt-th name (0, 1, ...) that the process with this number tries for its temporary of
// target: a counter is added when an earlier process with the same number left one.
std::string temporaryName(const std::string& target, std::uint32_t process, int attempt);

// The process number in the name of a temporary of the file targetName (a name without its
// folder); nothing when the folder entry is no such temporary.
std::optional<std::uint32_t> writerOfTemporary(const std::string& entry, const std::string& targetName);
