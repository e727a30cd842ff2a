// Profile (INI) files with the behaviour of the Windows profile functions that cnf.INI is
// shared with: case-insensitive sections and keys (Cyrillic folded), the first match wins,
// every byte the writes do not touch is kept. Texts are Windows-1251 bytes.
//
// One ProfileFile is one operation on the file: opening reads the file fresh; nothing is
// cached between operations. A path that is a symbolic link means the file it points to.
// A file opened for writing holds the exclusive lock (profile_lock.h) from opening until
// commit() or destruction, so two programs' read-modify-write operations never lose each
// other's keys; readers hold the shared lock while they read. commit() stores the new content
// by one of the two write paths of profile_storage.h: replacing the file (a temporary file,
// flushed, renamed over it, with the old file's owner, group and permission bits), or, where
// those cannot be given to a new file or the folder takes no new files, writing it in place
// (with a backup copy beside it where the folder has room for one). A file without any write
// permission bit is never written. Every error the operator may see is a
// std::runtime_error with a Russian message that names the file.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/profile_lock.h"

namespace tarvel::platform {

class ProfileFile {
 public:
  // Reads the file; a missing file reads as empty. Throws std::runtime_error when the file
  // exists but cannot be read, is not a regular file or is larger than kMaximumProfileFileSize.
  static ProfileFile openForReading(const std::filesystem::path& path);
  // Reads the file as readers see it without taking the lock or changing anything: no lock file
  // is made, an interrupted write is not put back (its copy is what is read). For programs that
  // only look and must never hold up the file's writers. Throws as openForReading does, and
  // when the file keeps changing for seconds.
  static ProfileFile openWithoutLock(const std::filesystem::path& path);
  // Takes the writers' lock (waiting at most kProfileLockWait), puts back the content of a write
  // in place that a crash interrupted, then reads the file. Throws std::runtime_error when the
  // lock or the file cannot be had (a missing folder included).
  static ProfileFile openForWriting(const std::filesystem::path& path);

  ProfileFile(ProfileFile&&) noexcept;
  ProfileFile& operator=(ProfileFile&&) noexcept;
  // Releases the lock; writes not committed are dropped.
  ~ProfileFile();

  // Typed reads; a missing file, section or key, or an unreadable value, gives the default.
  std::string readString(std::string_view section, std::string_view key,
                         std::string_view defaultValue) const;
  int32_t readInteger(std::string_view section, std::string_view key, int32_t defaultValue) const;
  bool readBool(std::string_view section, std::string_view key, bool defaultValue) const;
  double readDateTime(std::string_view section, std::string_view key, double defaultValue) const;
  double readTime(std::string_view section, std::string_view key, double defaultValue) const;
  bool sectionExists(std::string_view section) const;
  // The value's text as it stands in the file (blanks and quotes kept); std::nullopt when the
  // section or key is missing.
  std::optional<std::string> readRawString(std::string_view section, std::string_view key) const;
  // The file's bytes as they were read (empty for a missing file), without the writes since.
  const std::string& bytesAsRead() const;

  // Typed writes into the content held in memory; commit() stores them. Only a file opened for
  // writing accepts them (std::logic_error otherwise). CR and LF in any name or value are
  // written as spaces, so no value can add lines, keys or sections to the file; a text with
  // blanks at an end or with matching outer quotes is written inside one more pair of double
  // quotes, so that the reading rule gives it back as it was.
  void writeString(std::string_view section, std::string_view key, std::string_view value);
  void writeInteger(std::string_view section, std::string_view key, int32_t value);
  void writeBool(std::string_view section, std::string_view key, bool value);
  void writeDateTime(std::string_view section, std::string_view key, double value);
  void writeTime(std::string_view section, std::string_view key, double value);

  // Stores the content written so far (nothing happens when nothing was written or the content
  // is unchanged) and releases the lock; later writes throw std::logic_error. Throws
  // std::runtime_error and leaves the old file as it was when the new one cannot be stored,
  // the file has no write permission bit, or the lock file was deleted or replaced meanwhile.
  void commit();

 private:
  struct State;
  explicit ProfileFile(std::unique_ptr<State> state);
  std::unique_ptr<State> state_;
};

}  // namespace tarvel::platform
