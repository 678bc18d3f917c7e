// The temporary names of the safe writer: the target's name, ".tmp.", the writer's process
// number and, when that name was taken, a counter.
#include "temporary_names.hpp"

#include <algorithm>

namespace {

constexpr const char* kTemporaryMark = ".tmp.";

// Digits alone, few enough for a process number or a counter.
bool smallNumber(const std::string& text) {
    return !text.empty() && text.size() <= 9 && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

std::string temporaryName(const std::string& target, std::uint32_t process, int attempt) {
    const std::string base = target + kTemporaryMark + std::to_string(process);
    return attempt == 0 ? base : base + "." + std::to_string(attempt);
}

std::optional<std::uint32_t> writerOfTemporary(const std::string& entry, const std::string& targetName) {
    const std::string prefix = targetName + kTemporaryMark;
    if (entry.compare(0, prefix.size(), prefix) != 0) return std::nullopt;
    const std::string rest = entry.substr(prefix.size());
    const auto dot = rest.find('.');
    const std::string process = rest.substr(0, dot);
    if (!smallNumber(process) || (dot != std::string::npos && !smallNumber(rest.substr(dot + 1)))) return std::nullopt;
    return static_cast<std::uint32_t>(std::stoul(process));
}
