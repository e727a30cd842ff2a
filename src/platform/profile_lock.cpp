#include "platform/profile_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <utility>

#include "platform/profile_failure.h"
#include "platform/profile_texts.h"

namespace tarvel::platform {
namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kRetryPause = std::chrono::milliseconds(10);

// A new lock file gets what the guarded file has, so that every user of the file can lock it.
void matchGuardedFile(int descriptor, const std::filesystem::path& path) {
  struct stat guarded {};
  if (::stat(path.c_str(), &guarded) != 0 || !S_ISREG(guarded.st_mode)) return;
  mode_t bits = guarded.st_mode & 0777;
  if (::fchown(descriptor, guarded.st_uid, guarded.st_gid) != 0) bits |= 0444;
  ::fchmod(descriptor, bits);
}

// The lock file, opened read-only; -1 when it is missing and may not be created, or when the
// folder refuses a new file (folderRefuses is then set).
int openLockFile(const std::filesystem::path& lockPath, const std::filesystem::path& path,
                 bool createIfMissing, bool& folderRefuses) {
  for (;;) {
    // Non-blocking: a FIFO put in its place must not hang the open.
    const int descriptor = ::open(lockPath.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (descriptor >= 0) return descriptor;
    if (errno != ENOENT) throw profileFailure(text::kProfileCannotLock, path, errno);
    if (!createIfMissing) return -1;
    const int created = ::open(lockPath.c_str(), O_RDONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (created >= 0) {
      matchGuardedFile(created, path);
      return created;
    }
    if (errno == EACCES || errno == EPERM || errno == EROFS) {
      folderRefuses = true;
      return -1;
    }
    // Another program made it first: open theirs.
    if (errno != EEXIST) throw profileFailure(text::kProfileCannotLock, path, errno);
  }
}

// The lock files this process holds exclusively. flock counts every opening separately, so a
// read inside this process's own write would otherwise wait for itself. Entries carry the
// process number: a child made by fork() holds nothing.
class ExclusiveHolds {
 public:
  void add(const std::string& lockPath) {
    const std::lock_guard guard(mutex_);
    ++counts_[{::getpid(), lockPath}];
  }
  void remove(const std::string& lockPath) {
    const std::lock_guard guard(mutex_);
    const auto entry = counts_.find({::getpid(), lockPath});
    if (entry != counts_.end() && --entry->second == 0) counts_.erase(entry);
  }
  bool contains(const std::string& lockPath) {
    const std::lock_guard guard(mutex_);
    return counts_.count({::getpid(), lockPath}) != 0;
  }

 private:
  std::mutex mutex_;
  std::map<std::pair<pid_t, std::string>, int> counts_;
};

ExclusiveHolds& exclusiveHolds() {
  static ExclusiveHolds holds;
  return holds;
}

bool sameFile(int descriptor, const std::filesystem::path& path) {
  struct stat held {};
  struct stat named {};
  return ::fstat(descriptor, &held) == 0 && ::stat(path.c_str(), &named) == 0 &&
         held.st_dev == named.st_dev && held.st_ino == named.st_ino;
}

}  // namespace

std::filesystem::path profileLockPath(const std::filesystem::path& path) {
  std::filesystem::path lock = path;
  lock += ".lock";
  return lock;
}

ProfileLock::ProfileLock(const std::filesystem::path& path, Kind kind, bool createIfMissing,
                         std::chrono::milliseconds wait)
    : lockPath_(profileLockPath(path)) {
  // This process's own write keeps other writers out already; a read inside it needs nothing.
  if (kind == Kind::Shared && exclusiveHolds().contains(lockPath_.string())) return;
  const int operation = (kind == Kind::Exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB;
  const auto deadline = Clock::now() + wait;
  bool lockTheFileItself = false;
  for (;;) {
    bool folderRefuses = false;
    if (lockTheFileItself) {
      descriptor_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
      if (descriptor_ < 0) throw profileFailure(text::kProfileCannotLock, path, errno);
    } else {
      descriptor_ = openLockFile(lockPath_, path, createIfMissing, folderRefuses);
    }
    if (folderRefuses) {
      // A folder the user may not add files to, as the Windows directory is for most users:
      // the file itself is locked. Such a user cannot replace the file either, so the lock
      // stays on the inode that is written.
      lockTheFileItself = true;
      lockPath_ = path;
      if (kind == Kind::Shared && exclusiveHolds().contains(lockPath_.string())) return;
      continue;
    }
    if (descriptor_ < 0) throw profileFailure(text::kProfileCannotLock, path, ENOENT);
    int error = 0;
    for (;;) {
      if (::flock(descriptor_, operation) == 0) {
        error = 0;
        break;
      }
      error = errno;
      if (error == EINTR) continue;
      if (error != EWOULDBLOCK || Clock::now() >= deadline) break;
      std::this_thread::sleep_for(kRetryPause);
    }
    if (error != 0) {
      release();
      if (error == EWOULDBLOCK) throw profileFailure(text::kProfileBusy, path);
      throw profileFailure(text::kProfileCannotLock, path, error);
    }
    if (stillNamesTheLockFile()) {
      if (kind == Kind::Exclusive) {
        exclusive_ = true;
        exclusiveHolds().add(lockPath_.string());
      }
      return;
    }
    // Deleted or replaced while we waited: the lock that counts is on what the path names now.
    release();
    if (Clock::now() >= deadline) throw profileFailure(text::kProfileBusy, path);
  }
}

ProfileLock::ProfileLock(ProfileLock&& other) noexcept
    : lockPath_(std::move(other.lockPath_)),
      descriptor_(std::exchange(other.descriptor_, -1)),
      exclusive_(std::exchange(other.exclusive_, false)) {}

ProfileLock& ProfileLock::operator=(ProfileLock&& other) noexcept {
  if (this != &other) {
    release();
    lockPath_ = std::move(other.lockPath_);
    descriptor_ = std::exchange(other.descriptor_, -1);
    exclusive_ = std::exchange(other.exclusive_, false);
  }
  return *this;
}

ProfileLock::~ProfileLock() { release(); }

bool ProfileLock::stillNamesTheLockFile() const {
  return descriptor_ >= 0 && sameFile(descriptor_, lockPath_);
}

void ProfileLock::release() noexcept {
  if (std::exchange(exclusive_, false)) exclusiveHolds().remove(lockPath_.string());
  // Closing the only descriptor of the lock file releases the lock.
  if (descriptor_ >= 0) ::close(std::exchange(descriptor_, -1));
}

}  // namespace tarvel::platform
