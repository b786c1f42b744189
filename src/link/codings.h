// The number codings of the sensor protocol: 3-character (6 bits a character, offset "0"), 6-character and
// upper-case hexadecimal digits.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace avz {

inline constexpr int kCodingOffset = 0x30;
inline constexpr std::int32_t kNoValue = 65535;

// Value of the three characters starting at pos; characters beyond the end of text count as "0", so the
// decoder never reads outside the text. The raw result may be negative or above 18 bits for bad input.
std::int32_t decode3(std::string_view text, std::size_t pos);
// decode3, with results above 65535 or below 0 replaced by 65535 (no valid value).
std::int32_t decode3Clamped(std::string_view text, std::size_t pos);
// Three characters carrying value (0 .. 2^18-1; higher bits are dropped).
std::string encode3(std::uint32_t value);
// a * 65536 + b of two 3-character values, as an unsigned number.
std::uint64_t decode6(std::string_view text, std::size_t pos);
std::string encode6(std::uint64_t value);

// Value of a hexadecimal digit as the sensor's parsers compute it: code - 0x30, less 7 more when above 9.
// Returns -1 for characters that are not "0".."9" or "A".."F".
int hexDigitValue(char c);
char hexDigit(int value);  // 0..15 -> "0".."9", "A".."F"

}  // namespace avz
