// The lock that orders the operations on a profile file: an advisory lock (flock) on a file of
// its own beside it (path + ".lock"). A separate lock file is used because replacing the file
// gives it a new inode, on which an older lock would not count. Writers take it exclusively,
// readers shared, so a reader never sees a write that is done in place half-way.
//
// The lock file is opened read-only (flock needs no more), so whoever may read the settings may
// take it; it is created with the owner, group and permission bits of the file it guards (read
// permission for everyone added when they cannot be set), never as the creator's private file.
// A lock file deleted or replaced while a program waits for it does not count: after taking
// the lock the path must still name the file locked, or the lock is taken again on what the path
// names now. Waiting is bounded, so a program that holds the lock for long never freezes the
// operator's window. A shared lock asked for inside this process's own exclusive lock is
// granted at once (flock would make the process wait for itself). Where the lock file is missing
// and the folder refuses to hold a new one (a folder the user may not write), the guarded file
// itself is locked; a program that may write the folder makes the lock file instead, and the
// two do not see each other's lock.
#pragma once

#include <chrono>
#include <filesystem>

namespace tarvel::platform {

// How long an operation waits for the lock before it gives up.
inline constexpr std::chrono::milliseconds kProfileLockWait{3000};

// The lock file of a profile file: path with ".lock" appended, beside it.
std::filesystem::path profileLockPath(const std::filesystem::path& path);

class ProfileLock {
 public:
  enum class Kind { Shared, Exclusive };

  // Takes the lock of the profile file path. A missing lock file is created when createIfMissing.
  // Throws std::runtime_error naming path when the lock file cannot be opened or created, or the
  // lock is not obtained within wait.
  ProfileLock(const std::filesystem::path& path, Kind kind, bool createIfMissing = true,
              std::chrono::milliseconds wait = kProfileLockWait);
  ProfileLock(ProfileLock&& other) noexcept;
  ProfileLock& operator=(ProfileLock&& other) noexcept;
  ProfileLock(const ProfileLock&) = delete;
  ProfileLock& operator=(const ProfileLock&) = delete;
  ~ProfileLock();

  // True while the lock path still names the file this lock holds (nobody deleted or replaced
  // it since).
  bool stillNamesTheLockFile() const;
  void release() noexcept;

 private:
  std::filesystem::path lockPath_;
  int descriptor_ = -1;  // -1 for a shared lock inside this process's own exclusive one
  bool exclusive_ = false;
};

}  // namespace tarvel::platform
