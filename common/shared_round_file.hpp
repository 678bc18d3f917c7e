// A round file as the programs that change it (zadej's store, los's re-pair) read and replace it
// under the folder's lock: what is current is told by the lock file's record, so that a stale
// copy in a network client's cache is never written back over another desk's stores.
#pragma once

#include <optional>
#include <string>

#include "folder_lock.hpp"
#include "platform.hpp"

// The round file's bytes as they are now; nothing when there is no such file. Where the file
// read shows an earlier generation than the lock file records (a stale cache), or shows what
// this program wrote last (writtenHere) while the record holds another program's later write
// (this computer's own copy, where the lock works on one computer only), the recorded latest
// bytes; where it shows bytes the suite did not write although the record knows the file, it
// is read again for a moment (a cache catching up), then taken as it is (changed by hand, a
// copy put back from zaloha). A recorded file missing, or a record half written, is read again
// for the same moment, the record with it each time: where the lock works on one computer
// only, another computer replaces the file and records it meanwhile. Without a held lock, the
// file as read.
std::optional<std::string> currentRoundFile(const FolderLock& lock, const std::string& fileName,
                                            const std::string& writtenHere = {});

// The round file read where no lock is held (a desk's view before it asks for a table): one
// missing is read again for a moment, as another computer's replace on a share may remove it
// before its rename; nothing when it stays missing.
std::optional<std::string> roundFileSeen(const std::string& fileName);

// After a replace of the round file under the lock: the new generation recorded (a store), or
// the round's record started again (a pairing). A stop between the replace and this leaves a
// round file the record does not know, which is then taken as it is.
void noteStored(const FolderLock& lock, const std::string& fileName, const std::string& before, const std::string& after);
void notePaired(const FolderLock& lock, const std::string& fileName, const std::string& bytes);
