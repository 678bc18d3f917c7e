// Ending a program: an ordered list of exit steps that their owners register (the files a stop
// removes, the flushes still owed, the terminal's colours, the folder's lock, the wait before a
// window closes), run by every stop in that order, whatever the order they were registered in.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

enum class ExitStep { RemoveFiles, ReportFlushes, RestoreColours, ReleaseLock, WaitBeforeWindowCloses };

using ExitStepId = std::size_t;
ExitStepId addExitStep(ExitStep kind, std::function<void()> step);
// Takes a step off the list; false when it was not on it (a stop has run it already).
bool removeExitStep(ExitStepId id);

// Runs the exit steps, flushes the console and ends the program with the exit code. Every path
// that ends a program comes here.
[[noreturn]] void stopProgram(int code);

// The last step of stopProgram: hands the exit status to the system. It is alone in
// process_exit.cpp so that the fuzz targets can link their own definition, which gives
// control back to the target instead of ending the process.
[[noreturn]] void endProcess(int code);

// A file that must not outlive the run (the task file and pairing list of los): every later stop
// of the program removes it, and so does an interrupt (Ctrl+C) at any moment; a file that is
// already gone is fine.
void eraseOnStop(const std::string& path);
