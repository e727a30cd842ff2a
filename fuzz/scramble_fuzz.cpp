// Unscrambling takes any text; scrambling and unscrambling give the password back.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "settings/scramble.h"

namespace {

void check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, std::size_t size) {
  using namespace tarvel::settings;
  FuzzedDataProvider data(bytes, size);
  const std::string userKey = data.ConsumeRandomLengthString(8);
  const std::string text = data.ConsumeRemainingBytesAsString();

  const std::string clear = UnscrambleFromHex(userKey, text);
  check(clear.size() <= text.size() / 2);
  if (!userKey.empty()) {
    // The clear text of the leading valid pairs scrambles back to those pairs (in upper case).
    const std::string hex = ScrambleToHex(userKey, clear);
    check(hex.size() == clear.size() * 2);
    check(UnscrambleFromHex(userKey, hex) == clear);
    check(UnscrambleFromHex(userKey, ScrambleToHex(userKey, text)) == text);
  }
  check(UnscrambleFromHex(kPasswordUserKey, ScrambleToHex(kPasswordUserKey, text)) == text);
  return 0;
}
