// Layout of the pairing list. Only its first two numbers are read back; the rest lets the
// organiser check the scores, start balances and opponent strengths behind each pair.
#include "pairing_list.hpp"

#include <cstdlib>

#include "cost.hpp"
#include "fixed.hpp"

std::string pairLine(const Task& task, int s, int t) {
    const int KOL = task.KOL;
    const double ARO1 = (KOL * task.ARO[s] + task.rating[t] - kFirstMove) / (KOL + 1);
    const double ARO2 = (KOL * task.ARO[t] + task.rating[s] + kFirstMove) / (KOL + 1);
    LineBuilder line;
    line.integer(task.playerNumber[s], 3).text(" ").integer(task.playerNumber[t], 3).text("    ");
    line.integer(task.listNumber[s], 3).text(" ").integer(task.listNumber[t], 3).text("    ");
    line.real(task.PB[s] / 2.0, 4, 1).text(" ").real(task.PB[t] / 2.0, 4, 1).text("  ");
    line.integer(task.ZAC[s] + 1, 2).text(" ").integer(task.ZAC[t] - 1, 2).text("   ");
    line.real(ARO1, 6, 1).text(" ").real(ARO2, 6, 1);
    return line.str();
}

std::string byeListLine(const Task& task, int b) {
    LineBuilder line;
    line.integer(task.playerNumber[b], 3).text("   0    ").integer(task.listNumber[b], 3);
    return line.str();
}

std::vector<std::string> pairingListLines(const Task& task, const Pairing& pairing) {
    std::vector<std::string> lines;
    for (int p = 1; p <= task.N; ++p) {
        const int partner = pairing.SOU[p];
        if (partner == 0) {
            lines.push_back(byeListLine(task, p));
        } else if (std::abs(partner) > p) {
            const int s = partner > 0 ? p : -partner;
            const int t = partner > 0 ? partner : p;
            lines.push_back(pairLine(task, s, t));
        }
    }
    return lines;
}
