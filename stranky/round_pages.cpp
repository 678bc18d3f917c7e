// The pages of one round. Points before the round count the entered results only; the
// standings are poradi's, row for row and number for number.
#include "round_pages.hpp"

#include <algorithm>

#include "fixed.hpp"
#include "html.hpp"
#include "names.hpp"
#include "page_frame.hpp"

namespace {

std::string roundTitle(const SiteRound& round, std::string_view what) {
    return std::to_string(round.round) + ". kolo \u2013 " + std::string(what);
}

// The round's own links, the current page marked.
std::string roundNavigation(const SiteRound& round, RoundPage current) {
    struct Entry {
        RoundPage page;
        const char* label;
    };
    static constexpr Entry kEntries[] = {{RoundPage::ByTable, "Los podle stol\u016f"},
                                         {RoundPage::ByName, "Los podle jmen"},
                                         {RoundPage::Results, "V\u00fdsledky"},
                                         {RoundPage::Standings, "Po\u0159ad\u00ed"}};
    std::string nav = "<nav aria-label=\"" + std::to_string(round.round) + ". kolo\"><ul class=\"menu kolo\">\n";
    for (const Entry& entry : kEntries) {
        if (entry.page == RoundPage::Standings && !round.complete) continue;
        nav += "<li><a href=\"" + roundPageName(round.round, entry.page) + "\"";
        if (entry.page == current) nav += " aria-current=\"page\"";
        nav += ">" + std::string(entry.label) + "</a></li>\n";
    }
    return nav + "</ul></nav>\n";
}

// The start of a round page: frame, heading, the round's links, the notice of missing results.
std::string roundPageStart(const Tournament& tournament, const SiteRound& round, RoundPage page, std::string_view what) {
    std::string html = pageStart(tournament, roundTitle(round, what));
    html += "<h1>" + roundTitle(round, what) + "</h1>\n" + roundNavigation(round, page);
    if (!round.complete) html += incompleteNotice(round);
    return html;
}

double pointsBefore(const SiteRound& round, std::int32_t number) {
    auto found = round.pointsBefore.find(number);
    return found == round.pointsBefore.end() ? 0.0 : found->second;
}

std::string tableNumber(const SiteGame& game) { return game.bye() ? "\u2013" : std::to_string(game.table); }

std::string scores(const SiteGame& game) {
    if (!game.entered()) return "chyb\u00ed";
    return std::to_string(game.score1) + "&nbsp;:&nbsp;" + std::to_string(game.score2);
}

// The winner's name in bold; a draw marks neither.
std::string resultName(const Tournament& tournament, std::int32_t number, bool won) {
    const std::string name = playerLink(tournament, number);
    return won ? "<strong>" + name + "</strong>" : name;
}

std::string signedBalance(std::int32_t z) { return (z > 0 ? "+" : "") + std::to_string(z); }

std::string standingsLegend(const Tournament& tournament, const SiteRound& round) {
    const Coefficients& k = *tournament.koef;
    const auto coefficient = [](double value) { return shortestReal(value); };
    std::string html = "<section class=\"legenda\">\n<h2>Co znamenaj\u00ed sloupce</h2>\n<dl>\n";
    html += "<dt>Body</dt><dd>1 bod za v\u00fdhru, \u00bd za rem\u00edzu; volno se po\u010d\u00edt\u00e1 podle sk\u00f3re (300 : 300 je rem\u00edza).</dd>\n";
    html += "<dt>TURCAS</dt><dd>pomocn\u00e9 hodnocen\u00ed: KOEFA \u00d7 Buch. / po\u010det kol + (KOEFB + KOEFC) \u00d7 sk\u00f3re pro \u2212 KOEFC \u00d7 sk\u00f3re "
            "proti \u2212 KOEFD \u00d7 Za\u010d.; koeficienty ze souboru koef.txt: KOEFA = " + coefficient(k.KOEFA) + ", KOEFB = " +
            coefficient(k.KOEFB) + ", KOEFC = " + coefficient(k.KOEFC) + ", KOEFD = " + coefficient(k.KOEFD) + ".</dd>\n";
    html += "<dt>Buch.</dt><dd>upraven\u00fd Buchholz: sou\u010det kone\u010dn\u00fdch bod\u016f v\u0161ech soupe\u0159\u016f; za ka\u017ed\u00e9 kolo, kter\u00e9 soupe\u0159 "
            "nehr\u00e1l, se mu p\u0159i\u010d\u00edt\u00e1 \u00bd bodu; volno a kolo, kter\u00e9 hr\u00e1\u010d s\u00e1m nehr\u00e1l, se po\u010d\u00edtaj\u00ed jako soupe\u0159 s " +
            oneDecimal(round.round / 2.0) + " body (polovina po\u010dtu kol).</dd>\n";
    html += "<dt>Sk\u00f3re +, Sk\u00f3re \u2212</dt><dd>sou\u010det vlastn\u00edch bod\u016f ze v\u0161ech parti\u00ed (i z volna) a sou\u010det bod\u016f soupe\u0159\u016f.</dd>\n";
    html += "<dt>Za\u010d.</dt><dd>bilance za\u010d\u00edn\u00e1n\u00ed: +1 za ka\u017edou partii, kterou hr\u00e1\u010d za\u010d\u00ednal, \u22121 za ka\u017edou, kterou za\u010d\u00ednal "
            "soupe\u0159.</dd>\n";
    html += "<dt>S\u00edla</dt><dd>rating hr\u00e1\u010de p\u0159epo\u010d\u00edtan\u00fd ze v\u0161ech parti\u00ed do tohoto kola (jako v souboru kanvo.new).</dd>\n";
    html += "<dt>ARO</dt><dd>pr\u016fm\u011brn\u00e1 s\u00edla soupe\u0159\u016f.</dd>\n";
    html += "<dt>Sig</dt><dd>rozptyl s\u00edly soupe\u0159\u016f (v\u00fdb\u011brov\u00e1 sm\u011brodatn\u00e1 odchylka; 0 p\u0159i nejv\u00fd\u0161e jednom soupe\u0159i).</dd>\n";
    html += "</dl>\n<p>Po\u0159ad\u00ed ur\u010duj\u00ed body, p\u0159i rovnosti bod\u016f vy\u0161\u0161\u00ed TURCAS; hr\u00e1\u010di shodn\u00ed v obou z\u016fst\u00e1vaj\u00ed v po\u0159ad\u00ed, v "
            "jak\u00e9m je d\u00e1v\u00e1 program poradi.</p>\n</section>\n";
    return html;
}

// Links to the first name of each initial present, in Czech order.
std::string letterLinks(const std::vector<const SitePlayer*>& players) {
    std::string links, last;
    for (const SitePlayer* player : players) {
        const std::string initial = czechInitial(player->name);
        if (initial == last) continue;
        last = initial;
        links += "<li><a href=\"#h" + std::to_string(player->number) + "\">" + htmlEscape(initial) + "</a></li>";
    }
    return "<nav aria-label=\"Podle p\u00edsmen\"><ul class=\"pismena\">" + links + "</ul></nav>\n";
}

}  // namespace

