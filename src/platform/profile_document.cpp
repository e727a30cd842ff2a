#include "platform/profile_document.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <stdexcept>

#include "platform/cp1251.h"
#include "platform/text.h"

namespace tarvel::platform {
namespace {

constexpr std::string_view kLineBreak = "\r\n";
// The UTF-8 byte-order mark that some editors put at a file's start. It is no part of the
// first line: skipped when the text is read, kept as it is when the text is written.
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// How far ahead a line feed is looked for in one step.
constexpr std::size_t kLineStretch = 256;

// One line of the text: [begin, end) without its break; next is where the following line starts.
struct LineSpan {
  uint32_t begin = 0;
  uint32_t end = 0;
  uint32_t next = 0;
};

LineSpan lineAt(std::string_view bytes, uint32_t position) {
  const auto size = static_cast<uint32_t>(bytes.size());
  LineSpan line{position, position, position};
  // Every line is passed over at least twice (parsing, then indexing its section). Settings lines
  // are short: memchr looks for a line feed within the next stretch of bytes, and a carriage
  // return can only stand before it. A longer line, or one ended by lone carriage returns, is
  // walked byte by byte, so no line costs more than its own bytes and the stretch.
  const char* const first = bytes.data() + position;
  const char* const last = bytes.data() + size;
  const std::size_t stretch = std::min<std::size_t>(size - position, kLineStretch);
  const auto* feed = static_cast<const char*>(std::memchr(first, '\n', stretch));
  const char* end = first;
  if (feed != nullptr) {
    const auto* ret =
        static_cast<const char*>(std::memchr(first, '\r', static_cast<std::size_t>(feed - first)));
    end = ret != nullptr ? ret : feed;
  } else {
    while (end < last && *end != '\r' && *end != '\n') ++end;
  }
  line.end = static_cast<uint32_t>(end - bytes.data());
  line.next = line.end;
  if (line.end < size) {
    const bool crLf = bytes[line.end] == '\r' && line.end + 1 < size && bytes[line.end + 1] == '\n';
    line.next += crLf ? 2 : 1;
  }
  return line;
}

std::string_view textOf(std::string_view bytes, const LineSpan& line) {
  return bytes.substr(line.begin, line.end - line.begin);
}

// A value as read: trimmed, and one pair of the same outer quote removed.
std::string_view unquote(std::string_view value) {
  value = trimBlanks(value);
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return value;
}

// A value as it must be written so that unquote gives it back: inside one more pair of double
// quotes when it has blanks at an end or matching outer quotes of its own.
std::string quotedForReading(std::string value) {
  if (unquote(value).size() == value.size()) return value;
  return '"' + std::move(value) + '"';
}

// The name of a section header line: between "[" and the first "]" (or the line's end).
std::string_view sectionNameOf(std::string_view line) {
  line = trimBlanks(line);
  line.remove_prefix(1);  // "["
  return trimBlanks(line.substr(0, line.find(']')));
}

std::string_view keyNameOf(std::string_view line) {
  return trimBlanks(line.substr(0, line.find('=')));
}

bool isLineBreak(char c) { return c == '\r' || c == '\n'; }

// Text written into the file: a line break inside it would start a new line, so none may stay.
std::string withoutLineBreaks(std::string_view text) {
  std::string result(text);
  std::replace_if(result.begin(), result.end(), isLineBreak, ' ');
  return result;
}

// FNV-1a of the folded name, so that names differing only in case meet in one slot. Every key
// and section name is hashed at least once: the folding is one look-up in foldCase's table.
uint64_t foldedHash(std::string_view name) {
  static const std::array<unsigned char, 256> folded = [] {
    std::array<unsigned char, 256> table{};
    for (std::size_t byte = 0; byte < table.size(); ++byte) {
      table[byte] = static_cast<unsigned char>(foldCase(static_cast<char>(byte)));
    }
    return table;
  }();
  uint64_t hash = 0xcbf29ce484222325ull;
  for (const char c : name) {
    hash ^= folded[static_cast<unsigned char>(c)];
    hash *= 0x100000001b3ull;
  }
  return hash ^ (hash >> 29);
}

bool isKeyLine(std::string_view text) {
  const std::string_view trimmed = trimBlanks(text);
  // Comments and lines without "=" are no keys.
  return !trimmed.empty() && trimmed.front() != ';' && text.find('=') != std::string_view::npos;
}

}  // namespace

ProfileDocument::ProfileDocument(std::string bytes) : bytes_(std::move(bytes)) {
  if (bytes_.size() > kMaximumSize) throw std::length_error("profile text too large");
  parse();
}

void ProfileDocument::parse() {
  const std::string_view bytes = bytes_;
  const auto size = static_cast<uint32_t>(bytes.size());
  uint32_t current = kNone;  // the section whose lines are being passed, if it is the first
  const uint32_t start = bytes.starts_with(kByteOrderMark) ? kByteOrderMark.size() : 0;
  for (uint32_t position = start; position < size;) {
    const LineSpan line = lineAt(bytes, position);
    const std::string_view text = trimBlanks(textOf(bytes, line));
    if (!text.empty() && text.front() == '[') {
      if (current != kNone) sections_[current].endOffset = line.begin;
      const std::string_view name = sectionNameOf(text);
      // A later section of a name already seen is never searched: it gets no record.
      current = findSection(name) == kNone
                    ? addSection({static_cast<uint32_t>(name.data() - bytes.data()),
                                  static_cast<uint32_t>(name.size()), line.next, size})
                    : kNone;
    }
    position = line.next;
  }
}

std::string_view ProfileDocument::sectionName(const Section& section) const {
  if (section.bodyOffset == kAdded) return addedNames_[section.nameOffset];
  return std::string_view(bytes_).substr(section.nameOffset, section.nameLength);
}

uint32_t ProfileDocument::findSection(std::string_view name) const {
  // Readers ask for the keys of one section after another: the last one found is asked again.
  // A name once found keeps its section, as sections are only ever added.
  if (lastSectionFound_ != kNone && name == lastSectionAsked_) return lastSectionFound_;
  if (index_.empty()) return kNone;
  const std::size_t mask = index_.size() - 1;
  for (std::size_t slot = foldedHash(name) & mask;; slot = (slot + 1) & mask) {
    const uint32_t entry = index_[slot];
    if (entry == 0) return kNone;
    if (equalsIgnoringCase(sectionName(sections_[entry - 1]), name)) {
      lastSectionAsked_.assign(name);
      lastSectionFound_ = entry - 1;
      return entry - 1;
    }
  }
}

uint32_t ProfileDocument::addSection(const Section& section) {
  // At most half the slots are used, so probes stay short.
  if ((sections_.size() + 1) * 2 > index_.size()) growIndex();
  sections_.push_back(section);
  const auto number = static_cast<uint32_t>(sections_.size());
  const std::size_t mask = index_.size() - 1;
  std::size_t slot = foldedHash(sectionName(section)) & mask;
  while (index_[slot] != 0) slot = (slot + 1) & mask;
  index_[slot] = number;
  return number - 1;
}

void ProfileDocument::growIndex() {
  index_.assign(std::max<std::size_t>(16, index_.size() * 2), 0);
  const std::size_t mask = index_.size() - 1;
  for (uint32_t number = 1; number <= sections_.size(); ++number) {
    std::size_t slot = foldedHash(sectionName(sections_[number - 1])) & mask;
    while (index_[slot] != 0) slot = (slot + 1) & mask;
    index_[slot] = number;
  }
}

std::string_view ProfileDocument::keyNameAt(uint32_t keyLine) const {
  // A key line holds "=": the name ends there, and the value need not be passed over.
  const std::string_view rest = std::string_view(bytes_).substr(keyLine);
  return trimBlanks(rest.substr(0, rest.find('=')));
}

const std::vector<uint32_t>& ProfileDocument::keyLineIndex(uint32_t sectionNumber) const {
  if (keyLineIndexes_.size() <= sectionNumber) keyLineIndexes_.resize(sections_.size());
  std::vector<uint32_t>& index = keyLineIndexes_[sectionNumber];
  if (!index.empty()) return index;
  const std::string_view bytes = bytes_;
  const Section& section = sections_[sectionNumber];
  std::vector<std::pair<uint32_t, std::string_view>> keyLines;  // offset, key name
  keyLines.reserve(16);
  for (uint32_t position = section.bodyOffset; position < section.endOffset;) {
    const LineSpan line = lineAt(bytes, position);
    const std::string_view text = textOf(bytes, line);
    if (isKeyLine(text)) keyLines.emplace_back(line.begin, keyNameOf(text));
    position = line.next;
  }
  // At most half the slots are used, so probes stay short.
  std::size_t size = 16;
  while (size < keyLines.size() * 2) size *= 2;
  index.assign(size, 0);
  const std::size_t mask = size - 1;
  for (const auto& [offset, name] : keyLines) {
    for (std::size_t slot = foldedHash(name) & mask;; slot = (slot + 1) & mask) {
      if (index[slot] == 0) {
        index[slot] = offset + 1;
        break;
      }
      // The first of duplicate keys wins.
      if (equalsIgnoringCase(keyNameAt(index[slot] - 1), name)) break;
    }
  }
  return index;
}

uint32_t ProfileDocument::findKeyLine(uint32_t sectionNumber, std::string_view key) const {
  const std::vector<uint32_t>& index = keyLineIndex(sectionNumber);
  const std::size_t mask = index.size() - 1;
  for (std::size_t slot = foldedHash(key) & mask;; slot = (slot + 1) & mask) {
    const uint32_t entry = index[slot];
    if (entry == 0) return kNone;
    if (equalsIgnoringCase(keyNameAt(entry - 1), key)) return entry - 1;
  }
}

uint32_t ProfileDocument::anchorOffset(const Section& section) const {
  // Trailing blank and comment lines stay at the section's end when keys are added.
  uint32_t anchor = section.bodyOffset;
  for (uint32_t position = section.bodyOffset; position < section.endOffset;) {
    const LineSpan line = lineAt(bytes_, position);
    const std::string_view trimmed = trimBlanks(textOf(bytes_, line));
    if (!trimmed.empty() && trimmed.front() != ';') anchor = line.next;
    position = line.next;
  }
  return anchor;
}

std::optional<std::string> ProfileDocument::value(std::string_view sectionName,
                                                  std::string_view keyName) const {
  std::optional<std::string> raw = rawValue(sectionName, keyName);
  if (!raw) return raw;
  const std::string_view tidy = unquote(*raw);
  if (tidy.size() != raw->size()) *raw = std::string(tidy);
  return raw;
}

std::optional<std::string> ProfileDocument::rawValue(std::string_view sectionName,
                                                     std::string_view keyName) const {
  const uint32_t number = findSection(trimBlanks(sectionName));
  if (number == kNone) return std::nullopt;
  const std::string_view key = trimBlanks(keyName);
  const Section& section = sections_[number];
  if (section.bodyOffset != kAdded) {
    const uint32_t line = findKeyLine(number, key);
    if (line != kNone) {
      const auto replaced = replacedValues_.find(line);
      if (replaced != replacedValues_.end()) return replaced->second;
      const std::string_view text = textOf(bytes_, lineAt(bytes_, line));
      return std::string(text.substr(text.find('=') + 1));
    }
  }
  const auto added = addedKeys_.find(number);
  if (added == addedKeys_.end()) return std::nullopt;
  const auto position = added->second.positionByFoldedName.find(foldCase(key));
  if (position == added->second.positionByFoldedName.end()) return std::nullopt;
  return added->second.keys[position->second].value;
}

bool ProfileDocument::hasSection(std::string_view section) const {
  return findSection(trimBlanks(section)) != kNone;
}

void ProfileDocument::setValue(std::string_view sectionName, std::string_view keyName,
                               std::string_view value) {
  const std::string cleanSection(trimBlanks(withoutLineBreaks(sectionName)));
  const std::string cleanKey(trimBlanks(withoutLineBreaks(keyName)));
  std::string cleanValue = quotedForReading(withoutLineBreaks(value));
  modified_ = true;

  uint32_t number = findSection(cleanSection);
  if (number == kNone) {
    addedNames_.push_back(cleanSection);
    number = addSection({static_cast<uint32_t>(addedNames_.size() - 1),
                         static_cast<uint32_t>(cleanSection.size()), kAdded, kAdded});
  }
  if (sections_[number].bodyOffset != kAdded) {
    const uint32_t line = findKeyLine(number, cleanKey);
    if (line != kNone) {
      replacedValues_[line] = std::move(cleanValue);
      return;
    }
  }
  AddedKeys& added = addedKeys_[number];
  const auto [position, isNew] =
      added.positionByFoldedName.emplace(foldCase(cleanKey), added.keys.size());
  if (!isNew) {
    added.keys[position->second].value = std::move(cleanValue);
    return;
  }
  added.keys.push_back({cleanKey, std::move(cleanValue)});
}

std::string ProfileDocument::text() const {
  if (!modified_) return bytes_;

  // Where keys added to sections of the file go, in the order of the text.
  std::vector<std::pair<uint32_t, uint32_t>> insertions;  // offset, section number
  std::size_t addedBytes = 0;
  for (const auto& [number, added] : addedKeys_) {
    for (const AddedKey& key : added.keys) addedBytes += key.name.size() + key.value.size() + 3;
    const Section& section = sections_[number];
    if (section.bodyOffset != kAdded && !added.keys.empty()) {
      insertions.emplace_back(anchorOffset(section), number);
    }
  }
  std::sort(insertions.begin(), insertions.end());
  for (const auto& [line, value] : replacedValues_) addedBytes += value.size() + 16;

  std::string result;
  result.reserve(bytes_.size() + addedBytes + addedNames_.size() * 4);
  const auto appendKeys = [this, &result](uint32_t number) {
    const auto keys = addedKeys_.find(number);
    if (keys == addedKeys_.end()) return;
    for (const AddedKey& key : keys->second.keys) {
      result.append(key.name).append("=").append(key.value).append(kLineBreak);
    }
  };
  const auto breakLine = [&result] {
    if (!result.empty() && !isLineBreak(result.back())) result.append(kLineBreak);
  };

  uint32_t position = 0;
  auto insertion = insertions.begin();
  auto replaced = replacedValues_.begin();
  while (insertion != insertions.end() || replaced != replacedValues_.end()) {
    // Keys added after a line come before a rewrite of the line that follows it.
    if (insertion != insertions.end() &&
        (replaced == replacedValues_.end() || insertion->first <= replaced->first)) {
      result.append(bytes_, position, insertion->first - position);
      breakLine();
      appendKeys(insertion->second);
      position = insertion->first;
      ++insertion;
    } else {
      const LineSpan line = lineAt(bytes_, replaced->first);
      result.append(bytes_, position, line.begin - position);
      result.append(keyNameOf(textOf(bytes_, line))).append("=").append(replaced->second);
      result.append(kLineBreak);
      position = line.next;
      ++replaced;
    }
  }
  result.append(bytes_, position);

  for (uint32_t number = 0; number < sections_.size(); ++number) {
    if (sections_[number].bodyOffset != kAdded) continue;
    breakLine();
    result.append("[").append(sectionName(sections_[number])).append("]").append(kLineBreak);
    appendKeys(number);
  }
  return result;
}

}  // namespace tarvel::platform
