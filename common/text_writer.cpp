// The one file writer of the suite: nothing reaches the target name until the whole text is
// on the disk, so an interrupted run never leaves a truncated tournament file.
#include "text_writer.hpp"

#include "console.hpp"
#include "run_error.hpp"

platform::ReplaceOutcome replaceFileSafely(const std::string& path, const std::string& bytes, FileLife life) {
    const auto durability = life == FileLife::Kept                  ? platform::Durability::Now
                            : life == FileLife::KeptFlushedWithNext ? platform::Durability::WithNextFlush
                                                                    : platform::Durability::None;
    auto temporary = platform::writeTemporary(path, bytes, durability != platform::Durability::None);
    if (!temporary) return platform::ReplaceOutcome::Failed;
    const auto outcome = platform::replaceFile(*temporary, path, durability);
    if (outcome == platform::ReplaceOutcome::Failed) {
        platform::removeFile(*temporary);
        platform::clearPendingTemporary();
    }
    return outcome;
}

platform::ReplaceOutcome TextWriter::commit() const { return replaceFileSafely(path_, text_, life_); }

std::string cannotWriteMessage(const std::string& path) { return "Soubor " + path + " nelze zapsat"; }

void warnNotDurable(Console& console, const std::string& path) {
    writeYellow(console, "Soubor " + path + " byl zapsan, ale nemusi prezit vypadek proudu");
    writeLine(console);
}

void TextWriter::close() {
    const auto outcome = commit();
    if (outcome == platform::ReplaceOutcome::Failed) stopWithMessage(cannotWriteMessage(path_));
    if (outcome == platform::ReplaceOutcome::ReplacedNotDurable) warnNotDurable(processConsole(), path_);
}
