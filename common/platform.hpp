// The only file that talks to the operating system: terminal test and colours,
// durable replacement and removal of files, interrupt clean-up, the millisecond counter.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>

namespace platform {

// True when standard output is an interactive terminal (colours and clearing make sense).
bool stdoutIsTerminal();

// Console control sequences; callers write them only to a terminal.
void clearScreen(std::ostream& out);
void setColour(std::ostream& out, int colour);  // 14 yellow, 15 white

// Writes bytes to a new file at path, flushes them to the disk when durable, and closes it.
// On failure the partly written file is removed and false is returned.
bool writeFile(const std::string& path, const std::string& bytes, bool durable);

// Renames from over to (replacing to), making the rename itself durable when asked; true on
// success.
bool replaceFile(const std::string& from, const std::string& to, bool durable);

// Erases a file; a file that is already gone is fine.
void removeFile(const std::string& path);

// The one temporary file that may exist while a file is being replaced; an interrupt
// (Ctrl+C, hang-up, termination) removes it before the program dies.
void setPendingTemporary(const std::string& path);
void clearPendingTemporary();

// Milliseconds since the system started (wraps as the system's counter does).
std::uint64_t millisecondsSinceStart();

}  // namespace platform
