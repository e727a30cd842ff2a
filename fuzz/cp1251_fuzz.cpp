// The codec: every byte string survives the way to Unicode and back; any Unicode text comes
// back as Windows-1251 without failing; case folding is stable.
#include <fuzzer/FuzzedDataProvider.h>

#include <QString>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/cp1251.h"

namespace {

using namespace tarvel::platform;

void check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, std::size_t size) {
  FuzzedDataProvider data(bytes, size);
  const std::string cp1251 = data.ConsumeRandomLengthString(256);
  check(fromUnicode(toUnicode(cp1251)) == cp1251);
  const std::string folded = foldCase(cp1251);
  check(foldCase(folded) == folded);
  check(equalsIgnoringCase(cp1251, folded));

  const std::vector<uint8_t> rest = data.ConsumeRemainingBytes<uint8_t>();
  std::vector<char16_t> utf16(rest.size() / 2);
  for (std::size_t index = 0; index < utf16.size(); ++index) {
    utf16[index] = static_cast<char16_t>(rest[2 * index] | (rest[2 * index + 1] << 8));
  }
  const QString text = QString::fromUtf16(utf16.data(), static_cast<qsizetype>(utf16.size()));
  const std::string encoded = fromUnicode(text);
  check(encoded.size() <= static_cast<std::size_t>(text.size()));
  // What could be encoded comes back; the rest became "?".
  const QString decoded = toUnicode(encoded);
  check(fromUnicode(decoded) == encoded);
  return 0;
}
