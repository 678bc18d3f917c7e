// The tournament folder's lock as the programs that replace a round file take it: held, or on
// a file system without locks a warning and the work goes on, or a clear stop.
#pragma once

#include <string>

#include "console.hpp"
#include "platform.hpp"

// Waits for the lock of the folder of fileName. Where the file system has no locks the yellow
// line "Slozka nepodporuje zamykani, zadavejte vysledky jen na jednom pocitaci" is written
// (once a run) and nothing is held; any other failure ends the program with the line
// "Soubor zamek.lck nelze zamknout, soubor <fileName> nebyl zapsan" and exit code 1.
platform::FolderLock lockFolderOf(Console& console, const std::string& fileName);

// Removes what killed writers left in the folder of fileName, under the folder's lock where the
// folder has its lock file. Every replace does so too; this is for a run that may replace nothing.
void removeLeftoversBeside(const std::string& fileName);
