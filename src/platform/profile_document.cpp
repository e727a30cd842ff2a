#include "platform/profile_document.h"

#include <algorithm>

#include "platform/cp1251.h"
#include "platform/text.h"

namespace tarvel::platform {
namespace {

// A value as read: trimmed, and one pair of the same outer quote removed.
std::string_view unquote(std::string_view value) {
  value = trimBlanks(value);
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return value;
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

// Text written into the file: a line break inside it would start a new line, so none may stay.
std::string withoutLineBreaks(std::string_view text) {
  std::string result(text);
  std::replace_if(
      result.begin(), result.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
  return result;
}

constexpr std::string_view kLineBreak = "\r\n";

}  // namespace

ProfileDocument::ProfileDocument(std::string bytes) : bytes_(std::move(bytes)) { parse(); }

void ProfileDocument::parse() {
  const std::size_t size = bytes_.size();
  std::size_t position = 0;
  while (position < size) {
    Line line;
    line.offset = position;
    std::size_t end = position;
    while (end < size && bytes_[end] != '\r' && bytes_[end] != '\n') ++end;
    line.length = end - position;
    if (end < size) {
      line.breakLength = (bytes_[end] == '\r' && end + 1 < size && bytes_[end + 1] == '\n') ? 2 : 1;
    }
    const std::string_view text =
        trimBlanks(std::string_view(bytes_).substr(position, line.length));
    if (text.empty()) {
      line.kind = LineKind::Blank;
    } else if (text.front() == ';') {
      line.kind = LineKind::Comment;
    } else if (text.front() == '[') {
      line.kind = LineKind::Section;
    } else if (text.find('=') != std::string_view::npos) {
      line.kind = LineKind::Key;
    } else {
      line.kind = LineKind::Other;
    }
    lines_.push_back(line);
    position = end + line.breakLength;
  }

  // Lines before the first header belong to no section.
  for (std::size_t index = 0; index < lines_.size(); ++index) {
    const LineKind kind = lines_[index].kind;
    if (kind == LineKind::Section) {
      if (!sections_.empty()) sections_.back().endLine = index;
      Section section;
      section.headerLine = index;
      section.anchorLine = index;
      sections_.push_back(std::move(section));
      sectionsByName_.try_emplace(foldCase(sectionNameOf(lineText(index))), sections_.size() - 1);
    } else if (!sections_.empty() && (kind == LineKind::Key || kind == LineKind::Other)) {
      // Trailing blank and comment lines stay at the section's end when keys are added.
      sections_.back().anchorLine = index;
    }
  }
  if (!sections_.empty()) sections_.back().endLine = lines_.size();
}

std::string_view ProfileDocument::lineText(std::size_t line) const {
  return std::string_view(bytes_).substr(lines_[line].offset, lines_[line].length);
}

const ProfileDocument::Section* ProfileDocument::findSection(std::string_view name) const {
  const auto found = sectionsByName_.find(foldCase(trimBlanks(name)));
  return found == sectionsByName_.end() ? nullptr : &sections_[found->second];
}

void ProfileDocument::indexKeys(const Section& section) const {
  if (section.keysIndexed) return;
  section.keysIndexed = true;
  if (section.headerLine == kNoLine) return;
  for (std::size_t line = section.headerLine + 1; line < section.endLine; ++line) {
    if (lines_[line].kind != LineKind::Key) continue;
    // The first of duplicate keys wins.
    section.keys.try_emplace(foldCase(keyNameOf(lineText(line))), KeyPlace{false, line});
  }
}

std::string_view ProfileDocument::rawValueAt(const Section& section, KeyPlace place) const {
  if (place.added) return section.addedKeys[place.index].value;
  const auto replaced = replacedValues_.find(place.index);
  if (replaced != replacedValues_.end()) return replaced->second;
  const std::string_view line = lineText(place.index);
  return line.substr(line.find('=') + 1);
}

std::optional<std::string> ProfileDocument::value(std::string_view sectionName,
                                                  std::string_view key) const {
  const Section* section = findSection(sectionName);
  if (section == nullptr) return std::nullopt;
  indexKeys(*section);
  const auto found = section->keys.find(foldCase(trimBlanks(key)));
  if (found == section->keys.end()) return std::nullopt;
  return std::string(unquote(rawValueAt(*section, found->second)));
}

bool ProfileDocument::hasSection(std::string_view section) const {
  return findSection(section) != nullptr;
}

void ProfileDocument::setValue(std::string_view sectionName, std::string_view keyName,
                               std::string_view value) {
  const std::string cleanSection(trimBlanks(withoutLineBreaks(sectionName)));
  const std::string cleanKey(trimBlanks(withoutLineBreaks(keyName)));
  std::string cleanValue = withoutLineBreaks(value);
  modified_ = true;

  const std::string foldedSection = foldCase(cleanSection);
  auto sectionSlot = sectionsByName_.find(foldedSection);
  if (sectionSlot == sectionsByName_.end()) {
    Section added;
    added.name = cleanSection;
    added.keysIndexed = true;
    sections_.push_back(std::move(added));
    sectionSlot = sectionsByName_.emplace(foldedSection, sections_.size() - 1).first;
  }
  Section& section = sections_[sectionSlot->second];
  indexKeys(section);

  std::string foldedKey = foldCase(cleanKey);
  const auto keySlot = section.keys.find(foldedKey);
  if (keySlot == section.keys.end()) {
    section.addedKeys.push_back({cleanKey, std::move(cleanValue)});
    section.keys.emplace(std::move(foldedKey), KeyPlace{true, section.addedKeys.size() - 1});
  } else if (keySlot->second.added) {
    section.addedKeys[keySlot->second.index].value = std::move(cleanValue);
  } else {
    replacedValues_[keySlot->second.index] = std::move(cleanValue);
  }
}

std::string ProfileDocument::text() const {
  if (!modified_) return bytes_;

  // Which section's added keys follow which line.
  std::vector<std::size_t> sectionAfterLine(lines_.size(), kNoLine);
  std::size_t addedBytes = 0;
  for (std::size_t index = 0; index < sections_.size(); ++index) {
    const Section& section = sections_[index];
    for (const AddedKey& key : section.addedKeys)
      addedBytes += key.name.size() + key.value.size() + 3;
    if (section.headerLine != kNoLine && !section.addedKeys.empty()) {
      sectionAfterLine[section.anchorLine] = index;
    }
  }

  std::string result;
  result.reserve(bytes_.size() + addedBytes + replacedValues_.size() * 16);
  const auto appendKeys = [&result](const Section& section) {
    for (const AddedKey& key : section.addedKeys) {
      result.append(key.name).append("=").append(key.value).append(kLineBreak);
    }
  };

  for (std::size_t index = 0; index < lines_.size(); ++index) {
    const Line& line = lines_[index];
    const auto replaced = replacedValues_.find(index);
    if (replaced != replacedValues_.end()) {
      result.append(keyNameOf(lineText(index))).append("=").append(replaced->second);
      result.append(kLineBreak);
    } else {
      result.append(bytes_, line.offset, line.length + line.breakLength);
      if (sectionAfterLine[index] != kNoLine && line.breakLength == 0) result.append(kLineBreak);
    }
    if (sectionAfterLine[index] != kNoLine) appendKeys(sections_[sectionAfterLine[index]]);
  }

  for (const Section& section : sections_) {
    if (section.headerLine != kNoLine) continue;
    if (!result.empty() && result.back() != '\n' && result.back() != '\r') {
      result.append(kLineBreak);
    }
    result.append("[").append(section.name).append("]").append(kLineBreak);
    appendKeys(section);
  }
  return result;
}

}  // namespace tarvel::platform
