// The copy of a round file with entered results that a new pairing of the round replaces.
// Read under the folder's lock: a result a desk stored a moment ago is in the copy too.
#include "round_backup.hpp"

#include "game_files.hpp"
#include "platform.hpp"
#include "text_reader.hpp"
#include "text_writer.hpp"

namespace {

std::int32_t enteredResultsIn(const std::string& bytes, std::int32_t K) {
    TextReader reader(roundFileName(K), bytes);
    return enteredResults(reader);
}

std::string freeBackupName(std::int32_t K) {
    for (std::int32_t m = 1;; ++m)
        if (!platform::pathExists(backupFileName(K, m))) return backupFileName(K, m);
}

}  // namespace

std::optional<std::int32_t> enteredResultsOfRound(std::int32_t K) {
    auto bytes = readFileBytes(roundFileName(K));
    if (!bytes) return std::nullopt;
    return enteredResultsIn(*bytes, K);
}

std::optional<std::string> keepEnteredResults(std::int32_t K, const std::string& roundFile) {
    if (enteredResultsIn(roundFile, K) == 0) return std::nullopt;
    makeFolderOrStop(kBackupFolder);
    const std::string copyName = freeBackupName(K);
    TextWriter copy(copyName);
    copy.write(roundFile);
    copy.close();
    return copyName;
}
