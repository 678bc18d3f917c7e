// The one file writer of the suite: nothing reaches the target name until the whole text is
// on the disk, so an interrupted run never leaves a truncated tournament file.
#include "text_writer.hpp"

#include "platform.hpp"
#include "run_error.hpp"

bool replaceFileSafely(const std::string& path, const std::string& bytes, FileLife life) {
    const auto durability = life == FileLife::Kept                  ? platform::Durability::Now
                            : life == FileLife::KeptFlushedWithNext ? platform::Durability::WithNextFlush
                                                                    : platform::Durability::None;
    auto temporary = platform::writeTemporary(path, bytes, durability != platform::Durability::None);
    if (!temporary) return false;
    bool ok = platform::replaceFile(*temporary, path, durability);
    if (!ok) platform::removeFile(*temporary);
    platform::clearPendingTemporary();
    return ok;
}

bool TextWriter::commit() const { return replaceFileSafely(path_, text_, life_); }

std::string cannotWriteMessage(const std::string& path) { return "Soubor " + path + " nelze zapsat"; }

void TextWriter::close() {
    if (!commit()) stopWithMessage(cannotWriteMessage(path_));
}
