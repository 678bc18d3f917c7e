// Writers of the standings text file and the two HTML pages.
// Widths and fragments are fixed byte for byte; names are escaped in the pages only.
#include "standings_outputs.hpp"

#include "fixed.hpp"
#include "html.hpp"

namespace {

std::string pageName(const Standings& table, std::int32_t number) {
    const HRAC* player = findPlayer(table, number);
    return player ? htmlEscape(player->JM) : std::string();
}

std::string standingsTextLine(const HRAC& player, std::size_t position) {
    return formatInt(static_cast<std::int64_t>(position), 3) + ". " + padRight(player.JM, kNameLength) + " " +
           formatReal(player.B, 4, 1) + " " + formatReal(player.TURCAS, 8, 1) + "  " +
           formatReal(player.BCH, 6, 1) + " " + formatInt(player.S1, 4) + " " + formatInt(player.S2, 4) + " " +
           formatInt(player.Z, 2) + "  " + formatReal(player.NSA, 6, 1) + " " + formatReal(player.ARO, 6, 1) +
           " " + formatReal(player.ARO2, 6, 1);
}

std::string standingsPageRow(const HRAC& player, std::size_t position) {
    return "<tr align=center><td><strong>" + formatInt(static_cast<std::int64_t>(position)) + ".<td><strong>" +
           htmlEscape(player.JM) + "<td><strong>" + formatReal(player.B, 4, 1) + "<td><strong>" +
           formatReal(player.TURCAS, 8, 1) + "<td>" + formatReal(player.BCH, 6, 1) + "<td>" +
           formatInt(player.S1, 4) + "<td>" + formatInt(player.S2, 4) + "<td>&nbsp;&nbsp;" +
           (player.Z > 0 ? "+" : "") + formatInt(player.Z) + "&nbsp;&nbsp;<td>" + formatReal(player.NSA, 6, 1) +
           "<td>" + formatReal(player.ARO, 6, 1) + "<td> " + formatReal(player.ARO2, 6, 1);
}

}  // namespace

std::string standingsTextName(std::int32_t round) { return "poradi" + std::to_string(round) + ".txt"; }
std::string gamesPageName(std::int32_t round) { return "partie" + std::to_string(round) + ".htm"; }
std::string standingsPageName(std::int32_t round) { return "poradi" + std::to_string(round) + ".htm"; }

void writeStandingsText(TextWriter& file, const Standings& table) {
    for (std::size_t i = 0; i < table.size(); ++i) file.writeLine(standingsTextLine(table[i], i + 1));
}

void writeGamesPage(TextWriter& page, const Standings& table, std::int32_t round, const std::vector<Table>& lines) {
    page.writeLine("<html><title>Partie</title><body>");
    page.writeLine("<center><font size=+1><strong><u>Partie v " + formatInt(round) +
                   ". kole</u></strong></font><br><br>");
    page.writeLine("<table border=0>");
    // A row ends without a line end: the next row continues on the same line.
    for (const Table& line : lines) {
        if (line.k1 <= 0) continue;
        page.writeLine("<tr><td>" + formatInt(line.table));
        page.write("&nbsp;&nbsp;&nbsp;<td>");
        if (line.v1 > line.v2) page.write("<strong>");
        page.write(pageName(table, line.k1));
        page.write("<td>&nbsp;&nbsp;&nbsp;-&nbsp;&nbsp;&nbsp; <td>");
        if (line.v1 < line.v2) page.write("<strong>");
        if (line.k2 > 0) page.write(pageName(table, line.k2));
        if (line.k2 == 0) page.write("BYE");
        page.write("<td>&nbsp;&nbsp;&nbsp;<td>" + formatInt(line.v1) + "<td>:<td>" + formatInt(line.v2));
    }
    page.writeLine("</table></body></html>");
}

void writeStandingsPage(TextWriter& page, const Standings& table, std::int32_t round) {
    page.writeLine("<html><title>Poradi</title><body>");
    page.writeLine("<center><font size=+1><strong><u>Poradi po " + formatInt(round) +
                   ". kole</u></strong></font><br><br>");
    page.writeLine("<table border=0>");
    page.writeLine("<tr align=center><td colspan=2>&nbsp;<td><strong>Bodu<td><strong>TURCAS<td><strong>Buch.<td "
                   "colspan=2>");
    page.writeLine("<strong>Skore<td><strong>Zac.<td><strong>Sila<td><strong>ARO<td><strong>Sig");
    for (std::size_t i = 0; i < table.size(); ++i) page.writeLine(standingsPageRow(table[i], i + 1));
    page.writeLine("</table></body></html>");
}

void writeStandingsTextFile(const Standings& table, std::int32_t round) {
    // The three outputs share one folder flush, the standings page's.
    TextWriter file(standingsTextName(round), FileLife::KeptFlushedWithNext);
    writeStandingsText(file, table);
    file.close();
}

void writeGamesPageFile(const Standings& table, std::int32_t round) {
    TextReader roundFile = TextReader::openOrFail(roundFileName(round));
    const std::vector<Table> lines = readTables(roundFile, 0);
    TextWriter page(gamesPageName(round), FileLife::KeptFlushedWithNext);
    writeGamesPage(page, table, round, lines);
    page.close();
}

void writeStandingsPageFile(const Standings& table, std::int32_t round) {
    TextWriter page(standingsPageName(round));
    writeStandingsPage(page, table, round);
    page.close();
}
