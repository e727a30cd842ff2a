// The file-system side of profile files: reading a whole file, the writers' lock, and replacing
// a file so that a crash leaves either the old or the new content, never a mix of both.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace tarvel::platform {

// The whole file; std::nullopt when it (or its folder) does not exist. Throws
// std::runtime_error when it exists but cannot be read (a folder of that name included).
std::optional<std::string> readWholeFile(const std::filesystem::path& path);

// An exclusive advisory lock (flock) on lockPath, created when missing, held until release or
// destruction. Every process that writes the file through this code takes it, so their
// read-modify-write operations run one after the other. A separate lock file is used because
// replacing the file gives it a new inode, on which an older lock would not count.
// One thread must not take the lock twice: the second attempt would wait for ever.
class WriterLock {
 public:
  // Waits for the lock. Throws std::runtime_error when the lock file cannot be opened (a
  // missing folder included).
  explicit WriterLock(const std::filesystem::path& lockPath);
  WriterLock(WriterLock&& other) noexcept;
  WriterLock& operator=(WriterLock&& other) noexcept;
  WriterLock(const WriterLock&) = delete;
  WriterLock& operator=(const WriterLock&) = delete;
  ~WriterLock();
  void release() noexcept;

 private:
  int descriptor_ = -1;
};

// Writes bytes to path + ".tmp" in the same folder, flushes it to the disk, renames it over
// path and flushes the folder. The file keeps its permission bits. Throws std::runtime_error,
// leaving path as it was, when any step before the rename fails. Call it under the WriterLock:
// the temporary name is shared by all writers.
void replaceFile(const std::filesystem::path& path, const std::string& bytes);

}  // namespace tarvel::platform
