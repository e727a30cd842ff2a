#include "platform/profile_storage.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <thread>
#include <utility>

#include "platform/profile_failure.h"
#include "platform/profile_texts.h"

namespace tarvel::platform {
namespace {

// A chain of links longer than this is taken for a loop, as the system does.
constexpr int kMaximumLinkHops = 40;

// Closes a descriptor when it goes out of scope.
class Descriptor {
 public:
  explicit Descriptor(int descriptor) : descriptor_(descriptor) {}
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  ~Descriptor() {
    if (descriptor_ >= 0) ::close(descriptor_);
  }
  int get() const { return descriptor_; }
  // Closes now and tells whether the close succeeded (a late write error shows here).
  bool close() { return ::close(std::exchange(descriptor_, -1)) == 0; }

 private:
  int descriptor_;
};

std::filesystem::path withSuffix(const std::filesystem::path& path, const std::string& suffix) {
  std::filesystem::path result = path;
  result += suffix;
  return result;
}

std::filesystem::path folderOf(const std::filesystem::path& path) {
  return path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
}

// Writes bytes from the file's start and cuts what followed; errors name path.
void overwrite(int descriptor, const std::string& bytes, const std::filesystem::path& path) {
  std::size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t count = ::pwrite(descriptor, bytes.data() + written, bytes.size() - written,
                                   static_cast<off_t>(written));
    if (count < 0) {
      if (errno == EINTR) continue;
      throw profileFailure(text::kProfileCannotWrite, path, errno);
    }
    written += static_cast<std::size_t>(count);
  }
  if (::ftruncate(descriptor, static_cast<off_t>(bytes.size())) != 0 || ::fsync(descriptor) != 0) {
    throw profileFailure(text::kProfileCannotWrite, path, errno);
  }
}

// The folder's entry for a renamed or removed file reaches the disk too; some file systems
// cannot flush a folder, which leaves the change as durable as they make it.
void flushFolder(const std::filesystem::path& path) {
  const int descriptor = ::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (descriptor < 0) return;
  ::fsync(descriptor);
  ::close(descriptor);
}

// A new file beside path, named for this writer alone: writers that do not hold the lock (its
// file was deleted under them) must not write into each other's temporary files.
std::pair<std::filesystem::path, int> createTemporary(const std::filesystem::path& path) {
  static std::atomic<unsigned> counter{0};
  for (;;) {
    const auto temporary = withSuffix(
        path, "." + std::to_string(::getpid()) + "-" + std::to_string(counter++) + ".tmp");
    const int descriptor = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (descriptor >= 0) return {temporary, descriptor};
    // A name left by a writer that died with our process number: take the next one.
    if (errno != EEXIST) throw profileFailure(text::kProfileCannotWrite, path, errno);
  }
}

// Whether name is that of a temporary file of createTemporary for a file named fileName.
bool isTemporaryName(const std::string& name, const std::string& fileName) {
  const std::string_view suffix = ".tmp";
  if (!name.starts_with(fileName + ".") || !name.ends_with(suffix)) return false;
  const std::string_view numbers = std::string_view(name).substr(
      fileName.size() + 1, name.size() - fileName.size() - 1 - suffix.size());
  const auto dash = numbers.find('-');
  const auto allDigits = [](std::string_view digits) {
    return !digits.empty() && digits.find_first_not_of("0123456789") == std::string_view::npos;
  };
  return dash != std::string_view::npos && allDigits(numbers.substr(0, dash)) &&
         allDigits(numbers.substr(dash + 1));
}

// Someone deleted or replaced the lock file while we held it: another writer may have read the
// file since, and one of the two writes would be lost. Checked right before the file changes.
void checkLock(const ProfileLock& lock, const std::filesystem::path& path) {
  if (!lock.stillNamesTheLockFile()) throw profileFailure(text::kProfileLockLost, path);
}

// Writes bytes to a new file that becomes target by renaming; prepare gets the new file's
// descriptor first and may refuse (false), which abandons the new file. Leaves nothing behind
// when it throws or is refused.
template <typename Prepare>
bool writeAndRename(const std::filesystem::path& path, const std::filesystem::path& target,
                    const std::string& bytes, const ProfileLock& lock, Prepare prepare) {
  const auto [temporary, descriptor] = createTemporary(path);
  Descriptor file(descriptor);
  try {
    if (!prepare(file.get())) {
      ::unlink(temporary.c_str());
      return false;
    }
    overwrite(file.get(), bytes, path);
    if (!file.close()) throw profileFailure(text::kProfileCannotWrite, path, errno);
    checkLock(lock, path);
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
      throw profileFailure(text::kProfileCannotWrite, path, errno);
    }
  } catch (...) {
    ::unlink(temporary.c_str());
    throw;
  }
  flushFolder(path);
  return true;
}

// Whether the folder takes new files from this process: the temporary file and the backup copy.
bool folderTakesNewFiles(const std::filesystem::path& path) {
  return ::faccessat(AT_FDCWD, folderOf(path).c_str(), W_OK | X_OK, AT_EACCESS) == 0;
}

