// The standings as a table of fields: the place, the number, the name and every column of
// poradi<N>.txt, numbers as poradi writes them with a comma for the decimal point.
#include "standings_csv.hpp"

#include "page_frame.hpp"

namespace {

std::string decimalComma(double value) {
    std::string text = oneDecimal(value);
    const std::size_t point = text.find('.');
    if (point != std::string::npos) text[point] = ',';  // "Nan" and "+Inf" have none
    return text;
}

}  // namespace

std::string csvField(std::string_view text) {
    std::string field(text);
    if (!field.empty() && std::string_view("=+-@").find(field.front()) != std::string_view::npos) field.insert(0, "'");
    if (field.find_first_of(";\"\r\n") == std::string::npos) return field;
    std::string quoted = "\"";
    for (char c : field) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

std::string standingsCsv(const Tournament& tournament, const SiteRound& round) {
    std::string csv = "\xEF\xBB\xBF" "Po\u0159ad\u00ed;\u010c\u00edslo;Jm\u00e9no;Body;TURCAS;Buch.;Sk\u00f3re +;Sk\u00f3re \u2212;Za\u010d.;S\u00edla;ARO;Sig\r\n";
    for (std::size_t i = 0; i < round.standings.size(); ++i) {
        const HRAC& p = round.standings[i];
        const SitePlayer* player = findSitePlayer(tournament, p.C);
        csv += std::to_string(i + 1) + ";" + std::to_string(p.C) + ";" + csvField(player ? player->name : std::string()) + ";" +
               decimalComma(p.B) + ";" + decimalComma(p.TURCAS) + ";" + decimalComma(p.BCH) + ";" + std::to_string(p.S1) + ";" +
               std::to_string(p.S2) + ";" + std::to_string(p.Z) + ";" + decimalComma(p.NSA) + ";" + decimalComma(p.ARO) + ";" +
               decimalComma(p.ARO2) + "\r\n";
    }
    return csv;
}
