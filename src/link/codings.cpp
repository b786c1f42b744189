// Encoding and decoding of the protocol's number formats.
#include "link/codings.h"

namespace avz {

namespace {
int charValue(std::string_view text, std::size_t pos) {
    const int c = pos < text.size() ? static_cast<unsigned char>(text[pos]) : kCodingOffset;
    return c - kCodingOffset;
}
}  // namespace

std::int32_t decode3(std::string_view text, std::size_t pos) {
    return charValue(text, pos) * 4096 + charValue(text, pos + 1) * 64 + charValue(text, pos + 2);
}

std::int32_t decode3Clamped(std::string_view text, std::size_t pos) {
    const std::int32_t v = decode3(text, pos);
    return (v > 65535 || v < 0) ? kNoValue : v;
}

std::string encode3(std::uint32_t value) {
    std::string s(3, '0');
    s[0] = static_cast<char>(kCodingOffset + ((value >> 12) & 0x3F));
    s[1] = static_cast<char>(kCodingOffset + ((value >> 6) & 0x3F));
    s[2] = static_cast<char>(kCodingOffset + (value & 0x3F));
    return s;
}

std::uint64_t decode6(std::string_view text, std::size_t pos) {
    const auto a = static_cast<std::uint64_t>(static_cast<std::uint32_t>(decode3(text, pos)));
    const auto b = static_cast<std::uint64_t>(static_cast<std::uint32_t>(decode3(text, pos + 3)));
    return (a & 0xFFFFFFFFu) * 65536u + (b & 0xFFFFFFFFu);
}

std::string encode6(std::uint64_t value) {
    return encode3(static_cast<std::uint32_t>(value / 65536u)) + encode3(static_cast<std::uint32_t>(value % 65536u));
}

int hexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

char hexDigit(int value) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    return kDigits[value & 0xF];
}

}  // namespace avz
