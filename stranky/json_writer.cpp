// Writing turnaj.json: one line for each player, game and standings row, fields in a fixed
// order, so that two builds of the same folder give the same bytes.
#include "json_writer.hpp"

#include <cmath>
#include <cstdint>

#include "fixed.hpp"

std::string jsonString(std::string_view utf8) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out = "\"";
    for (char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            case '\b': out += "\\b"; break;
            case '\f': out += "\\f"; break;
            default:
                if (byte < 0x20) {
                    out += "\\u00";
                    out += kHex[byte >> 4];
                    out += kHex[byte & 0xF];
                } else {
                    out += c;
                }
        }
    }
    return out + "\"";
}

std::string jsonNumber(double value) {
    return std::isfinite(value) ? shortestReal(value) : "null";
}

namespace {

// "name": value pairs of one object, in the order given.
class JsonObject {
public:
    JsonObject& field(std::string_view name, const std::string& json) {
        text_ += text_.empty() ? "{" : ", ";
        text_ += jsonString(name) + ": " + json;
        return *this;
    }
    JsonObject& whole(std::string_view name, std::int64_t value) { return field(name, std::to_string(value)); }
    JsonObject& real(std::string_view name, double value) { return field(name, jsonNumber(value)); }
    std::string str() const { return text_.empty() ? "{}" : text_ + "}"; }

private:
    std::string text_;
};

// A JSON array of the items, one to a line, indented.
std::string jsonArray(const std::vector<std::string>& items, const std::string& indent) {
    if (items.empty()) return "[]";
    std::string out = "[\n";
    for (std::size_t i = 0; i < items.size(); ++i) out += indent + "  " + items[i] + (i + 1 < items.size() ? ",\n" : "\n");
    return out + indent + "]";
}

std::string playerJson(const SitePlayer& player) {
    return JsonObject()
        .whole("number", player.number)
        .field("name", jsonString(player.name))
        .real("ratingBefore", player.ratingBefore)
        .real("rating", player.rating)
        .str();
}

std::string gameJson(const SiteGame& game) {
    return JsonObject()
        .whole("table", game.table)
        .whole("first", game.first)
        .whole("second", game.bye() ? 0 : game.second)
        .whole("score1", game.score1)
        .whole("score2", game.score2)
        .str();
}

std::string standingJson(const HRAC& player, std::size_t place) {
    return JsonObject()
        .whole("place", static_cast<std::int64_t>(place))
        .whole("number", player.C)
        .real("points", player.B)
        .real("turcas", player.TURCAS)
        .real("buchholz", player.BCH)
        .whole("scoreFor", player.S1)
        .whole("scoreAgainst", player.S2)
        .whole("startBalance", player.Z)
        .real("rating", player.NSA)
        .real("aro", player.ARO)
        .real("spread", player.ARO2)
        .str();
}

std::string roundJson(const SiteRound& round) {
    std::vector<std::string> games, standings;
    for (const auto& game : round.games) games.push_back(gameJson(game));
    for (std::size_t i = 0; i < round.standings.size(); ++i) standings.push_back(standingJson(round.standings[i], i + 1));
    std::string absent = "[";
    for (std::int32_t number : round.absent) absent += (absent.size() > 1 ? ", " : "") + std::to_string(number);
    JsonObject object;
    object.whole("round", round.round).field("complete", round.complete ? "true" : "false");
    object.field("absent", absent + "]");
    object.field("games", jsonArray(games, "    "));
    if (round.complete) object.field("standings", jsonArray(standings, "    "));
    return object.str();
}

// The facts of turnaj.txt; those not given are left out.
std::string factsJson(const TournamentFacts& facts) {
    JsonObject object;
    const auto text = [&](std::string_view name, const std::string& value) {
        if (!value.empty()) object.field(name, jsonString(value));
    };
    text("name", facts.name);
    text("place", facts.place);
    text("date", facts.date);
    text("organiser", facts.organiser);
    text("arbiter", facts.arbiter);
    text("address", facts.address);
    return object.str();
}

}  // namespace

std::string tournamentJson(const Tournament& tournament) {
    std::vector<std::string> players, rounds;
    for (const auto& player : tournament.players) players.push_back(playerJson(player));
    for (const auto& round : tournament.rounds) rounds.push_back(roundJson(round));
    std::string out = "{\n  \"format\": " + std::to_string(kJsonFormat) + ",\n";
    out += "  \"tournament\": " + factsJson(tournament.facts) + ",\n";
    out += "  \"players\": " + jsonArray(players, "  ") + ",\n";
    if (tournament.koef) {
        const Coefficients& k = *tournament.koef;
        out += "  \"coefficients\": " +
               JsonObject().real("a", k.KOEFA).real("b", k.KOEFB).real("c", k.KOEFC).real("d", k.KOEFD).str() + ",\n";
    }
    out += "  \"lastCompleteRound\": " + std::to_string(tournament.lastComplete) + ",\n";
    out += "  \"rounds\": " + jsonArray(rounds, "  ") + "\n}\n";
    return out;
}
