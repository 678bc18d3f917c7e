// The frame and the shared pieces of the pages. Texts are Czech with diacritics, written in
// the sources as escapes so that the sources stay ASCII.
#include "page_frame.hpp"

#include <algorithm>

#include "fixed.hpp"
#include "html.hpp"

std::string roundPageName(std::int32_t round, RoundPage page) {
    static constexpr const char* kSuffix[] = {"stoly", "jmena", "vysledky", "poradi"};
    return "kolo" + std::to_string(round) + "-" + kSuffix[static_cast<int>(page)] + ".html";
}

std::string standingsCsvName(std::int32_t round) { return "kolo" + std::to_string(round) + "-poradi.csv"; }

std::string playerPageName(std::int32_t number) { return "hrac" + std::to_string(number) + ".html"; }

namespace {

std::string link(const std::string& href, std::string_view label) {
    return "<a href=\"" + href + "\">" + std::string(label) + "</a>";
}

// A CSS string of plain text; "<" escaped too, so that no text can end the style element.
std::string cssString(std::string_view text) {
    std::string css = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') css += '\\';
        if (c == '<') css += "\\3c ";
        else css += c;
    }
    return css + "\"";
}

std::string twoDigits(int value) { return (value < 10 ? "0" : "") + std::to_string(value); }

std::string navigation(const Tournament& tournament) {
    std::string nav = "<nav aria-label=\"Str\u00e1nky turnaje\"><ul class=\"menu\">\n";
    nav += "<li>" + link(kIndexPage, "P\u0159ehled") + "</li>\n";
    nav += "<li>" + link(kCurrentRoundPage, "Aktu\u00e1ln\u00ed kolo") + "</li>\n";
    nav += "<li>" + link(kCrossTablePage, "Tabulka") + "</li>\n";
    nav += "<li>" + link(kRecordsPage, "Rekordy") + "</li>\n";
    if (!tournament.rounds.empty()) {
        nav += "<li class=\"kola\">Kola:";
        for (const auto& round : tournament.rounds)
            nav += " " + link(roundPageName(round.round, RoundPage::ByTable), std::to_string(round.round));
        nav += "</li>\n";
    }
    return nav + "</ul></nav>\n";
}

}  // namespace

std::string pageHead(const Tournament& tournament, std::string_view title, PageWidth width, std::string_view extraHead) {
    std::string page = "<!DOCTYPE html>\n<html lang=\"cs\">\n<head>\n<meta charset=\"utf-8\">\n";
    page += "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n";
    page += std::string(extraHead);
    page += "<title>" + htmlEscape(title) + " \u2013 " + tournamentName(tournament) + "</title>\n";
    page += "<link rel=\"stylesheet\" href=\"" + std::string(kStylesheetName) + "\">\n";
    page += "<link rel=\"icon\" href=\"" + std::string(kIconName) + "\">\n";
    // The printed sheet's own heading; the page number is the stylesheet's.
    page += "<style>@page { ";
    if (width == PageWidth::Wide) page += "size: A4 landscape; ";
    page += "@top-left { content: " + cssString(tournament.facts.name + " \u2013 " + std::string(title)) +
            "; } @top-right { content: " + cssString(updatedText(tournament)) + "; } }</style>\n";
    return page + "</head>\n";
}

std::string pageStart(const Tournament& tournament, std::string_view title, PageWidth width) {
    std::string page = pageHead(tournament, title, width);
    page += "<body>\n<a class=\"preskocit\" href=\"#obsah\">P\u0159ej\u00edt na obsah</a>\n<header>\n";
    page += "<p class=\"turnaj\">" + link(kIndexPage, tournamentName(tournament)) + " <span class=\"cas\">" +
            updatedText(tournament) + "</span></p>\n";
    page += navigation(tournament) + "</header>\n";
    return page + (width == PageWidth::Wide ? "<main id=\"obsah\" class=\"siroka\">\n" : "<main id=\"obsah\">\n");
}

