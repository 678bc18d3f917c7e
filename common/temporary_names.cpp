// The temporary names of the safe writer: the target's name, ".tmp.", the computer, the writer's
// process number and, when that name was taken, a counter; and the earlier names without the computer.
#include "temporary_names.hpp"

#include <algorithm>
#include <vector>


namespace {

constexpr std::string_view kTemporaryMark = ".tmp.";
constexpr std::size_t kComputerLength = 32;

// Digits alone, few enough for a process number or a counter.
bool smallNumber(std::string_view text) {
    return !text.empty() && text.size() <= 9 && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool isLetter(char c) { return c >= 'a' && c <= 'z'; }

bool computerLike(std::string_view text) {
    return !text.empty() && text.size() <= kComputerLength && std::any_of(text.begin(), text.end(), isLetter) &&
           std::all_of(text.begin(), text.end(), [](char c) { return isLetter(c) || (c >= '0' && c <= '9') || c == '-'; });
}

std::vector<std::string_view> dotSeparated(std::string_view text) {
    std::vector<std::string_view> parts;
    for (std::size_t dot; (dot = text.find('.')) != std::string_view::npos; text.remove_prefix(dot + 1))
        parts.push_back(text.substr(0, dot));
    parts.push_back(text);
    return parts;
}

std::uint32_t numberOf(std::string_view digits) { return static_cast<std::uint32_t>(std::stoul(std::string(digits))); }

}  // namespace

std::string computerToken(std::string_view computerName) {
    std::string token;
    for (char c : computerName) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (isLetter(c) || (c >= '0' && c <= '9') || c == '-') token += c;
    }
    if (!std::any_of(token.begin(), token.end(), isLetter)) token = "pc" + token;
    return token.substr(0, kComputerLength);
}

std::string temporaryName(const std::string& target, std::string_view computer, std::uint32_t process, int attempt) {
    std::string name = target + std::string(kTemporaryMark) + std::string(computer) + "." + std::to_string(process);
    return attempt == 0 ? name : name + "." + std::to_string(attempt);
}

std::optional<TemporaryOf> temporaryOf(const std::string& entry) {
    const auto mark = entry.rfind(kTemporaryMark);
    if (mark == std::string::npos || mark == 0) return std::nullopt;
    const auto parts = dotSeparated(std::string_view(entry).substr(mark + kTemporaryMark.size()));
    const bool numbers = std::all_of(parts.begin() + 1, parts.end(), smallNumber);
    const std::string target = entry.substr(0, mark);
    if (parts.size() <= 2 && smallNumber(parts[0]) && numbers) return TemporaryOf{target, {}, numberOf(parts[0])};
    if (parts.size() >= 2 && parts.size() <= 3 && computerLike(parts[0]) && numbers)
        return TemporaryOf{target, std::string(parts[0]), numberOf(parts[1])};
    return std::nullopt;
}
