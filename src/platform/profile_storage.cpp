#include "platform/profile_storage.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <utility>

namespace tarvel::platform {
namespace {

[[noreturn]] void fail(const std::string& what, const std::filesystem::path& path, int error) {
  throw std::runtime_error(what + " " + path.string() + ": " + std::strerror(error));
}

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
  bool close() {
    const int descriptor = std::exchange(descriptor_, -1);
    return ::close(descriptor) == 0;
  }

 private:
  int descriptor_;
};

void writeAll(int descriptor, const std::string& bytes, const std::filesystem::path& path) {
  std::size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t count = ::write(descriptor, bytes.data() + written, bytes.size() - written);
    if (count < 0) {
      if (errno == EINTR) continue;
      fail("cannot write", path, errno);
    }
    written += static_cast<std::size_t>(count);
  }
}

// The folder's entry for the renamed file reaches the disk too; some file systems cannot
// flush a folder, which leaves the rename as durable as they make it.
void flushFolder(const std::filesystem::path& folder) {
  const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (descriptor < 0) return;
  ::fsync(descriptor);
  ::close(descriptor);
}

}  // namespace

std::optional<std::string> readWholeFile(const std::filesystem::path& path) {
  Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (file.get() < 0) {
    if (errno == ENOENT) return std::nullopt;
    fail("cannot open", path, errno);
  }
  std::string bytes;
  struct stat status {};
  if (::fstat(file.get(), &status) == 0 && status.st_size > 0) {
    bytes.reserve(static_cast<std::size_t>(status.st_size));
  }
  char buffer[65536];
  for (;;) {
    const ssize_t count = ::read(file.get(), buffer, sizeof buffer);
    if (count == 0) break;
    if (count < 0) {
      if (errno == EINTR) continue;
      fail("cannot read", path, errno);
    }
    bytes.append(buffer, static_cast<std::size_t>(count));
  }
  return bytes;
}

WriterLock::WriterLock(const std::filesystem::path& lockPath) {
  descriptor_ = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
  if (descriptor_ < 0) fail("cannot open the lock file", lockPath, errno);
  while (::flock(descriptor_, LOCK_EX) != 0) {
    if (errno == EINTR) continue;
    const int error = errno;
    release();
    fail("cannot lock", lockPath, error);
  }
}

WriterLock::WriterLock(WriterLock&& other) noexcept
    : descriptor_(std::exchange(other.descriptor_, -1)) {}

WriterLock& WriterLock::operator=(WriterLock&& other) noexcept {
  if (this != &other) {
    release();
    descriptor_ = std::exchange(other.descriptor_, -1);
  }
  return *this;
}

WriterLock::~WriterLock() { release(); }

void WriterLock::release() noexcept {
  // Closing the only descriptor of the lock file releases the lock.
  if (descriptor_ >= 0) ::close(std::exchange(descriptor_, -1));
}

void replaceFile(const std::filesystem::path& path, const std::string& bytes) {
  std::filesystem::path temporary = path;
  temporary += ".tmp";
  // A temporary file left by a writer that died is ours to replace: we hold the lock.
  if (::unlink(temporary.c_str()) != 0 && errno != ENOENT) {
    fail("cannot remove the old temporary file", temporary, errno);
  }
  Descriptor file(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
  if (file.get() < 0) fail("cannot create", temporary, errno);
  try {
    struct stat old {};
    if (::stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
      ::fchmod(file.get(), old.st_mode & 07777);
    }
    writeAll(file.get(), bytes, temporary);
    if (::fsync(file.get()) != 0) fail("cannot flush", temporary, errno);
    if (!file.close()) fail("cannot close", temporary, errno);
    if (::rename(temporary.c_str(), path.c_str()) != 0) fail("cannot replace", path, errno);
  } catch (...) {
    ::unlink(temporary.c_str());
    throw;
  }
  flushFolder(path.has_parent_path() ? path.parent_path() : std::filesystem::path("."));
}

}  // namespace tarvel::platform
