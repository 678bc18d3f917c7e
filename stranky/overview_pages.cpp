// index.html, tabulka.html and rekordy.html. The standings shown are those after the latest
// complete round; the records come from the same rounds, as rekordy after that poradi.
#include "overview_pages.hpp"

#include <algorithm>

#include "html.hpp"
#include "page_frame.hpp"
#include "records.hpp"

namespace {

const SiteRound* latestComplete(const Tournament& tournament) {
    if (tournament.lastComplete == 0) return nullptr;
    return &tournament.rounds[static_cast<std::size_t>(tournament.lastComplete - 1)];
}

const char* kNoStandings = "<p>Po\u0159ad\u00ed zat\u00edm nen\u00ed: \u017e\u00e1dn\u00e9 kolo nem\u00e1 zadan\u00e9 v\u0161echny v\u00fdsledky.</p>\n";

constexpr std::size_t kLeaders = 10;  // rows of the standings on the index

// The leaders after the latest complete round, with the way to the whole standings.
std::string latestStandings(const Tournament& tournament) {
    const SiteRound* round = latestComplete(tournament);
    if (!round) return std::string("<h2>Po\u0159ad\u00ed</h2>\n") + kNoStandings;
    std::string rows;
    for (std::size_t i = 0; i < round->standings.size() && i < kLeaders; ++i) {
        const HRAC& p = round->standings[i];
        rows += "<tr>" + cell(std::to_string(i + 1) + ".", "cislo") + rowHeader(playerLink(tournament, p.C)) +
                cell(oneDecimal(p.B), "cislo") + cell(oneDecimal(p.TURCAS), "cislo") + "</tr>\n";
    }
    return "<h2>Po\u0159ad\u00ed po " + std::to_string(round->round) + ". kole</h2>\n" +
           scrollingTable({}, {"Po\u0159.", "Hr\u00e1\u010d", "Body", "TURCAS"}, rows) + "<p><a href=\"" +
           roundPageName(round->round, RoundPage::Standings) + "\">Cel\u00e9 po\u0159ad\u00ed se v\u0161emi sloupci</a> \u00b7 <a href=\"" +
           kCrossTablePage + "\">Tabulka turnaje</a></p>\n";
}

// The round being played (or last played): where to find one's table, how many results miss.
std::string currentRoundSection(const Tournament& tournament) {
    const SiteRound* round = currentRound(tournament);
    if (!round) return "<h2>Kolo</h2>\n<p>Prvn\u00ed kolo je\u0161t\u011b nen\u00ed rozlosovan\u00e9.</p>\n";
    const auto page = [&](RoundPage which, const char* label) {
        return "<li><a href=\"" + roundPageName(round->round, which) + "\">" + label + "</a></li>";
    };
    std::string html = "<section class=\"aktualni\" aria-labelledby=\"aktualni-kolo\">\n<h2 id=\"aktualni-kolo\">" +
                       std::to_string(round->round) + ". kolo</h2>\n<ul class=\"velke\">" +
                       page(RoundPage::ByName, "Kde hraji: los podle jmen") + page(RoundPage::ByTable, "Los podle stol\u016f") +
                       page(RoundPage::Results, "V\u00fdsledky") + "</ul>\n<p>";
    const std::size_t missing = missingResults(*round);
    html += missing == 0 ? "V\u0161echny v\u00fdsledky jsou zadan\u00e9." : "Chyb\u00ed " + resultsCount(missing) + ".";
    return std::move(html) + "</p>\n</section>\n";
}

// Place, date, organiser, arbiter and the site's address, those that turnaj.txt gives.
std::string tournamentFacts(const Tournament& tournament) {
    const TournamentFacts& facts = tournament.facts;
    std::string items;
    const auto item = [&](const char* label, const std::string& value) {
        if (!value.empty()) items += (items.empty() ? "" : " \u00b7 ") + std::string(label) + ": " + htmlEscape(value);
    };
    item("M\u00edsto", facts.place);
    item("Datum", facts.date);
    item("Po\u0159adatel", facts.organiser);
    item("Rozhod\u010d\u00ed", facts.arbiter);
    item("Adresa str\u00e1nek", facts.address);
    return items.empty() ? std::string() : "<p class=\"fakta\">" + items + "</p>\n";
}

std::string roundsTable(const Tournament& tournament) {
    if (tournament.rounds.empty()) return "<h2>Kola</h2>\n<p>Prvn\u00ed kolo je\u0161t\u011b nen\u00ed rozlosovan\u00e9.</p>\n";
    std::string rows;
    for (const auto& round : tournament.rounds) {
        const auto page = [&](RoundPage which, const char* label) {
            return "<a href=\"" + roundPageName(round.round, which) + "\">" + label + "</a>";
        };
        const std::size_t missing = missingResults(round);
        rows += "<tr>" + rowHeader(std::to_string(round.round) + ".") +
                cell(round.complete ? "v\u0161echny v\u00fdsledky" : "chyb\u00ed " + resultsCount(missing)) +
                cell(page(RoundPage::ByTable, "stoly") + " \u00b7 " + page(RoundPage::ByName, "jm\u00e9na") + " \u00b7 " +
                     page(RoundPage::Results, "v\u00fdsledky") +
                     (round.complete ? " \u00b7 " + page(RoundPage::Standings, "po\u0159ad\u00ed") : std::string())) +
                "</tr>\n";
    }
    return "<h2>Kola</h2>\n" + scrollingTable({}, {"Kolo", "Stav", "Str\u00e1nky"}, rows);
}

std::string playersTable(const Tournament& tournament) {
    std::string rows;
    for (const auto& player : tournament.players)
        rows += "<tr>" + cell(std::to_string(player.number), "cislo") + rowHeader(playerLink(tournament, player.number)) +
                cell(oneDecimal(player.ratingBefore), "cislo") + cell(oneDecimal(player.rating), "cislo") + "</tr>\n";
    return "<h2>Hr\u00e1\u010di</h2>\n" +
           scrollingTable("Podle \u010d\u00edsla", {"\u010c\u00edslo", "Hr\u00e1\u010d", "S\u00edla p\u0159ed turnajem", "S\u00edla nyn\u00ed"}, rows);
}

// One cell of the cross table: the opponent's place and the result (+ won, = drawn, \u2212 lost).
std::string crossCell(const SiteRound& round, std::int32_t number, const SiteRound& latest) {
    for (const auto& game : round.games) {
        const bool first = game.first == number;
        if (!first && (game.bye() || game.second != number)) continue;
        const std::int32_t own = first ? game.score1 : game.score2, other = first ? game.score2 : game.score1;
        const char* result = own > other ? "+" : own == other ? "=" : "\u2212";
        if (game.bye()) return cell(std::string("volno") + result);
        const auto row = latest.rowOf.find(first ? game.second : game.first);
        return cell((row == latest.rowOf.end() ? std::string("?") : std::to_string(row->second + 1)) + result, "cislo");
    }
    return cell("\u2013");
}

const char* recordTitle(GameRecord record) {
    switch (record) {
        case GameRecord::HighestTotal: return "Nejvy\u0161\u0161\u00ed sou\u010det sk\u00f3re";
        case GameRecord::HighestScore: return "Nejvy\u0161\u0161\u00ed sk\u00f3re";
        case GameRecord::HighestLosingScore: return "Nejvy\u0161\u0161\u00ed sk\u00f3re pora\u017een\u00e9ho";
        case GameRecord::LargestMargin: return "Nejvy\u0161\u0161\u00ed rozd\u00edl";
        case GameRecord::NarrowestLoss: return "Nejt\u011bsn\u011bj\u0161\u00ed prohra";
    }
    return "";
}

std::string gameRecordSection(const Tournament& tournament, GameRecord record) {
    const std::int64_t value = recordValue(record, tournament.recordGames);
    std::string rows;
    for (std::size_t i = 0; i < tournament.recordGames.size(); ++i) {
        const Game& game = tournament.recordGames[i];
        if (!isListed(record, game, value)) continue;
        rows += "<tr>" + cell(std::to_string(tournament.recordRounds[i]) + ".", "cislo") + cell(playerLink(tournament, game.k1)) +
                cell(std::to_string(game.v1) + "&nbsp;:&nbsp;" + std::to_string(game.v2), "skore") +
                cell(playerLink(tournament, game.k2)) + "</tr>\n";
    }
    const std::string title = recordTitle(record);
    if (rows.empty()) return "<h2>" + title + "</h2>\n<p>\u017d\u00e1dn\u00e1 partie.</p>\n";
    return "<h2>" + title + ": " + std::to_string(value) + "</h2>\n" +
           scrollingTable({}, {"Kolo", "Za\u010d\u00edn\u00e1", "Sk\u00f3re", "Soupe\u0159"}, rows);
}

std::string riseSection(const Tournament& tournament) {
    std::string html = "<h2>Nejvy\u0161\u0161\u00ed r\u016fst s\u00edly</h2>\n";
    if (tournament.rise->player == 0) return std::move(html) + "<p>Nikomu s\u00edla nestoupla.</p>\n";
    return std::move(html) + "<p>" + playerLink(tournament, tournament.rise->player) + ": +" + oneDecimal(tournament.rise->rise) +
           "</p>\n";
}

}  // namespace