std::vector<const SitePlayer*> playersByName(const Tournament& tournament) {
    std::vector<std::pair<std::string, const SitePlayer*>> keyed;
    for (const auto& player : tournament.players) keyed.emplace_back(czechSortKey(player.name), &player);
    std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<const SitePlayer*> players;
    for (const auto& entry : keyed) players.push_back(entry.second);
    return players;
}

std::string pairingsByTablePage(const Tournament& tournament, const SiteRound& round) {
    std::string html = roundPageStart(tournament, round, RoundPage::ByTable, "los podle stol\u016f");
    std::string rows;
    for (const auto& game : round.games) {
        rows += "<tr>" + rowHeader(tableNumber(game)) + cell(playerLink(tournament, game.first)) +
                cell(oneDecimal(pointsBefore(round, game.first)), "cislo");
        if (game.bye())
            rows += cell("volno") + cell("");
        else
            rows += cell(playerLink(tournament, game.second)) + cell(oneDecimal(pointsBefore(round, game.second)), "cislo");
        rows += "</tr>\n";
    }
    html += scrollingTable("Prvn\u00ed hr\u00e1\u010d za\u010d\u00edn\u00e1; body p\u0159ed kolem", {"St\u016fl", "Za\u010d\u00edn\u00e1", "Body", "Soupe\u0159", "Body"},
                           rows, "los");
    return std::move(html) + siteAddress(tournament) + pageEnd();
}

