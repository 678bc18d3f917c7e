// Escaping of text for the HTML pages (standings, games, pairing).
// Only the four characters that can break a page's markup are replaced.
#include "html.hpp"

std::string htmlEscape(std::string_view text) {
    // Most names have nothing to replace.
    if (text.find_first_of("&<>\"") == std::string_view::npos) return std::string(text);
    std::string escaped;
    escaped.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '&': escaped += "&amp;"; break;
            case '<': escaped += "&lt;"; break;
            case '>': escaped += "&gt;"; break;
            case '"': escaped += "&quot;"; break;
            default: escaped += c;
        }
    }
    return escaped;
}
