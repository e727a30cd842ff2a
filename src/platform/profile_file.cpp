#include "platform/profile_file.h"

#include <optional>
#include <stdexcept>

#include "platform/profile_document.h"
#include "platform/profile_lock.h"
#include "platform/profile_storage.h"
#include "platform/profile_values.h"

namespace tarvel::platform {

struct ProfileFile::State {
  std::filesystem::path path;       // the file itself, links followed
  std::optional<ProfileLock> lock;  // held by a file opened for writing until commit
  bool writable = false;
  ProfileDocument document;
};

namespace {

// A typed value: the default when the key is missing or its text does not parse.
template <typename Value, typename Parse>
Value readParsed(const ProfileDocument& document, std::string_view section, std::string_view key,
                 Value defaultValue, Parse parse) {
  const auto text = document.value(section, key);
  if (!text) return defaultValue;
  return parse(*text).value_or(defaultValue);
}

}  // namespace

ProfileFile::ProfileFile(std::unique_ptr<State> state) : state_(std::move(state)) {}
ProfileFile::ProfileFile(ProfileFile&&) noexcept = default;
ProfileFile& ProfileFile::operator=(ProfileFile&&) noexcept = default;
ProfileFile::~ProfileFile() = default;

ProfileFile ProfileFile::openForReading(const std::filesystem::path& path) {
  auto state = std::make_unique<State>();
  state->path = resolveProfilePath(path);
  // The shared lock keeps writes in place out while the file is read. A reader that cannot
  // have it (no lock file and no right to make one, or a program holding the lock too long)
  // still reads: a replaced file is always whole, and a file written in place has its copy.
  std::optional<ProfileLock> lock;
  std::error_code ignored;
  const bool fileExists = std::filesystem::exists(state->path, ignored);
  try {
    lock.emplace(state->path, ProfileLock::Kind::Shared, fileExists);
    // A copy without a writer holding the lock was left by a write that did not finish.
    if (std::filesystem::exists(profileBackupPath(state->path), ignored)) {
      lock.reset();
      lock.emplace(state->path, ProfileLock::Kind::Exclusive);
      recoverInterruptedWrite(state->path);
    }
  } catch (const std::runtime_error&) {
    // Read what there is: the copy while one exists.
  }
  state->document = ProfileDocument(readCurrentProfileBytes(state->path).value_or(std::string()));
  return ProfileFile(std::move(state));
}

ProfileFile ProfileFile::openWithoutLock(const std::filesystem::path& path) {
  auto state = std::make_unique<State>();
  state->path = resolveProfilePath(path);
  state->document = ProfileDocument(readSteadyProfileBytes(state->path).value_or(std::string()));
  return ProfileFile(std::move(state));
}

ProfileFile ProfileFile::openForWriting(const std::filesystem::path& path) {
  auto state = std::make_unique<State>();
  state->path = resolveProfilePath(path);
  state->lock.emplace(state->path, ProfileLock::Kind::Exclusive);
  recoverInterruptedWrite(state->path);
  state->writable = true;
  state->document = ProfileDocument(readProfileBytes(state->path).value_or(std::string()));
  return ProfileFile(std::move(state));
}

std::string ProfileFile::readString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue) const {
  auto value = state_->document.value(section, key);
  return value ? std::move(*value) : std::string(defaultValue);
}

int32_t ProfileFile::readInteger(std::string_view section, std::string_view key,
                                 int32_t defaultValue) const {
  return readParsed(state_->document, section, key, defaultValue, parseProfileInteger);
}

bool ProfileFile::readBool(std::string_view section, std::string_view key,
                           bool defaultValue) const {
  return readParsed(state_->document, section, key, defaultValue, parseProfileBool);
}

double ProfileFile::readDateTime(std::string_view section, std::string_view key,
                                 double defaultValue) const {
  return readParsed(state_->document, section, key, defaultValue, parseProfileDateTime);
}

double ProfileFile::readTime(std::string_view section, std::string_view key,
                             double defaultValue) const {
  return readParsed(state_->document, section, key, defaultValue, parseProfileTime);
}

bool ProfileFile::sectionExists(std::string_view section) const {
  return state_->document.hasSection(section);
}

std::optional<std::string> ProfileFile::readRawString(std::string_view section,
                                                      std::string_view key) const {
  return state_->document.rawValue(section, key);
}

const std::string& ProfileFile::bytesAsRead() const { return state_->document.originalText(); }

void ProfileFile::writeString(std::string_view section, std::string_view key,
                              std::string_view value) {
  if (!state_->writable) {
    throw std::logic_error("profile file " + state_->path.string() + " is not open for writing");
  }
  state_->document.setValue(section, key, value);
}

void ProfileFile::writeInteger(std::string_view section, std::string_view key, int32_t value) {
  writeString(section, key, formatProfileInteger(value));
}

void ProfileFile::writeBool(std::string_view section, std::string_view key, bool value) {
  writeString(section, key, formatProfileBool(value));
}

void ProfileFile::writeDateTime(std::string_view section, std::string_view key, double value) {
  writeString(section, key, formatProfileDateTime(value));
}

void ProfileFile::writeTime(std::string_view section, std::string_view key, double value) {
  writeString(section, key, formatProfileTime(value));
}

void ProfileFile::commit() {
  if (!state_->writable) return;
  // Whatever happens below, this operation is over: the lock goes with it.
  state_->writable = false;
  const std::optional<ProfileLock> lock = std::move(state_->lock);
  state_->lock.reset();
  if (!state_->document.modified()) return;
  const std::string newText = state_->document.text();
  // Writing back what is there already would only touch the file.
  if (newText == state_->document.originalText()) return;
  storeProfileBytes(state_->path, newText, state_->document.originalText(), *lock);
}

}  // namespace tarvel::platform
