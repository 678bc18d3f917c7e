// Remembering this desk's stores and putting back those that a lost update undid.
#include "own_results.hpp"

#include <algorithm>

void rememberStore(OwnResults& own, const Table& entry, std::size_t position, Scores before) {
    auto known = std::find_if(own.results.begin(), own.results.end(),
                              [&](const OwnResult& result) { return result.position == position; });
    if (known == own.results.end() || known->k1 != entry.k1 || known->k2 != entry.k2)
        known = own.results.insert(own.results.end(), OwnResult{position, entry.k1, entry.k2, {}, {}});
    if (std::find(known->replaced.begin(), known->replaced.end(), before) == known->replaced.end())
        known->replaced.push_back(before);
    known->stored = {entry.v1, entry.v2};
}

void forgetIfPairedAgain(OwnResults& own, std::int32_t copies) {
    if (copies != own.copies) own.results.clear();
    own.copies = copies;
}

void noteRoundRead(OwnResults& own, const std::string& bytes) {
    if (!own.lastWritten.empty() && bytes != own.lastWritten) own.otherWriter = true;
}

bool putBackLostResults(Console& console, OwnResults& own, std::vector<Table>& entries) {
    bool putBack = false;
    for (const OwnResult& result : own.results) {
        if (result.position >= entries.size()) continue;
        Table& entry = entries[result.position];
        const Scores now{entry.v1, entry.v2};
        if (entry.k1 != result.k1 || entry.k2 != result.k2 || now == result.stored ||
            std::find(result.replaced.begin(), result.replaced.end(), now) == result.replaced.end())
            continue;
        entry.v1 = result.stored.v1;
        entry.v2 = result.stored.v2;
        putBack = true;
    }
    if (putBack && !own.warned) {
        own.warned = true;
        writeYellow(console, "Zamykani slozky mezi pocitaci nefunguje, zadavejte vysledky jen na jednom pocitaci");
        writeLine(console);
    }
    return putBack;
}
