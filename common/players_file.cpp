// Reading osoby.dat the same way in every program: number, one separator, the rest of the
// line up to a length limit. A line end right after the number gives an empty name.
#include "players_file.hpp"

PlayerName readPlayerName(TextReader& reader, std::size_t maxLength) {
    PlayerName entry{reader.readInt(), {}};
    reader.readSeparator();
    entry.name = reader.readText(maxLength);
    return entry;
}

PlayerNames readPlayerNames(TextReader& reader, std::size_t maxLength) {
    return readRecords(reader, [maxLength](TextReader& r) { return readPlayerName(r, maxLength); });
}

std::optional<PlayerNames> readPlayersFile(const std::string& path, std::size_t maxLength) {
    auto reader = TextReader::open(path);
    if (!reader) return std::nullopt;
    return readPlayerNames(*reader, maxLength);
}

std::string playerName(const PlayerNames& names, std::int32_t number) {
    for (auto entry = names.rbegin(); entry != names.rend(); ++entry)
        if (entry->number == number) return entry->name;
    return {};
}
