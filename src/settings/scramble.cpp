#include "settings/scramble.h"

#include <array>

namespace tarvel::settings {
namespace {

// The built-in half of the key.
constexpr std::string_view kInternalKey = "greenlanternsburnbrightlyatdusk";
static_assert(kInternalKey.size() == 31);

int hexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

std::string ScrambleXor(std::string_view userKey, std::string_view data) {
  if (userKey.empty()) return {};
  std::array<char, kInternalKey.size()> key{};
  for (std::size_t i = 0; i < key.size(); ++i) {
    key[i] = static_cast<char>(kInternalKey[i] ^ userKey[i % userKey.size()]);
  }
  std::string result(data);
  for (std::size_t i = 0; i < result.size(); ++i) {
    result[i] = static_cast<char>(result[i] ^ key[i % key.size()]);
  }
  return result;
}

std::string ScrambleToHex(std::string_view userKey, std::string_view plain) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  const std::string scrambled = ScrambleXor(userKey, plain);
  std::string hex;
  hex.reserve(scrambled.size() * 2);
  for (const char byte : scrambled) {
    const auto value = static_cast<unsigned char>(byte);
    hex.push_back(kDigits[value >> 4]);
    hex.push_back(kDigits[value & 0x0F]);
  }
  return hex;
}

std::string UnscrambleFromHex(std::string_view userKey, std::string_view hex) {
  std::string bytes;
  bytes.reserve(hex.size() / 2);
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
    const int high = hexDigitValue(hex[i]);
    const int low = hexDigitValue(hex[i + 1]);
    if (high < 0 || low < 0) break;
    bytes.push_back(static_cast<char>(high * 16 + low));
  }
  return ScrambleXor(userKey, bytes);
}

}  // namespace tarvel::settings