enum class BackupCopy { Kept, NoRoom };

void writeInPlace(const std::filesystem::path& path, const struct stat& old,
                  const std::string& bytes, const std::string& oldBytes, const ProfileLock& lock,
                  BackupCopy backupCopy) {
  // Opened first: a file this process may not write gets no backup copy either.
  Descriptor file(::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK));
  if (file.get() < 0) throw profileFailure(text::kProfileCannotWrite, path, errno);
  const auto backup = profileBackupPath(path);
  const bool keepCopy = backupCopy == BackupCopy::Kept;
  if (keepCopy) {
    // The copy holds the same settings: no more readable than the file itself. Where the group
    // cannot be given, the copy stays the writer's own (the bits then only narrow it).
    writeAndRename(path, backup, oldBytes, lock, [&old](int descriptor) {
      const bool groupGiven = ::fchown(descriptor, static_cast<uid_t>(-1), old.st_gid) == 0;
      ::fchmod(descriptor, old.st_mode & (groupGiven ? 0666 : 0600));
      return true;
    });
  }
  try {
    checkLock(lock, path);
    overwrite(file.get(), bytes, path);
    if (keepCopy && ::unlink(backup.c_str()) != 0) {
      throw profileFailure(text::kProfileCannotWrite, path, errno);
    }
  } catch (...) {
    // The old content goes back; if even that fails, the copy stays for the next opening.
    try {
      overwrite(file.get(), oldBytes, path);
      if (keepCopy) ::unlink(backup.c_str());
    } catch (...) {
    }
    throw;
  }
  if (keepCopy) flushFolder(path);
}

}  // namespace

std::filesystem::path resolveProfilePath(const std::filesystem::path& path) {
  std::filesystem::path current = path;
  for (int hop = 0; hop < kMaximumLinkHops; ++hop) {
    struct stat status {};
    if (::lstat(current.c_str(), &status) != 0) return current;
    if (!S_ISLNK(status.st_mode)) {
      // Refused before anything is made beside it: no lock file next to a device.
      if (!S_ISREG(status.st_mode)) throw profileFailure(text::kProfileNotRegularFile, path);
      return current;
    }
    std::error_code error;
    const std::filesystem::path target = std::filesystem::read_symlink(current, error);
    if (error) throw profileFailure(text::kProfileCannotRead, path, error.value());
    current = target.is_absolute() ? target : folderOf(current) / target;
  }
  throw profileFailure(text::kProfileCannotRead, path, ELOOP);
}

std::filesystem::path profileBackupPath(const std::filesystem::path& path) {
  return withSuffix(path, ".write-backup");
}

std::optional<std::string> readProfileBytes(const std::filesystem::path& path) {
  // Non-blocking, so that a FIFO in the file's place fails below instead of waiting for ever.
  Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (file.get() < 0) {
    if (errno == ENOENT) return std::nullopt;
    throw profileFailure(text::kProfileCannotRead, path, errno);
  }
  struct stat status {};
  if (::fstat(file.get(), &status) != 0) {
    throw profileFailure(text::kProfileCannotRead, path, errno);
  }
  if (!S_ISREG(status.st_mode)) throw profileFailure(text::kProfileNotRegularFile, path);
  if (static_cast<uint64_t>(status.st_size) > kMaximumProfileFileSize) {
    throw profileFailure(text::kProfileTooLarge, path, EFBIG);
  }
  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(status.st_size));
  char buffer[65536];
  for (;;) {
    const ssize_t count = ::read(file.get(), buffer, sizeof buffer);
    if (count == 0) break;
    if (count < 0) {
      if (errno == EINTR) continue;
      throw profileFailure(text::kProfileCannotRead, path, errno);
    }
    // The file may grow while it is read.
    if (bytes.size() + static_cast<std::size_t>(count) > kMaximumProfileFileSize) {
      throw profileFailure(text::kProfileTooLarge, path, EFBIG);
    }
    bytes.append(buffer, static_cast<std::size_t>(count));
  }
  return bytes;
}

std::optional<std::string> readCurrentProfileBytes(const std::filesystem::path& path) {
  if (auto copy = readProfileBytes(profileBackupPath(path))) return copy;
  return readProfileBytes(path);
}

namespace {

// What tells one version of a file from the next: a replacement brings a new inode, a write in
// place a new modification time (and mostly size).
struct FileVersion {
  bool exists = false;
  dev_t device = 0;
  ino_t inode = 0;
  off_t size = 0;
  timespec modified{};
  timespec changed{};

  bool operator==(const FileVersion& other) const {
    return exists == other.exists && device == other.device && inode == other.inode &&
           size == other.size && modified.tv_sec == other.modified.tv_sec &&
           modified.tv_nsec == other.modified.tv_nsec && changed.tv_sec == other.changed.tv_sec &&
           changed.tv_nsec == other.changed.tv_nsec;
  }
};

FileVersion versionOf(const std::filesystem::path& path) {
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0) return {};
  return {true, status.st_dev, status.st_ino, status.st_size, status.st_mtim, status.st_ctim};
}

