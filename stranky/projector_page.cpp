// The projector's page: one long column that the stylesheet moves up from its first line to
// its last, then the page loads itself again and shows what changed meanwhile.
#include "projector_page.hpp"

#include "page_frame.hpp"

namespace {

// Time to read a line, and the pauses before the column moves and after it stops.
constexpr int kSecondsPerRow = 1;
constexpr int kPauseSeconds = 8;

std::string pairings(const Tournament& tournament, const SiteRound& round, int& rows) {
    std::string body;
    for (const auto& game : round.games) {
        ++rows;
        body += "<tr>" + rowHeader(game.bye() ? "\u2013" : std::to_string(game.table)) +
                cell(playerLabel(tournament, game.first)) +
                cell(game.bye() || !game.entered() ? "" : std::to_string(game.score1) + "&nbsp;:&nbsp;" + std::to_string(game.score2), "skore") +
                cell(game.bye() ? "volno" : playerLabel(tournament, game.second)) + "</tr>\n";
    }
    return "<h2>" + std::to_string(round.round) + ". kolo podle stol\u016f</h2>\n" +
           scrollingTable({}, {"St\u016fl", "Za\u010d\u00edn\u00e1", "Sk\u00f3re", "Soupe\u0159"}, body, "los");
}

std::string standings(const Tournament& tournament, int& rows) {
    if (tournament.lastComplete == 0) return {};
    const SiteRound& round = tournament.rounds[static_cast<std::size_t>(tournament.lastComplete - 1)];
    std::string body;
    for (std::size_t i = 0; i < round.standings.size(); ++i, ++rows)
        body += "<tr>" + cell(std::to_string(i + 1) + ".", "cislo") + rowHeader(playerLabel(tournament, round.standings[i].C)) +
                cell(oneDecimal(round.standings[i].B), "cislo") + "</tr>\n";
    return "<h2>Po\u0159ad\u00ed po " + std::to_string(round.round) + ". kole</h2>\n" +
           scrollingTable({}, {"Po\u0159.", "Hr\u00e1\u010d", "Body"}, body);
}

}  // namespace

std::string projectorPage(const Tournament& tournament) {
    const SiteRound* round = currentRound(tournament);
    int rows = 0;
    std::string content = "<h1>" + tournamentName(tournament) + "</h1>\n";
    content += siteAddress(tournament);
    content += round ? pairings(tournament, *round, rows) : "<p>Prvn\u00ed kolo je\u0161t\u011b nen\u00ed rozlosovan\u00e9.</p>\n";
    content += standings(tournament, rows);
    const int moving = rows * kSecondsPerRow;
    const std::string reload = "<meta http-equiv=\"refresh\" content=\"" + std::to_string(moving + 2 * kPauseSeconds) + "\">\n";
    std::string html = pageHead(tournament, "Projektor", PageWidth::Normal, reload);
    html += "<body class=\"projektor\">\n<main>\n<div class=\"jede\" style=\"animation-duration: " + std::to_string(moving) +
            "s; animation-delay: " + std::to_string(kPauseSeconds) + "s\">\n" + content + "<p>" + updatedText(tournament) + "</p>\n</div>\n";
    return std::move(html) + pageEnd();
}
