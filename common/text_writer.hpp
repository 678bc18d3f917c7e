// Writing a text file safely: lines end with CR LF, the text goes to a temporary file in the
// same folder, which is flushed to disk and renamed over the target only when it is complete.
#pragma once

#include <string>
#include <string_view>

#include "platform.hpp"

struct Console;

// A file the run itself erases before it ends (the task file, the pairing list) is still
// written whole and renamed, but not flushed to disk: it is never read after a power cut. A kept
// file whose folder flush may wait (KeptFlushedWithNext) has its data on the disk at once and its
// name with the run's next kept file or at the program's end: one flush for several files. A file
// that can always be made again from the tournament's files (a page of the web site) is written
// whole and renamed, so that no reader ever sees half of it, but not flushed.
enum class FileLife { Kept, KeptFlushedWithNext, ThisRunOnly, Rebuildable };

// How a replace ended; a replace that failed after its target vanished (a network share that
// replaces by removing the target first) keeps its temporary as the only complete copy.
struct ReplaceResult {
    platform::ReplaceOutcome outcome = platform::ReplaceOutcome::Failed;
    std::string keptCopy;
};

class TextWriter {
public:
    explicit TextWriter(std::string path, FileLife life = FileLife::Kept) : path_(std::move(path)), life_(life) {}

    void write(std::string_view text) { text_ += text; }
    void writeLine(std::string_view text = {}) {
        text_ += text;
        text_ += "\r\n";
    }

    // Commits the file. When it cannot be written the old file stays as it was and the
    // program ends with the one line of failedReplaceMessage and exit code 1; a file written
    // whose folder flush failed gets the warning of warnNotDurable and the program goes on.
    void close();
    // Commits the file; on failure the old file stays as it was.
    ReplaceResult commit() const;

    const std::string& path() const { return path_; }
    const std::string& text() const { return text_; }

private:
    std::string path_;
    FileLife life_;
    std::string text_;
};

// "Soubor <path> nelze zapsat": what the organiser is told when a file cannot be replaced; with
// a copy kept, the line "Novy obsah souboru <path> je v souboru <copy>", or as one message
// "Soubor <path> nelze zapsat, novy obsah je v souboru <copy>".
std::string cannotWriteMessage(const std::string& path);
std::string keptCopyLine(const std::string& path, const std::string& copy);
std::string failedReplaceMessage(const std::string& path, const ReplaceResult& result);

// Makes a folder the program writes into when it is missing. A link or a file in its place ends
// the program with "Slozka <folder> je odkaz nebo soubor: prejmenujte ho, nic nebylo zapsano",
// one that cannot be made with "Slozku <folder> nelze vytvorit"; nothing is written through it.
void makeFolderOrStop(const std::string& folder);

// The yellow console line "Soubor <path> byl zapsan, ale nemusi prezit vypadek proudu": the
// file was replaced, but the flush that makes its new name survive a power cut failed.
void warnNotDurable(Console& console, const std::string& path);

// Replaces path with exactly these bytes: a temporary file, flushed unless the file lives only
// for this run, renamed over it (rename: platform::replaceFile; a test's own), flushed again as
// its life asks. It takes no lock and removes nothing else: a file that another program changes
// too is replaced under the folder's lock its caller holds. On failure the old file is untouched
// and no temporary file is left, except where the target vanished: the temporary is then renamed
// into place once more or kept (keptCopy), and no interrupt removes it.
using Renamer = platform::ReplaceOutcome (*)(const std::string& from, const std::string& to, platform::Durability durability);
ReplaceResult replaceFileSafely(const std::string& path, const std::string& bytes, FileLife life = FileLife::Kept,
                                Renamer rename = platform::replaceFile);