std::string pairingsByNamePage(const Tournament& tournament, const SiteRound& round) {
    std::string html = roundPageStart(tournament, round, RoundPage::ByName, "los podle jmen");
    const std::vector<const SitePlayer*> players = playersByName(tournament);
    std::string rows;
    for (const SitePlayer* player : players) {
        rows += "<tr id=\"h" + std::to_string(player->number) + "\">" + rowHeader(playerLink(tournament, player->number));
        const SiteGame* game = gameOf(round, player->number);
        if (!game)
            rows += cell("\u2013") + cell("v tomto kole nehraje") + cell("\u2013");
        else if (game->bye())
            rows += cell("\u2013") + cell("volno") + cell("\u2013");
        else if (game->first == player->number)
            rows += cell(tableNumber(*game)) + cell(playerLink(tournament, game->second)) + cell("ano");
        else
            rows += cell(tableNumber(*game)) + cell(playerLink(tournament, game->first)) + cell("ne");
        rows += "</tr>\n";
    }
    html += letterLinks(players);
    html += scrollingTable({}, {"Hr\u00e1\u010d", "St\u016fl", "Soupe\u0159", "Za\u010d\u00edn\u00e1"}, rows, "los jmena");
    return std::move(html) + siteAddress(tournament) + pageEnd();
}

std::string resultsPage(const Tournament& tournament, const SiteRound& round) {
    std::string html = roundPageStart(tournament, round, RoundPage::Results, "v\u00fdsledky");
    std::string rows;
    for (const auto& game : round.games) {
        const bool entered = game.entered();
        rows += "<tr>" + rowHeader(tableNumber(game)) +
                cell(resultName(tournament, game.first, entered && game.score1 > game.score2));
        rows += cell(scores(game), entered ? "skore" : "skore chybi");
        rows += game.bye() ? cell("volno")
                           : cell(resultName(tournament, game.second, entered && game.score2 > game.score1));
        rows += "</tr>\n";
    }
    html += scrollingTable("V\u00edt\u011bz tu\u010dn\u011b", {"St\u016fl", "Za\u010d\u00edn\u00e1", "Sk\u00f3re", "Soupe\u0159"}, rows);
    return std::move(html) + pageEnd();
}

std::string standingsPage(const Tournament& tournament, const SiteRound& round) {
    std::string html = roundPageStart(tournament, round, RoundPage::Standings, "po\u0159ad\u00ed");
    std::string rows;
    for (std::size_t i = 0; i < round.standings.size(); ++i) {
        const HRAC& p = round.standings[i];
        rows += "<tr>" + cell(std::to_string(i + 1) + ".", "cislo") + rowHeader(playerLink(tournament, p.C)) +
                cell(oneDecimal(p.B), "cislo") + cell(oneDecimal(p.TURCAS), "cislo") + cell(oneDecimal(p.BCH), "cislo") +
                cell(std::to_string(p.S1), "cislo") + cell(std::to_string(p.S2), "cislo") +
                cell(signedBalance(p.Z), "cislo") + cell(oneDecimal(p.NSA), "cislo") + cell(oneDecimal(p.ARO), "cislo") +
                cell(oneDecimal(p.ARO2), "cislo") + "</tr>\n";
    }
    html += "<p>V\u0161echny sloupce pro tabulkov\u00fd procesor: <a href=\"" + standingsCsvName(round.round) + "\">" +
            standingsCsvName(round.round) + "</a> (CSV, st\u0159edn\u00edky a desetinn\u00e9 \u010d\u00e1rky).</p>\n";
    html += "<p class=\"posouva uzka\">" + std::string(kScrollHint) + "</p>\n";
    html += scrollingTable({}, {"Po\u0159.", "Hr\u00e1\u010d", "Body", "TURCAS", "Buch.", "Sk\u00f3re +", "Sk\u00f3re \u2212", "Za\u010d.", "S\u00edla", "ARO", "Sig"},
                           rows, "poradi");
    html += standingsLegend(tournament, round);
    return std::move(html) + pageEnd();
}
