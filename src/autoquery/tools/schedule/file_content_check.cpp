#include "autoquery/tools/schedule/file_content_check.h"

#include <QString>
#include <cstddef>
#include <optional>
#include <string>

#include "autoquery/tools/schedule/schedule_texts.h"
#include "platform/cp1251.h"

namespace tarvel::autoquery::schedule {
namespace {

// Bytes of one kind: how many, and the offset of the first.
struct ByteRun {
  std::size_t count = 0;
  std::size_t first = 0;
  void add(std::size_t offset) {
    if (count++ == 0) first = offset;
  }
};

// Control bytes no settings text holds; tab, line breaks, vertical tab and form feed may.
bool isBinaryControl(unsigned char byte) {
  return (byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\v' && byte != '\f' &&
          byte != '\r') ||
         byte == 0x7F;
}

// The code point of a well-formed UTF-8 sequence starting at offset and its length, or nothing.
std::optional<std::pair<char32_t, std::size_t>> utf8At(std::string_view bytes, std::size_t offset) {
  const auto lead = static_cast<unsigned char>(bytes[offset]);
  std::size_t length = 0;
  char32_t point = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, point = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, point = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, point = lead & 0x07;
  } else {
    return std::nullopt;
  }
  if (offset + length > bytes.size()) return std::nullopt;
  for (std::size_t next = 1; next < length; ++next) {
    const auto byte = static_cast<unsigned char>(bytes[offset + next]);
    if ((byte & 0xC0) != 0x80) return std::nullopt;
    point = (point << 6) | (byte & 0x3F);
  }
  // Overlong forms, surrogates and points beyond Unicode are no UTF-8.
  static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (point < kSmallest[length] || (point >= 0xD800 && point <= 0xDFFF) || point > 0x10FFFF) {
    return std::nullopt;
  }
  return std::pair{point, length};
}

// Text beyond ASCII that is all well-formed UTF-8 and writes Cyrillic letters: saved by a
// program that does not write Windows-1251. Real Windows-1251 text is almost never valid UTF-8.
bool isCyrillicUtf8(std::string_view bytes) {
  bool cyrillic = false;
  for (std::size_t offset = 0; offset < bytes.size();) {
    if (static_cast<unsigned char>(bytes[offset]) < 0x80) {
      ++offset;
      continue;
    }
    const auto sequence = utf8At(bytes, offset);
    if (!sequence) return false;
    cyrillic = cyrillic || (sequence->first >= 0x400 && sequence->first <= 0x4FF);
    offset += sequence->second;
  }
  return cyrillic;
}

std::string describeRun(const ByteRun& run) {
  return std::to_string(run.count) + text::kFirstAtOffset + std::to_string(run.first) + ")";
}

// A station name of the file read as the plug-in reads it and as its writer meant it.
std::string garbledNameExample(const tAutoAZS& registry) {
  for (int32_t position = 0; position < registry.Count(); ++position) {
    const std::string& name = registry.Items(position).AZSName;
    if (!isCyrillicUtf8(name)) continue;
    return text::kForExample + ("\"" + name + "\"") + text::kInsteadOf +
           ("\"" + platform::fromUnicode(QString::fromUtf8(name.data(), qsizetype(name.size()))) +
            "\"");
  }
  return {};
}

}  // namespace

std::vector<Finding> checkFileContent(std::string_view bytes, const tAutoAZS& registry) {
  ByteRun nul;
  ByteRun control;
  for (std::size_t offset = 0; offset < bytes.size(); ++offset) {
    const auto byte = static_cast<unsigned char>(bytes[offset]);
    if (byte == 0) {
      nul.add(offset);
    } else if (isBinaryControl(byte)) {
      control.add(offset);
    }
  }
  std::vector<Finding> findings;
  if (nul.count > 0) {
    findings.push_back({"content-nul", "", "", text::kContentNul + describeRun(nul)});
  }
  if (control.count > 0) {
    findings.push_back({"content-binary", "", "", text::kContentBinary + describeRun(control)});
  }
  if (nul.count == 0 && control.count == 0 && isCyrillicUtf8(bytes)) {
    findings.push_back({"text-utf8", "", "", text::kTextUtf8 + garbledNameExample(registry)});
  }
  return findings;
}

}  // namespace tarvel::autoquery::schedule