// How long a lock-free reader tries for one whole version before it gives up.
constexpr std::chrono::milliseconds kSteadyReadWait{3000};

}  // namespace

std::optional<std::string> readSteadyProfileBytes(const std::filesystem::path& path) {
  const std::filesystem::path backup = profileBackupPath(path);
  const auto deadline = std::chrono::steady_clock::now() + kSteadyReadWait;
  for (;;) {
    // A write in place makes its copy before it touches the file and removes it only when the
    // file is whole again: while a copy is seen, the copy is the version to read. Without one,
    // the file read is whole when nothing about it changed from before the read to after it.
    const FileVersion before = versionOf(path);
    const FileVersion backupBefore = versionOf(backup);
    std::optional<std::string> bytes =
        backupBefore.exists ? readProfileBytes(backup) : readProfileBytes(path);
    const FileVersion backupAfter = versionOf(backup);
    const FileVersion after = versionOf(path);
    if (backupBefore.exists ? (bytes && backupAfter == backupBefore)
                            : (!backupAfter.exists && after == before)) {
      return bytes;
    }
    if (std::chrono::steady_clock::now() >= deadline) {
      throw profileFailure(text::kProfileBusy, path);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

void recoverInterruptedWrite(const std::filesystem::path& path) {
  const auto backup = profileBackupPath(path);
  const auto copy = readProfileBytes(backup);
  if (!copy) return;
  Descriptor file(::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0666));
  if (file.get() < 0) throw profileFailure(text::kProfileCannotWrite, path, errno);
  overwrite(file.get(), *copy, path);
  if (::unlink(backup.c_str()) != 0) throw profileFailure(text::kProfileCannotWrite, path, errno);
  flushFolder(path);
}

int removeAbandonedTemporaries(const std::filesystem::path& path) {
  const ProfileLock lock(path, ProfileLock::Kind::Exclusive, true, std::chrono::milliseconds(0));
  const std::string fileName = path.filename().string();
  int removed = 0;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folderOf(path), error)) {
    const std::filesystem::path& candidate = entry.path();
    if (!isTemporaryName(candidate.filename().string(), fileName)) continue;
    std::error_code ignored;
    if (!entry.is_symlink(ignored) && entry.is_regular_file(ignored) &&
        ::unlink(candidate.c_str()) == 0) {
      ++removed;
    }
  }
  if (removed > 0) flushFolder(path);
  return removed;
}

void storeProfileBytes(const std::filesystem::path& path, const std::string& bytes,
                       const std::string& oldBytes, const ProfileLock& lock) {
  // What is stored must be readable again.
  if (bytes.size() > kMaximumProfileFileSize) {
    throw profileFailure(text::kProfileTooLarge, path, EFBIG);
  }
  struct stat old {};
  const bool exists = ::stat(path.c_str(), &old) == 0;
  if (!exists && errno != ENOENT) throw profileFailure(text::kProfileCannotWrite, path, errno);
  if (exists) {
    if (!S_ISREG(old.st_mode)) throw profileFailure(text::kProfileNotRegularFile, path);
    // Renaming over a file needs no permission on the file itself: the owner's "read-only"
    // is honoured here, for root as well.
    if ((old.st_mode & 0222) == 0) throw profileFailure(text::kProfileWriteProtected, path);
    if (::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0) {
      throw profileFailure(text::kProfileCannotWrite, path, errno);
    }
    // A file the user may write in a folder the user may not (as the Windows directory is for
    // most users) can only be written in place, and without a copy beside it: the lock keeps
    // readers out meanwhile, but a crash half-way through the write is not undone.
    if (!folderTakesNewFiles(path)) {
      writeInPlace(path, old, bytes, oldBytes, lock, BackupCopy::NoRoom);
      return;
    }
  }
  const bool replaced = writeAndRename(path, path, bytes, lock, [&](int descriptor) {
    if (!exists) return true;
    struct stat made {};
    if (::fstat(descriptor, &made) != 0) {
      throw profileFailure(text::kProfileCannotWrite, path, errno);
    }
    if ((made.st_uid != old.st_uid || made.st_gid != old.st_gid) &&
        ::fchown(descriptor, old.st_uid, old.st_gid) != 0) {
      if (errno == EPERM) return false;
      throw profileFailure(text::kProfileCannotWrite, path, errno);
    }
    if (::fchmod(descriptor, old.st_mode & 07777) != 0) {
      throw profileFailure(text::kProfileCannotWrite, path, errno);
    }
    return true;
  });
  // Another user's file shared through its group: a replacement would be the writer's alone.
  if (!replaced) writeInPlace(path, old, bytes, oldBytes, lock, BackupCopy::Kept);
}

}  // namespace tarvel::platform
