// The one file writer of the suite: nothing reaches the target name until the whole text is
// on the disk, so an interrupted run never leaves a truncated tournament file.
#include "text_writer.hpp"

#include "console.hpp"
#include "run_error.hpp"

namespace {

// A replacement whose flush was put off is made durable at the program's end. One that fails still
// leaves the files written: the organiser is told, and the run counts as it ended.
const bool flushStepRegistered = addExitStep(ExitStep::ReportFlushes, [] {
    for (const std::string& path : platform::flushOwedFolder()) warnNotDurable(processConsole(), path);
}) > 0;

}  // namespace

ReplaceResult replaceFileSafely(const std::string& path, const std::string& bytes, FileLife life, Renamer rename) {
    const auto durability = life == FileLife::Kept                  ? platform::Durability::Now
                            : life == FileLife::KeptFlushedWithNext ? platform::Durability::WithNextFlush
                                                                    : platform::Durability::None;
    auto temporary = platform::writeTemporary(path, bytes, durability != platform::Durability::None);
    if (!temporary) return {};
    auto outcome = rename(*temporary, path, durability);
    if (outcome != platform::ReplaceOutcome::Failed) return {outcome, {}};
    // A share that replaces by removing the target first may fail after the removal: then the
    // temporary is the only complete copy, put in place or kept, never removed.
    if (!platform::pathExists(path)) outcome = rename(*temporary, path, durability);
    if (outcome != platform::ReplaceOutcome::Failed) return {outcome, {}};
    if (!platform::pathExists(path)) {
        platform::clearPendingTemporary();
        return {platform::ReplaceOutcome::Failed, *temporary};
    }
    platform::removeFile(*temporary);
    platform::clearPendingTemporary();
    return {};
}

std::string cannotWriteMessage(const std::string& path) { return "Soubor " + path + " nelze zapsat"; }

std::string keptCopyLine(const std::string& path, const std::string& copy) {
    return "Novy obsah souboru " + path + " je v souboru " + copy;
}

std::string failedReplaceMessage(const std::string& path, const ReplaceResult& result) {
    const std::string message = cannotWriteMessage(path);
    return result.keptCopy.empty() ? message : message + ", novy obsah je v souboru " + result.keptCopy;
}

void makeFolderOrStop(const std::string& folder) {
    const platform::FolderState state = platform::createFolder(folder);
    if (state == platform::FolderState::Failed) stopWithMessage("Slozku " + folder + " nelze vytvorit");
    if (state != platform::FolderState::Ready)
        stopWithMessage("Slozka " + folder + " je odkaz nebo soubor: prejmenujte ho, nic nebylo zapsano");
}

void warnNotDurable(Console& console, const std::string& path) {
    writeYellow(console, "Soubor " + path + " byl zapsan, ale nemusi prezit vypadek proudu");
    writeLine(console);
}

ReplaceResult TextWriter::commit() const { return replaceFileSafely(path_, text_, life_); }

void TextWriter::close() {
    const ReplaceResult result = commit();
    if (result.outcome == platform::ReplaceOutcome::Failed) stopWithMessage(failedReplaceMessage(path_, result));
    if (result.outcome == platform::ReplaceOutcome::ReplacedNotDurable) warnNotDurable(processConsole(), path_);
}
