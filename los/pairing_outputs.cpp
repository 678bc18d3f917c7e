// Turning the pairing list into the round file and the pairing page. Page cells are left
// open and names keep their padding, as organisers' printed pages have always looked.
#include "pairing_outputs.hpp"

#include "fixed.hpp"
#include "game_files.hpp"
#include "html.hpp"

namespace {

const char* const kDash = "<td>&nbsp;&nbsp;&nbsp;-&nbsp;&nbsp;&nbsp; <td>";

std::string paddedName(const PlayerNames& names, std::int32_t number) {
    return padRight(playerName(names, number), 25);
}

}  // namespace

PairingOutputs pairingOutputs(std::int32_t K, const std::vector<std::pair<std::int32_t, std::int32_t>>& pairs,
                              const PlayerNames& names) {
    PairingOutputs out;
    out.page = {"<html><title>Los</title><body>",
                "<center><font size=+1><u>Parovani " + std::to_string(K) + ". kola</u></font><br>",
                "<table border=0>"};
    std::int32_t L = 0;
    std::int32_t K1BYE = 0;
    for (auto [K1, K2] : pairs) {
        if (K2 == 0) {
            K1BYE = K1;
            continue;
        }
        const std::string H1 = paddedName(names, K1), H2 = paddedName(names, K2);
        ++L;
        out.roundFile.push_back(pairingLine(K1, K2, L, H1, H2));
        LineBuilder row;
        row.text("<tr><td>").integer(L).text("&nbsp;&nbsp;&nbsp;<td>").text(htmlEscape(H1)).text(kDash).text(htmlEscape(H2));
        out.page.push_back(row.str());
    }
    if (K1BYE > 0) {
        const std::string H1 = paddedName(names, K1BYE), H2 = padRight("BYE", 25);
        out.roundFile.push_back(byeLine(K1BYE, H1, H2));
        out.page.push_back("<tr><td>&nbsp;<td>" + htmlEscape(H1) + kDash + H2);
    }
    out.page.push_back("</table></center></body></html>");
    return out;
}
