// Writing a text file safely: lines end with CR LF, the text goes to a temporary file in the
// same folder, which is flushed to disk and renamed over the target only when it is complete.
#pragma once

#include <string>
#include <string_view>

// A file the run itself erases before it ends (the task file, the pairing list) is still
// written whole and renamed, but not flushed to disk: it is never read after a power cut. A kept
// file whose folder flush may wait (KeptFlushedWithNext) has its data on the disk at once and its
// name with the run's next kept file or at the program's end: one flush for several files. A file
// that can always be made again from the tournament's files (a page of the web site) is written
// whole and renamed, so that no reader ever sees half of it, but not flushed.
enum class FileLife { Kept, KeptFlushedWithNext, ThisRunOnly, Rebuildable };

class TextWriter {
public:
    explicit TextWriter(std::string path, FileLife life = FileLife::Kept) : path_(std::move(path)), life_(life) {}

    void write(std::string_view text) { text_ += text; }
    void writeLine(std::string_view text = {}) {
        text_ += text;
        text_ += "\r\n";
    }

    // Commits the file. When it cannot be written the old file stays as it was and the
    // program ends with a one-line message and exit code 1.
    void close();
    // Commits the file; false when it cannot be written, the old file staying as it was.
    bool commit() const;

    const std::string& path() const { return path_; }

private:
    std::string path_;
    FileLife life_;
    std::string text_;
};

// "Soubor <path> nelze zapsat": what the organiser is told when a file cannot be replaced.
std::string cannotWriteMessage(const std::string& path);

// Replaces path with exactly these bytes (temporary file, flush unless the file lives only for
// this run, rename); false on failure, with the old file untouched and no temporary file left.
bool replaceFileSafely(const std::string& path, const std::string& bytes, FileLife life = FileLife::Kept);
