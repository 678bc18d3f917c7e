// The names of a writer's temporary files, <target>.tmp.<process>[.<n>] beside their target:
// made and read back the same way by both platform files.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

// The attempt-th name (0, 1, ...) that the process with this number tries for its temporary of
// target: a counter is added when an earlier process with the same number left one.
std::string temporaryName(const std::string& target, std::uint32_t process, int attempt);

// A folder entry read back as a temporary: the name of its target and its writer's process.
struct TemporaryOf {
    std::string target;
    std::uint32_t process = 0;
};
std::optional<TemporaryOf> temporaryOf(const std::string& entry);
