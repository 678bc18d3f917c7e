// The one file writer of the suite: nothing reaches the target name until the whole text is
// on the disk, so an interrupted run never leaves a truncated tournament file.
#include "text_writer.hpp"

#include "platform.hpp"
#include "run_error.hpp"

bool replaceFileSafely(const std::string& path, const std::string& bytes, FileLife life) {
    const std::string temporary = path + ".tmp";
    const bool durable = life == FileLife::Kept;
    platform::setPendingTemporary(temporary);
    bool ok = platform::writeFile(temporary, bytes, durable) && platform::replaceFile(temporary, path, durable);
    if (!ok) platform::removeFile(temporary);
    platform::clearPendingTemporary();
    return ok;
}

void TextWriter::close() {
    if (!replaceFileSafely(path_, text_, life_)) stopWithMessage("Soubor " + path_ + " nelze zapsat");
}
