// The player's page: first the round being played (table, opponent, who starts, the result
// once entered), then one row per round. A result not entered counts for nothing; a round
// without a line of his own shows that he did not play.
#include "player_pages.hpp"

#include <cstdint>

#include "fixed.hpp"
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
    const SiteGame* game = gameOf(round, number);
    if (!game) return {};
    if (game->first == number) return {game, true, game->score1, game->score2, game->bye() ? 0 : game->second};
    return {game, false, game->score2, game->score1, game->first};
}

struct Totals {
    double points = 0;
    std::int64_t scoreFor = 0, scoreAgainst = 0;
};

// Scores of a hand-edited file may be any 32-bit numbers: their difference takes 64 bits.
std::int64_t spread(const Side& side) { return std::int64_t{side.own} - std::int64_t{side.other}; }

std::string signedWhole(std::int64_t value) { return (value > 0 ? "+" : "") + std::to_string(value); }

std::string resultWord(const Side& side) {
    if (!side.game->entered()) return "nezad\u00e1no";
    const char* word = side.own > side.other ? "v\u00fdhra" : side.own == side.other ? "rem\u00edza" : "prohra";
    return side.game->bye() ? std::string("volno, ") + word : word;
}

std::string scoreText(const Side& side) {
    return std::to_string(side.own) + "&nbsp;:&nbsp;" + std::to_string(side.other);
}

// A player's rating and place before a round: after the latest complete round before it, or
// kanvo.dat's rating and no place.
struct Before {
    double rating = 0;
    std::size_t place = 0;  // 0: none
};

Before beforeRound(const Tournament& tournament, const SiteRound* before, std::int32_t number) {
    if (before) {
        const auto row = before->rowOf.find(number);
        if (row != before->rowOf.end()) return {before->standings[row->second].NSA, row->second + 1};
    }
    const SitePlayer* player = findSitePlayer(tournament, number);
    return {player ? player->ratingBefore : 0.0, 0};
}

std::string opponentCell(const Tournament& tournament, const SiteRound* before, std::int32_t opponent) {
    const Before facts = beforeRound(tournament, before, opponent);
    std::string note = formatReal(facts.rating, 0, 0);
    if (facts.place > 0) note += ", " + std::to_string(facts.place) + ".";
    return playerLink(tournament, opponent) + " <span class=\"pozn\">(" + note + ")</span>";
}

// Place after the round, rating after it and its change: complete rounds only.
std::string afterRoundCells(const Tournament& tournament, const SiteRound& round, std::int32_t number) {
    const HRAC* after = standingOf(round, number);
    if (!after) return cell("\u2013") + cell("\u2013") + cell("\u2013");
    const Before before = beforeRound(tournament, standingsBefore(tournament, round.round), number);
    return cell(std::to_string(round.rowOf.at(number) + 1) + ".") + cell(oneDecimal(after->NSA)) +
           cell(signedDecimal(after->NSA - before.rating));
}

std::string roundRow(const Tournament& tournament, const SiteRound& round, std::int32_t number, Totals& totals) {
    std::string row = "<tr>" + rowHeader("<a href=\"" + roundPageName(round.round, RoundPage::Results) + "\">" +
                                         std::to_string(round.round) + ".</a>");
    const Side side = sideOf(round, number);
    if (!side.game) {
        return row + cell("\u2013") + cell("nehr\u00e1l(a)") + cell("\u2013") + cell("\u2013") + cell("\u2013") +
               cell("\u2013") + cell(oneDecimal(totals.points), "body") + afterRoundCells(tournament, round, number) +
               "</tr>\n";
    }
    const bool bye = side.game->bye();
    const bool entered = side.game->entered();
    if (entered) {
        totals.points += pointsFor(side.own, side.other);
        totals.scoreFor += side.own;
        totals.scoreAgainst += side.other;
    }
    row += cell(bye ? "\u2013" : std::to_string(side.game->table));
    row += cell(bye ? "volno" : opponentCell(tournament, standingsBefore(tournament, round.round), side.opponent));
    row += cell(bye ? "\u2013" : side.first ? "ano" : "ne");
    row += cell(entered ? scoreText(side) : "\u2013");
    row += cell(resultWord(side));
    row += cell(entered ? signedWhole(spread(side)) : "\u2013");
    row += cell(oneDecimal(totals.points), "body");
    return row + afterRoundCells(tournament, round, number) + "</tr>\n";
}

