// The profile document takes any bytes, keeps them when nothing is written, and after any
// writes reads back what was written (blanks and quotes included), never letting a written text
// add a line of its own.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>
#include <utility>

#include "platform/cp1251.h"
#include "platform/profile_document.h"
#include "platform/text.h"

namespace {

using tarvel::platform::foldCase;
using tarvel::platform::ProfileDocument;
using tarvel::platform::trimBlanks;

void check(bool condition) {
  if (!condition) std::abort();
}

// A name the plug-in could pass: the characters that make a line a header, a comment or a
// key's end cannot be in one, nor line breaks (those are turned into spaces anyway).
std::string nameFrom(FuzzedDataProvider& data) {
  std::string name;
  for (const char c : data.ConsumeRandomLengthString(12)) {
    if (c != '=' && c != '[' && c != ']' && c != ';' && c != '\r' && c != '\n') name += c;
  }
  return std::string(trimBlanks(name));
}

// What a reader sees of a written value: line breaks became spaces; blanks and quotes stay.
std::string asRead(std::string value) {
  for (char& c : value) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return value;
}

std::size_t lineCount(const std::string& text) {
  std::size_t lines = 0;
  for (std::size_t position = 0; position < text.size(); ++lines) {
    const std::size_t end = text.find_first_of("\r\n", position);
    if (end == std::string::npos) {
      position = text.size();
    } else {
      position =
          end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
    }
  }
  return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, std::size_t size) {
  FuzzedDataProvider data(bytes, size);
  const std::string original = data.ConsumeRandomLengthString(4096);
  const ProfileDocument untouched(original);
  check(untouched.text() == original);

  ProfileDocument document(original);
  // The last value written to each key, by folded section and key name.
  std::map<std::pair<std::string, std::string>,
           std::pair<std::pair<std::string, std::string>, std::string>>
      written;
  std::size_t addedLines = 0;
  std::map<std::string, bool> addedSections;
  const int edits = data.ConsumeIntegralInRange(0, 8);
  for (int edit = 0; edit < edits; ++edit) {
    const std::string section = nameFrom(data);
    const std::string key = nameFrom(data);
    const std::string value = data.ConsumeRandomLengthString(40);
    const auto folded = std::make_pair(foldCase(section), foldCase(key));
    const bool known = untouched.value(section, key).has_value() || written.count(folded) != 0;
    if (!known) {
      ++addedLines;
      if (!untouched.hasSection(section) && !addedSections[foldCase(section)]) {
        addedSections[foldCase(section)] = true;
        ++addedLines;
      }
    }
    document.setValue(section, key, value);
    written[folded] = {{section, key}, value};
    check(document.value(section, key) == asRead(value));
  }

  const std::string text = document.text();
  const ProfileDocument reread(text);
  for (const auto& [folded, entry] : written) {
    const auto& [names, value] = entry;
    check(reread.value(names.first, names.second) == asRead(value));
  }
  check(lineCount(text) == lineCount(original) + addedLines);
  if (edits == 0) check(text == original);
  return 0;
}
