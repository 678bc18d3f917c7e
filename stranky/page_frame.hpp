// What every page of the site shares: the file names, the head (UTF-8, the viewport, the one
// stylesheet, the minute's reload of a round still being played), the site's navigation, and
// the pieces the pages are made of (tables in their own scrolling box, links to players).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tournament.hpp"

inline constexpr const char* kSiteFolder = "web";
inline constexpr const char* kIndexPage = "index.html";
inline constexpr const char* kStylesheetName = "styl.css";
inline constexpr const char* kDataName = "turnaj.json";
inline constexpr const char* kCrossTablePage = "tabulka.html";
inline constexpr const char* kRecordsPage = "rekordy.html";

enum class RoundPage { ByTable, ByName, Results, Standings };

std::string roundPageName(std::int32_t round, RoundPage page);  // kolo3-stoly.html ...
std::string playerPageName(std::int32_t number);               // hrac12.html

// Everything from the doctype to the start of the page's own content; `reloads`: the page
// reloads itself every 60 s.
std::string pageStart(const Tournament& tournament, std::string_view title, bool reloads);
std::string pageEnd();

// The player's name (escaped), or "hrac c. N" (with diacritics) for a number without a name.
std::string playerLabel(const Tournament& tournament, std::int32_t number);
// The name linked to the player's page.
std::string playerLink(const Tournament& tournament, std::int32_t number);

// A real with 1 decimal as poradi writes it, without padding.
std::string oneDecimal(double value);
// The number of games of a round whose result is still missing.
std::size_t missingResults(const SiteRound& round);
// The paragraph telling that a round's results are not all in.
std::string incompleteNotice(const SiteRound& round);

// A table in a box of its own that scrolls sideways on a narrow screen: caption, one header
// row (columns), body rows as given ("<tr>...</tr>").
std::string scrollingTable(std::string_view caption, const std::vector<std::string_view>& columns,
                           const std::string& rows, std::string_view tableClass = {});
// <td>text</td>, and the row header <th scope="row">text</th>.
std::string cell(std::string_view html, std::string_view cssClass = {});
std::string rowHeader(std::string_view html);