// The first thing on the page: where the player sits in the round being played.
std::string currentGame(const Tournament& tournament, const SiteRound& round, std::int32_t number) {
    const std::string start = "<p class=\"ted\"><strong>Kolo " + std::to_string(round.round) + ":</strong> ";
    const Side side = sideOf(round, number);
    if (!side.game) return start + "nehraje\u0161.</p>\n";
    if (side.game->bye()) return start + "volno" + (side.game->entered() ? " (" + scoreText(side) + ")" : "") + ".</p>\n";
    const SitePlayer* opponent = findSitePlayer(tournament, side.opponent);
    std::string text = start + "st\u016fl " + std::to_string(side.game->table) + ", soupe\u0159 " +
                       playerLink(tournament, side.opponent) + " (" + formatReal(opponent ? opponent->rating : 0.0, 0, 0) +
                       "), " + (side.first ? "za\u010d\u00edn\u00e1\u0161" : "za\u010d\u00edn\u00e1 soupe\u0159");
    if (side.game->entered()) text += "; " + resultWord(side) + " " + scoreText(side);
    return text + ".</p>\n";
}

std::string playerFacts(const Tournament& tournament, const SitePlayer& player) {
    std::string html = "<dl class=\"udaje\">\n<dt>\u010c\u00edslo</dt><dd>" + std::to_string(player.number) + "</dd>\n";
    html += "<dt>S\u00edla p\u0159ed turnajem</dt><dd>" + oneDecimal(player.ratingBefore) + "</dd>\n";
    html += "<dt>S\u00edla nyn\u00ed</dt><dd>" + oneDecimal(player.rating);
    if (tournament.lastComplete == 0) return std::move(html) + "</dd>\n</dl>\n";
    const std::string after = " (po " + std::to_string(tournament.lastComplete) + ". kole)";
    html += after + "</dd>\n";
    const SiteRound& latest = tournament.rounds[static_cast<std::size_t>(tournament.lastComplete - 1)];
    if (const HRAC* standing = standingOf(latest, player.number))
        html += "<dt>Body a po\u0159ad\u00ed" + after + "</dt><dd>" + oneDecimal(standing->B) + ", " +
                std::to_string(latest.rowOf.at(player.number) + 1) + ". m\u00edsto</dd>\n";
    return std::move(html) + "</dl>\n";
}

}  // namespace

std::string playerPage(const Tournament& tournament, const SitePlayer& player) {
    const std::string name = playerLabel(tournament, player.number);
    std::string html = pageStart(tournament, playerText(tournament, player.number));
    html += "<h1>" + name + "</h1>\n";
    const SiteRound* current = currentRound(tournament);
    if (!current) {
        html += playerFacts(tournament, player) + "<p>Turnaj je\u0161t\u011b neza\u010dal: prvn\u00ed kolo nen\u00ed rozlosovan\u00e9.</p>\n";
        return std::move(html) + pageEnd();
    }
    html += currentGame(tournament, *current, player.number);
    if (!current->complete) html += incompleteNotice(*current);
    html += playerFacts(tournament, player);
    Totals totals;
    std::string rows;
    for (const auto& round : tournament.rounds) rows += roundRow(tournament, round, player.number, totals);
    rows += "<tr class=\"soucet\">" + rowHeader("Celkem") + cell("") + cell("") + cell("") +
            cell(std::to_string(totals.scoreFor) + "&nbsp;:&nbsp;" + std::to_string(totals.scoreAgainst)) +
            cell("") + cell(signedWhole(totals.scoreFor - totals.scoreAgainst)) +
            cell(oneDecimal(totals.points), "body") + cell("") + cell("") + cell("") + "</tr>\n";
    html += "<h2>Partie po kolech</h2>\n";
    html += scrollingTable("Soupe\u0159 se silou a po\u0159ad\u00edm p\u0159ed kolem; po\u0159ad\u00ed a s\u00edla po kole",
                           {"Kolo", "St\u016fl", "Soupe\u0159", "Za\u010d.", "Sk\u00f3re", "V\u00fdsledek", "Rozd\u00edl", "Body", "Po\u0159.",
                            "S\u00edla", "Zm\u011bna"},
                           rows, "karta");
    return std::move(html) + pageEnd();
}
