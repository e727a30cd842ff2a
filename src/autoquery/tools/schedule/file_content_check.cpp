#include "autoquery/tools/schedule/file_content_check.h"

#include <cstddef>
#include <string>

#include "autoquery/core/settings_code_page.h"
#include "autoquery/tools/schedule/schedule_texts.h"

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

std::string describeRun(const ByteRun& run) {
  return std::to_string(run.count) + text::kFirstAtOffset + std::to_string(run.first) + ")";
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
  if (isSettingsFileInUtf8(bytes)) {
    findings.push_back({"text-utf8", "", "", settingsFileInUtf8Message(registry)});
  }
  return findings;
}

}  // namespace tarvel::autoquery::schedule
