// What every page of the site shares: the file names, the head (UTF-8, the viewport, the one
// stylesheet and icon, the tournament's name in the title and on every printed page), the skip
// link, the header with the time of the build and the site's navigation, and the pieces the
// pages are made of (tables in their own scrolling box, links to players, Czech counts).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tournament.hpp"

inline constexpr const char* kSiteFolder = "web";
inline constexpr const char* kIndexPage = "index.html";
inline constexpr const char* kCurrentRoundPage = "aktualni.html";
inline constexpr const char* kProjectorPage = "projektor.html";
inline constexpr const char* kStylesheetName = "styl.css";
inline constexpr const char* kIconName = "favicon.ico";
inline constexpr const char* kDataName = "turnaj.json";
inline constexpr const char* kCrossTablePage = "tabulka.html";
inline constexpr const char* kRecordsPage = "rekordy.html";

enum class RoundPage { ByTable, ByName, Results, Standings };

std::string roundPageName(std::int32_t round, RoundPage page);  // kolo3-stoly.html ...
std::string standingsCsvName(std::int32_t round);              // kolo3-poradi.csv
std::string playerPageName(std::int32_t number);               // hrac12.html

// Normal pages keep to a readable width and print upright; a wide page (the cross table) takes
// the window's width and prints on landscape A4.
enum class PageWidth { Normal, Wide };

// The document's head: title "<title> - <tournament>" (title as plain UTF-8 text), and each
// printed sheet headed by the tournament, the title and the time of the build; extraHead goes
// in as it is.
std::string pageHead(const Tournament& tournament, std::string_view title, PageWidth width,
                     std::string_view extraHead = {});
// Everything from the doctype to the start of the page's own content.
std::string pageStart(const Tournament& tournament, std::string_view title, PageWidth width = PageWidth::Normal);
std::string pageEnd();

// "Aktualizovano 14:32, 5. 3. 2026" (with diacritics): when the folder was read.
std::string updatedText(const Tournament& tournament);
// A page with every such time left out: a page that differs from the one in web/ only in the
// time is not written again (nor uploaded), so it says when its content last changed.
std::string withoutUpdatedTime(std::string_view page);
// The tournament's name, escaped.
std::string tournamentName(const Tournament& tournament);
// The site's public address of turnaj.txt in large type, for a printed sheet or the projector;
// nothing when it is not given.
std::string siteAddress(const Tournament& tournament);

// The player's name as plain text, or "hrac c. N" (with diacritics) for a number without a name.
std::string playerText(const Tournament& tournament, std::int32_t number);
// The same escaped for a page, and linked to the player's page.
std::string playerLabel(const Tournament& tournament, std::int32_t number);
std::string playerLink(const Tournament& tournament, std::int32_t number);

// A real with 1 decimal as poradi writes it, without padding.
std::string oneDecimal(double value);
// The same with its sign: "+12.3", "-0.4", "0.0".
std::string signedDecimal(double value);
// A count with its noun in the Czech plural: 1 vysledek, 2 to 4 vysledky, 0 and 5 on vysledku.
std::string czechCount(std::size_t count, std::string_view one, std::string_view few, std::string_view many);
// "3 vysledky" (with diacritics).
std::string resultsCount(std::size_t count);
// The number of games of a round whose result is still missing.
std::size_t missingResults(const SiteRound& round);
// The paragraph telling that a round's results are not all in.
std::string incompleteNotice(const SiteRound& round);

// A table in a box of its own that scrolls sideways where it is wider than the screen: one
// header row (columns), body rows as given
// ("<tr>...</tr>"); the caption only when it says what the heading above does not.
std::string scrollingTable(std::string_view caption, const std::vector<std::string_view>& columns,
                           const std::string& rows, std::string_view tableClass = {});
// What stands above a table whose place and name stay while the rest scrolls sideways.
inline constexpr const char* kScrollHint =
    "Tabulku lze posouvat do strany; po\u0159ad\u00ed a jm\u00e9no z\u016fst\u00e1vaj\u00ed vid\u011bt.";
// <td>text</td>, and the row header <th scope="row">text</th>.
std::string cell(std::string_view html, std::string_view cssClass = {});
std::string rowHeader(std::string_view html);
