// Password scrambling: the stored connection password is combined with a built-in key and a
// user key by exclusive-or and kept as hexadecimal text. It keeps the password from being read
// at a glance; it is no encryption. Byte strings may hold any byte, 0 included.
#pragma once

#include <string>
#include <string_view>

namespace tarvel::settings {

// The user key every stored password is scrambled with.
inline constexpr std::string_view kPasswordUserKey = "qzrw";

// Data combined with the keys; empty when userKey is empty. Applying it twice gives Data back.
std::string ScrambleXor(std::string_view userKey, std::string_view data);

// ScrambleXor's bytes as upper-case hexadecimal digits, high half first.
std::string ScrambleToHex(std::string_view userKey, std::string_view plain);

// The clear text of hexadecimal text: each pair of digits (either case) is one byte, high half
// first; a final unpaired digit is ignored. The plug-in never stores anything else, but a value
// edited by hand may hold other characters: decoding stops before the first pair that is not
// two hexadecimal digits, so the result is the clear text of the pairs before it. Never fails.
std::string UnscrambleFromHex(std::string_view userKey, std::string_view hex);

}  // namespace tarvel::settings
