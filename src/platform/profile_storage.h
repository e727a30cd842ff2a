// The file-system side of profile files: which file a path names, reading it, and storing new
// content so that the file keeps what its owner set and a crash never leaves a mix of old and
// new content.
//
// Storing takes one of two paths, both under the writers' exclusive lock (profile_lock.h):
//  - Replacement, whenever the new file can be given the owner, group and permission bits of the
//    old one: the content goes to a temporary file of this writer's own in the same folder, is
//    flushed, and is renamed over the file; a crash leaves the old file or the new one.
//  - In place, when the process may not set them (a file of another user that a group shares):
//    replacing it would hand the file to the writer and shut the others out. The old content
//    is first kept in a flushed backup copy beside the file (profileBackupPath), then the file is
//    rewritten and flushed, then the copy is removed. A write that fails puts the old content
//    back; after a crash the copy is still there, and the next opening of the file puts it back
//    (recoverInterruptedWrite). Readers hold the shared lock, so they never see the file
//    half-written, and a reader that finds a copy reads the copy. In a folder that takes no new
//    files from this process (the file may be written, the folder may not) the file is written
//    in place without a copy: the lock still keeps readers out, but a crash half-way through
//    leaves the file half-written.
// A file without any write permission bit is never written, not even by root.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

#include "platform/profile_lock.h"

namespace tarvel::platform {

// The largest profile file that is read: far above any real settings file, far below what
// would hurt the machine.
inline constexpr std::size_t kMaximumProfileFileSize = 64u << 20;

// The file a path names: symbolic links followed to their target (which may not exist yet),
// so that a write through a link changes the file it points to. Throws std::runtime_error for a
// loop of links, or when what the path names exists and is not a regular file (a folder, a
// FIFO, a device).
std::filesystem::path resolveProfilePath(const std::filesystem::path& path);

// The copy of the old content kept while a file is written in place: path + ".write-backup".
std::filesystem::path profileBackupPath(const std::filesystem::path& path);

// The whole file; std::nullopt when it (or its folder) does not exist. Throws
// std::runtime_error (Russian, naming the file) when it exists but is not a regular file, is
// larger than kMaximumProfileFileSize, or cannot be read. Never waits on a FIFO or a device.
std::optional<std::string> readProfileBytes(const std::filesystem::path& path);

// The content readers see: the backup copy while one exists (a write in place is unfinished),
// otherwise the file.
std::optional<std::string> readCurrentProfileBytes(const std::filesystem::path& path);

// The content readers see, read without the lock and without changing anything (no lock file is
// made, an interrupted write is not put back): for programs that only look at the file and must
// never hold up its writers. A read that a write in place or a replacement overlapped is
// repeated, so the result is always one whole version of the file; when the file keeps changing
// for kSteadyReadWait, std::runtime_error (kProfileBusy). Other failures as readProfileBytes.
std::optional<std::string> readSteadyProfileBytes(const std::filesystem::path& path);

// Puts back the content of a write in place that did not finish, if a backup copy is there.
// Call it under the exclusive lock. Throws std::runtime_error when the copy cannot be put back.
void recoverInterruptedWrite(const std::filesystem::path& path);

// Removes the temporary files that replacements of the file left when their writer was killed
// before the rename (path + "." + process number + "-" + counter + ".tmp", beside it), and
// gives how many it removed. A writer makes, renames and removes its temporary file only while
// it holds the exclusive lock, so the lock is taken first, without waiting: under it every such
// file is abandoned, whatever process its number names now (numbers are reused, so a living
// process of that number proves nothing). While another writer holds the lock nothing is
// removed. Throws std::runtime_error when the lock cannot be had.
int removeAbandonedTemporaries(const std::filesystem::path& path);

// Stores bytes as the file's content by one of the two paths above; oldBytes is the content
// the writer read under lock, the exclusive lock it holds. Throws std::runtime_error (Russian,
// naming the file) and leaves the file as it was when the file has no write permission bit or
// cannot be written, when the new content cannot be stored, or when the lock path no longer
// names the lock's file right before the file would change.
void storeProfileBytes(const std::filesystem::path& path, const std::string& bytes,
                       const std::string& oldBytes, const ProfileLock& lock);

}  // namespace tarvel::platform
