// The player's page, one row per round; a round without a line of his own shows that he did
// not play, a result still 0 0 that it is missing.
#include "player_pages.hpp"

#include "html.hpp"
#include "page_frame.hpp"

namespace {

// One side of a line, as the standings count it.
struct Side {
    const SiteGame* game = nullptr;
    bool first = false;
    std::int32_t own = 0, other = 0, opponent = 0;
};

Side sideOf(const SiteRound& round, std::int32_t number) {
    for (const auto& game : round.games) {
        if (game.first == number) return {&game, true, game.score1, game.score2, game.bye() ? 0 : game.second};
        if (!game.bye() && game.second == number) return {&game, false, game.score2, game.score1, game.first};
    }
    return {};
}

struct Totals {
    double points = 0;
    std::int64_t scoreFor = 0, scoreAgainst = 0;
};

std::string resultWord(const Side& side) {
    if (!side.game->entered()) return "chyb\u00ed";
    const char* word = side.own > side.other ? "v\u00fdhra" : side.own == side.other ? "rem\u00edza" : "prohra";
    return side.game->bye() ? std::string("volno, ") + word : word;
}

std::string roundRow(const Tournament& tournament, const SiteRound& round, std::int32_t number, Totals& totals) {
    std::string row = "<tr>" + rowHeader("<a href=\"" + roundPageName(round.round, RoundPage::Results) + "\">" +
                                         std::to_string(round.round) + ".</a>");
    const Side side = sideOf(round, number);
    if (!side.game) return row + cell("\u2013") + cell("nehr\u00e1l(a)") + cell("\u2013") + cell("\u2013") + cell("\u2013") + cell("\u2013") +
                           cell(oneDecimal(totals.points), "cislo") + "</tr>\n";
    // A result still missing counts as the standings count it: a draw, scores 0.
    totals.points += pointsFor(side.own, side.other);
    totals.scoreFor += side.own;
    totals.scoreAgainst += side.other;
    const bool bye = side.game->bye();
    const bool entered = side.game->entered();
    row += cell(bye ? "\u2013" : std::to_string(side.game->table));
    row += cell(bye ? "volno" : playerLink(tournament, side.opponent));
    row += cell(bye ? "\u2013" : side.first ? "ano" : "ne");
    row += cell(entered ? std::to_string(side.own) + "&nbsp;:&nbsp;" + std::to_string(side.other) : "\u2013", "skore");
    row += cell(resultWord(side));
    row += cell(entered ? std::to_string(side.own - side.other) : "\u2013", "cislo");
    return row + cell(oneDecimal(totals.points), "cislo") + "</tr>\n";
}

}  // namespace

std::string playerPage(const Tournament& tournament, const SitePlayer& player) {
    const std::string name = playerLabel(tournament, player.number);
    std::string html = pageStart(tournament, name, false);
    html += "<h1>" + name + "</h1>\n<dl class=\"udaje\">\n";
    html += "<dt>\u010c\u00edslo</dt><dd>" + std::to_string(player.number) + "</dd>\n";
    html += "<dt>S\u00edla p\u0159ed turnajem</dt><dd>" + oneDecimal(player.ratingBefore) + "</dd>\n";
    html += "<dt>S\u00edla nyn\u00ed</dt><dd>" + oneDecimal(player.rating);
    if (tournament.lastComplete > 0) html += " (po " + std::to_string(tournament.lastComplete) + ". kole)";
    html += "</dd>\n</dl>\n";
    Totals totals;
    std::string rows;
    for (const auto& round : tournament.rounds) rows += roundRow(tournament, round, player.number, totals);
    rows += "<tr class=\"soucet\">" + rowHeader("Celkem") + cell("") + cell("") + cell("") +
            cell(std::to_string(totals.scoreFor) + "&nbsp;:&nbsp;" + std::to_string(totals.scoreAgainst), "skore") +
            cell("") + cell(std::to_string(totals.scoreFor - totals.scoreAgainst), "cislo") +
            cell(oneDecimal(totals.points), "cislo") + "</tr>\n";
    if (tournament.rounds.empty()) html += "<p>Turnaj je\u0161t\u011b neza\u010dal: prvn\u00ed kolo nen\u00ed rozlosovan\u00e9.</p>\n";
    else html += scrollingTable("Partie hr\u00e1\u010de " + name + " po kolech",
                                {"Kolo", "St\u016fl", "Soupe\u0159", "Za\u010d\u00ednal(a)", "Sk\u00f3re", "V\u00fdsledek", "Rozd\u00edl", "Body"}, rows);
    return html + pageEnd();
}