std::string pageEnd() { return "</main>\n</body>\n</html>\n"; }

std::string updatedText(const Tournament& tournament) {
    const platform::LocalTime& t = tournament.readAt;
    return "Aktualizov\u00e1no " + std::to_string(t.hour) + ":" + twoDigits(t.minute) + ", " + std::to_string(t.day) + ". " +
           std::to_string(t.month) + ". " + std::to_string(t.year);
}

std::string withoutUpdatedTime(std::string_view page) {
    static constexpr std::string_view kUpdated = "Aktualizov\u00e1no ";
    std::string kept;
    for (std::size_t from = 0;;) {
        const std::size_t at = page.find(kUpdated, from);
        kept += page.substr(from, at - from);
        if (at == std::string_view::npos) return kept;
        from = std::min(page.find_first_of("<\"", at), page.size());  // the time ends its element or string
    }
}

std::string tournamentName(const Tournament& tournament) { return htmlEscape(tournament.facts.name); }

std::string siteAddress(const Tournament& tournament) {
    if (tournament.facts.address.empty()) return {};
    return "<p class=\"adresa\">Str\u00e1nky turnaje: " + htmlEscape(tournament.facts.address) + "</p>\n";
}

std::string playerText(const Tournament& tournament, std::int32_t number) {
    const SitePlayer* player = findSitePlayer(tournament, number);
    if (player && !player->name.empty()) return player->name;
    return "hr\u00e1\u010d \u010d. " + std::to_string(number);
}

std::string playerLabel(const Tournament& tournament, std::int32_t number) {
    return htmlEscape(playerText(tournament, number));
}

std::string playerLink(const Tournament& tournament, std::int32_t number) {
    return link(playerPageName(number), playerLabel(tournament, number));
}

std::string oneDecimal(double value) { return formatReal(value, 0, 1); }

std::string signedDecimal(double value) {
    const std::string text = oneDecimal(value);
    if (text == "0.0" || text == "-0.0") return "0.0";
    return text.front() == '-' ? text : "+" + text;
}

std::string czechCount(std::size_t count, std::string_view one, std::string_view few, std::string_view many) {
    const std::string_view noun = count == 1 ? one : count >= 2 && count <= 4 ? few : many;
    return std::to_string(count) + " " + std::string(noun);
}

std::string resultsCount(std::size_t count) {
    return czechCount(count, "v\u00fdsledek", "v\u00fdsledky", "v\u00fdsledk\u016f");
}

std::size_t missingResults(const SiteRound& round) {
    std::size_t missing = 0;
    for (const auto& game : round.games) missing += game.entered() ? 0 : 1;
    return missing;
}

std::string incompleteNotice(const SiteRound& round) {
    return "<p class=\"pozor\">" + std::to_string(round.round) + ". kolo se hraje: chyb\u00ed " + resultsCount(missingResults(round)) + ".</p>\n";
}

std::string scrollingTable(std::string_view caption, const std::vector<std::string_view>& columns,
                           const std::string& rows, std::string_view tableClass) {
    std::string table = "<div class=\"posun\" tabindex=\"0\">\n<table";
    if (!tableClass.empty()) table += " class=\"" + std::string(tableClass) + "\"";
    table += ">\n";
    if (!caption.empty()) table += "<caption>" + std::string(caption) + "</caption>\n";
    table += "<thead><tr>";
    for (std::string_view column : columns) table += "<th scope=\"col\">" + std::string(column) + "</th>";
    table.reserve(table.size() + rows.size() + 64);
    return std::move(table) + "</tr></thead>\n<tbody>\n" + rows + "</tbody>\n</table>\n</div>\n";
}

std::string cell(std::string_view html, std::string_view cssClass) {
    if (cssClass.empty()) return "<td>" + std::string(html) + "</td>";
    return "<td class=\"" + std::string(cssClass) + "\">" + std::string(html) + "</td>";
}

std::string rowHeader(std::string_view html) { return "<th scope=\"row\">" + std::string(html) + "</th>"; }
