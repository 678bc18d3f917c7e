// The temporary names of the safe writer: the target's name, ".tmp.", the writer's process
// number and, when that name was taken, a counter.
#include "temporary_names.hpp"

#include <algorithm>
#include <string_view>

namespace {

constexpr std::string_view kTemporaryMark = ".tmp.";

// Digits alone, few enough for a process number or a counter.
bool smallNumber(std::string_view text) {
    return !text.empty() && text.size() <= 9 && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

std::string temporaryName(const std::string& target, std::uint32_t process, int attempt) {
    const std::string base = target + std::string(kTemporaryMark) + std::to_string(process);
    return attempt == 0 ? base : base + "." + std::to_string(attempt);
}

std::optional<TemporaryOf> temporaryOf(const std::string& entry) {
    const auto mark = entry.rfind(kTemporaryMark);
    if (mark == std::string::npos || mark == 0) return std::nullopt;
    const std::string_view rest = std::string_view(entry).substr(mark + kTemporaryMark.size());
    const auto dot = rest.find('.');
    const std::string_view process = rest.substr(0, dot);
    if (!smallNumber(process) || (dot != std::string_view::npos && !smallNumber(rest.substr(dot + 1))))
        return std::nullopt;
    return TemporaryOf{entry.substr(0, mark), static_cast<std::uint32_t>(std::stoul(std::string(process)))};
}
