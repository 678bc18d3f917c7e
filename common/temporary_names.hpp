// The names of a writer's temporary files beside their target, <target>.tmp.<computer>.<process>
// and a counter when that name was taken: made and read back the same way by both platform files
// and the sweep of leftovers, which tells by them whose temporary a file is.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// A computer's network name as it stands in a temporary's name: lower-case letters, digits and
// hyphens (at most 32), always with a letter, so that it never reads as a process number.
std::string computerToken(std::string_view computerName);

// The attempt-th name (0, 1, ...) that a process tries for its temporary of target: a counter is
// added when an earlier process with the same number left one.
std::string temporaryName(const std::string& target, std::string_view computer, std::uint32_t process, int attempt);

// A folder entry read back as a temporary: the name of its target, the computer that made it and
// the writer's process. The earlier naming, <target>.tmp.<process>, has no computer (empty).
struct TemporaryOf {
    std::string target;
    std::string computer;
    std::uint32_t process = 0;
};
std::optional<TemporaryOf> temporaryOf(const std::string& entry);
