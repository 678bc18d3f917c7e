// Reading zadani.txt: eight fields, then opponent entries up to the end of the line.
// Capacities and field ranges are checked here so that the search can trust the tables.
#include "task_file.hpp"

#include <cmath>

#include "fixed.hpp"
#include "run_error.hpp"

namespace {

std::int16_t shortField(std::int32_t value, const char* what) {
    if (value < INT16_MIN || value > INT16_MAX)
        runError(kErrorRange, std::string("Soubor zadani.txt: ") + what + " " + formatInt(value) + " mimo rozsah");
    return static_cast<std::int16_t>(value);
}

// Points are written with one decimal; the score is kept in half points.
std::int16_t halfPoints(double points) {
    double doubled = std::round(points * 2.0);
    // AROPR is indexed by the score, so a score outside its groups is a range error.
    if (!(doubled >= 0 && doubled <= kMaxHalfPoints))
        runError(kErrorRange, "Soubor zadani.txt: body " + formatReal(points, 0, 1) + " mimo rozsah");
    return static_cast<std::int16_t>(doubled);
}

}  // namespace

std::optional<std::string> readTask(TextReader& reader, Task& task) {
    task = Task{};
    task.KOL = reader.readInt();
    if (task.KOL > kMaxOpponents) return "Soubor zadani.txt: vice nez " + formatInt(kMaxOpponents) + " odehranych kol";
    // The bye rule looks up the KOL-th opponent entry.
    if (task.KOL < 0) runError(kErrorRange, "Soubor zadani.txt: zaporny pocet kol");
    reader.skipLine();
    while (!reader.atEnd()) {
        if (task.N == NMAX) return "Soubor zadani.txt: vice nez " + formatInt(NMAX) + " hracu";
        const int p = ++task.N;
        task.listNumber[p] = shortField(reader.readInt(), "poradove cislo");
        task.playerNumber[p] = shortField(reader.readInt(), "cislo hrace");
        task.PB[p] = halfPoints(reader.readReal());
        task.rating[p] = reader.readReal();
        task.ARO[p] = reader.readReal();
        task.BP[p] = shortField(reader.readInt(), "bilance skore");
        task.ZAC[p] = shortField(reader.readInt(), "bilance zacinani");
        task.ZACZ[p] = shortField(reader.readInt(), "serie zacinani");
        // The list ends exactly where the line ends; missing entries stay 0.
        int k = 0;
        while (!reader.atLineEnd()) {
            if (k == kMaxOpponents) return "Soubor zadani.txt: vice nez " + formatInt(kMaxOpponents) + " souperu na radku";
            std::int32_t entry = reader.readInt();
            if (entry < 0 || entry > 255)
                runError(kErrorRange, "Soubor zadani.txt: souper " + formatInt(entry) + " mimo rozsah");
            task.SOUP[p][++k] = static_cast<std::uint8_t>(entry);
        }
        reader.skipLine();
    }
    return std::nullopt;
}

void computeAROPR(Task& task) {
    for (int g = 0; g <= 2 * task.KOL; ++g) {
        task.AROPR[g] = 0;
        int c = 0;
        for (int p = 1; p <= task.N; ++p) {
            if (std::abs(task.PB[p] - g) > g % 2) continue;
            ++c;
            double v = (task.KOL * task.ARO[p] + task.rating[p]) / (task.KOL + 1);
            task.AROPR[g] = ((c - 1) * task.AROPR[g] + v) / c;
        }
    }
}