std::string overviewPage(const Tournament& tournament) {
    std::string html = pageStart(tournament, "P\u0159ehled");
    html += "<h1>" + tournamentName(tournament) + "</h1>\n" + currentRoundSection(tournament) + tournamentFacts(tournament);
    html += latestStandings(tournament) + roundsTable(tournament) + playersTable(tournament);
    html += "<p>" + czechCount(tournament.players.size(), "hr\u00e1\u010d", "hr\u00e1\u010di", "hr\u00e1\u010d\u016f") + " \u00b7 <a href=\"" +
            std::string(kRecordsPage) + "\">Rekordy</a> \u00b7 <a href=\"" + std::string(kProjectorPage) +
            "\">Str\u00e1nka pro projektor</a> \u00b7 <a href=\"" + std::string(kDataName) + "\">Data turnaje (JSON)</a></p>\n";
    return std::move(html) + pageEnd();
}

std::string noRoundPage(const Tournament& tournament) {
    return pageStart(tournament, "Aktu\u00e1ln\u00ed kolo") +
           "<h1>Aktu\u00e1ln\u00ed kolo</h1>\n<p>Prvn\u00ed kolo je\u0161t\u011b nen\u00ed rozlosovan\u00e9.</p>\n" + pageEnd();
}

namespace {

// Printed, the columns of this many rounds fit across a landscape A4 sheet beside the names;
// a longer tournament prints its cross table in parts of rounds, one after another.
constexpr std::int32_t kRoundsOnSheet = 24;

// The cross table of rounds first to last (1-based, both included).
std::string crossTable(const Tournament& tournament, const SiteRound& latest, std::int32_t first, std::int32_t last,
                       std::string_view tableClass) {
    std::vector<std::string> headers{"Po\u0159.", "Hr\u00e1\u010d", "Body"};
    for (std::int32_t r = first; r <= last; ++r) headers.push_back(std::to_string(r) + ".");
    std::string rows;
    for (std::size_t i = 0; i < latest.standings.size(); ++i) {
        const HRAC& p = latest.standings[i];
        rows += "<tr>" + cell(std::to_string(i + 1) + ".", "cislo") + rowHeader(playerLink(tournament, p.C)) +
                cell(oneDecimal(p.B), "cislo");
        for (std::int32_t r = first; r <= last; ++r)
            rows += crossCell(tournament.rounds[static_cast<std::size_t>(r - 1)], p.C, latest);
        rows += "</tr>\n";
    }
    std::vector<std::string_view> columns(headers.begin(), headers.end());
    return scrollingTable({}, columns, rows, tableClass);
}

}  // namespace

