// Profile (INI) files with the behaviour of the Windows profile functions that cnf.INI is
// shared with: case-insensitive sections and keys (Cyrillic folded), the first match wins,
// every byte the writes do not touch is kept. Texts are Windows-1251 bytes.
//
// One ProfileFile is one operation on the file: opening reads the file fresh; nothing is
// cached between operations. A file opened for writing holds an advisory lock from opening
// until commit() or destruction, so two programs' read-modify-write operations never lose each
// other's keys; commit() writes the new content to a temporary file in the same folder, flushes
// it and renames it over the file, so a crash never leaves a half-written file.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace tarvel::platform {

// The lock file every writer of path takes: path with ".lock" appended, beside it.
std::filesystem::path profileLockPath(const std::filesystem::path& path);

class ProfileFile {
 public:
  // Reads the file; a missing file reads as empty. Throws std::runtime_error when the file
  // exists but cannot be read.
  static ProfileFile openForReading(const std::filesystem::path& path);
  // Takes the writers' lock, then reads the file. Throws std::runtime_error when the lock or the
  // file cannot be had (a missing folder included).
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

  // Typed writes into the content held in memory; commit() stores them. Only a file opened for
  // writing accepts them (std::logic_error otherwise). CR and LF in any name or value are
  // written as spaces, so no value can add lines, keys or sections to the file.
  void writeString(std::string_view section, std::string_view key, std::string_view value);
  void writeInteger(std::string_view section, std::string_view key, int32_t value);
  void writeBool(std::string_view section, std::string_view key, bool value);
  void writeDateTime(std::string_view section, std::string_view key, double value);
  void writeTime(std::string_view section, std::string_view key, double value);

  // Replaces the file with the content written so far (nothing happens when nothing was
  // written or the content is unchanged) and releases the lock; later writes throw
  // std::logic_error. Throws std::runtime_error and leaves the old file as it was
  // when the new one cannot be stored.
  void commit();

 private:
  struct State;
  explicit ProfileFile(std::unique_ptr<State> state);
  std::unique_ptr<State> state_;
};

}  // namespace tarvel::platform
