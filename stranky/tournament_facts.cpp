// Reading turnaj.txt line by line through the text reader: the key before the first colon,
// the value after it, both without blanks at their ends, decoded as the names are.
#include "tournament_facts.hpp"

#include <string_view>

#include "names.hpp"

namespace {

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ') text.remove_prefix(1);
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') text.remove_suffix(1);
    return text;
}

// The field a key names, or null for an unknown key.
std::string* fieldOf(TournamentFacts& facts, const std::string& key) {
    if (key == "nazev") return &facts.name;
    if (key == "misto") return &facts.place;
    if (key == "datum") return &facts.date;
    if (key == "poradatel") return &facts.organiser;
    if (key == "rozhodci") return &facts.arbiter;
    if (key == "adresa") return &facts.address;
    return nullptr;
}

std::string lineWarning(std::size_t line, std::string_view what) {
    return std::string("Soubor ") + kFactsFileName + ", radek " + std::to_string(line) + ": " + std::string(what);
}

}  // namespace

TournamentFacts readFacts(TextReader facts, std::vector<std::string>& warnings) {
    TournamentFacts result;
    for (std::size_t line = 1; !facts.atEnd(); ++line, facts.skipLine()) {
        const std::string text = facts.readText(kMaxFactLine + 1);
        const std::string_view content = trimmed(text);
        if (content.empty() || content.front() == '#') continue;
        if (text.size() > kMaxFactLine) {
            warnings.push_back(lineWarning(line, "delsi nez " + std::to_string(kMaxFactLine) + " znaku, vynechan"));
            continue;
        }
        const std::size_t colon = content.find(':');
        if (colon == std::string_view::npos) {
            warnings.push_back(lineWarning(line, "chybi dvojtecka za klicem, radek vynechan"));
            continue;
        }
        const std::string key = asciiFolded(nameAsUtf8(trimmed(content.substr(0, colon))));
        std::string* field = fieldOf(result, key);
        if (!field) {
            warnings.push_back(lineWarning(line, "neznamy klic \"" + key + "\", radek vynechan"));
            continue;
        }
        const std::string value = nameAsUtf8(trimmed(content.substr(colon + 1)));
        *field = value.empty() && field == &result.name ? std::string(kDefaultTournamentName) : value;
    }
    return result;
}
