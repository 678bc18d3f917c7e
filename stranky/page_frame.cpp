// The frame and the shared pieces of the pages. Texts are Czech with diacritics, written in
// the sources as escapes so that the sources stay ASCII.
#include "page_frame.hpp"

#include "fixed.hpp"
#include "html.hpp"

std::string roundPageName(std::int32_t round, RoundPage page) {
    static constexpr const char* kSuffix[] = {"stoly", "jmena", "vysledky", "poradi"};
    return "kolo" + std::to_string(round) + "-" + kSuffix[static_cast<int>(page)] + ".html";
}

std::string playerPageName(std::int32_t number) { return "hrac" + std::to_string(number) + ".html"; }

namespace {

std::string link(const std::string& href, std::string_view label) {
    return "<a href=\"" + href + "\">" + std::string(label) + "</a>";
}

std::string navigation(const Tournament& tournament) {
    std::string nav = "<header><nav aria-label=\"Str\u00e1nky turnaje\"><ul class=\"menu\">\n";
    nav += "<li>" + link(kIndexPage, "P\u0159ehled") + "</li>\n";
    if (!tournament.rounds.empty()) {
        nav += "<li>Kolo:";
        for (const auto& round : tournament.rounds)
            nav += " " + link(roundPageName(round.round, RoundPage::ByTable), std::to_string(round.round));
        nav += "</li>\n";
    }
    nav += "<li>" + link(kCrossTablePage, "Tabulka") + "</li>\n";
    nav += "<li>" + link(kRecordsPage, "Rekordy") + "</li>\n";
    return nav + "</ul></nav></header>\n";
}

}  // namespace

std::string pageStart(const Tournament& tournament, std::string_view title, bool reloads) {
    std::string page = "<!DOCTYPE html>\n<html lang=\"cs\">\n<head>\n<meta charset=\"utf-8\">\n";
    page += "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n";
    if (reloads) page += "<meta http-equiv=\"refresh\" content=\"60\">\n";
    page += "<title>" + std::string(title) + " \u2013 Turnaj</title>\n";
    page += "<link rel=\"stylesheet\" href=\"" + std::string(kStylesheetName) + "\">\n</head>\n<body>\n";
    page += navigation(tournament);
    return page + "<main>\n";
}

std::string pageEnd() { return "</main>\n</body>\n</html>\n"; }

std::string playerLabel(const Tournament& tournament, std::int32_t number) {
    const SitePlayer* player = findSitePlayer(tournament, number);
    if (player && !player->name.empty()) return htmlEscape(player->name);
    return "hr\u00e1\u010d \u010d. " + std::to_string(number);
}

std::string playerLink(const Tournament& tournament, std::int32_t number) {
    return link(playerPageName(number), playerLabel(tournament, number));
}

std::string oneDecimal(double value) { return formatReal(value, 0, 1); }

std::size_t missingResults(const SiteRound& round) {
    std::size_t missing = 0;
    for (const auto& game : round.games) missing += game.entered() ? 0 : 1;
    return missing;
}

std::string incompleteNotice(const SiteRound& round) {
    return "<p class=\"pozor\">V\u00fdsledky " + std::to_string(round.round) + ". kola je\u0161t\u011b nejsou v\u0161echny zadan\u00e9 (chyb\u00ed " +
           std::to_string(missingResults(round)) + "). Str\u00e1nka se ka\u017edou minutu sama obnov\u00ed.</p>\n";
}

std::string scrollingTable(std::string_view caption, const std::vector<std::string_view>& columns,
                           const std::string& rows, std::string_view tableClass) {
    std::string table = "<div class=\"posun\" tabindex=\"0\">\n<table";
    if (!tableClass.empty()) table += " class=\"" + std::string(tableClass) + "\"";
    table += ">\n<caption>" + std::string(caption) + "</caption>\n<thead><tr>";
    for (std::string_view column : columns) table += "<th scope=\"col\">" + std::string(column) + "</th>";
    return table + "</tr></thead>\n<tbody>\n" + rows + "</tbody>\n</table>\n</div>\n";
}

std::string cell(std::string_view html, std::string_view cssClass) {
    if (cssClass.empty()) return "<td>" + std::string(html) + "</td>";
    return "<td class=\"" + std::string(cssClass) + "\">" + std::string(html) + "</td>";
}

std::string rowHeader(std::string_view html) { return "<th scope=\"row\">" + std::string(html) + "</th>"; }