std::string crossTablePage(const Tournament& tournament) {
    std::string html = pageStart(tournament, "Tabulka", PageWidth::Wide) + "<h1>Tabulka turnaje</h1>\n";
    const SiteRound* latest = latestComplete(tournament);
    if (!latest) return std::move(html) + kNoStandings + pageEnd();
    const std::int32_t rounds = latest->round;
    html += "<p>V ka\u017ed\u00e9m kole po\u0159ad\u00ed soupe\u0159e po " + std::to_string(rounds) +
            ". kole a v\u00fdsledek: + v\u00fdhra, = rem\u00edza, \u2212 prohra; volno; \u2013 hr\u00e1\u010d v kole nehr\u00e1l.</p>\n<p class=\"posouva\">" +
            kScrollHint + "</p>\n";
    if (rounds <= kRoundsOnSheet) return std::move(html) + crossTable(tournament, *latest, 1, rounds, "tabulka") + pageEnd();
    html += "<div class=\"jen-obrazovka\">\n" + crossTable(tournament, *latest, 1, rounds, "tabulka") + "</div>\n";
    const std::int32_t parts = (rounds + kRoundsOnSheet - 1) / kRoundsOnSheet;
    const std::int32_t perPart = (rounds + parts - 1) / parts;
    for (std::int32_t first = 1; first <= rounds; first += perPart) {
        const std::int32_t last = std::min(rounds, first + perPart - 1);
        html += "<div class=\"jen-tisk\">\n<h2>Kola " + std::to_string(first) + " a\u017e " + std::to_string(last) + "</h2>\n" +
                crossTable(tournament, *latest, first, last, "tabulka") + "</div>\n";
    }
    return std::move(html) + pageEnd();
}

std::string recordsPage(const Tournament& tournament) {
    std::string html = pageStart(tournament, "Rekordy") + "<h1>Rekordy turnaje</h1>\n";
    if (tournament.lastComplete == 0) return std::move(html) + "<p>Rekordy zat\u00edm nejsou: \u017e\u00e1dn\u00e9 kolo nem\u00e1 zadan\u00e9 v\u0161echny v\u00fdsledky.</p>\n" + pageEnd();
    html += "<p>Ze v\u0161ech parti\u00ed do " + std::to_string(tournament.lastComplete) + ". kola, jako je po\u010d\u00edt\u00e1 program rekordy.</p>\n";
    for (GameRecord record : kGameRecords) html += gameRecordSection(tournament, record);
    return std::move(html) + riseSection(tournament) + pageEnd();
}
