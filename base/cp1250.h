#pragma once
// Windows-1250, the code page of everything the program stores or writes, and its conversions
// to Unicode. The one place that knows the table.
#include <cstddef>
#include <string>
#include <string_view>

namespace cp1250_detail {

// The characters of the bytes 0x80 to 0xFF; U+FFFD where the code page has none.
inline constexpr char16_t kUpperHalf[128] = {
    0x20AC, 0xFFFD, 0x201A, 0xFFFD, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    0xFFFD, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,  // 0x88
    0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    0xFFFD, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,  // 0x98
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,  // 0xA0
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,  // 0xA8
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,  // 0xB0
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,  // 0xB8
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,  // 0xC0
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,  // 0xC8
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,  // 0xD0
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,  // 0xD8
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,  // 0xE0
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,  // 0xE8
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,  // 0xF0
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,  // 0xF8
};

// The byte of a character, or -1.
constexpr int ByteOf(char32_t character) {
    if (character < 0x80) {
        return static_cast<int>(character);
    }
    for (int i = 0; i < 128; ++i) {
        if (character != 0xFFFD && kUpperHalf[i] == character) {
            return 0x80 + i;
        }
    }
    return -1;
}

// Stops the compilation: a program text holds what the code page cannot write.
inline void NotWindows1250() {}

}  // namespace cp1250_detail

// A program text, written in the source as a UTF-8 literal, as Windows-1250 bytes made while
// compiling: Cp1250Literal{"Přehled"}. Text that is not UTF-8 or that holds a character the
// code page lacks does not compile.
template <size_t N>
struct Cp1250Literal {
    char bytes[N] = {};
    size_t size = 0;

    consteval Cp1250Literal(const char (&utf8)[N]) {
        for (size_t i = 0; i + 1 < N;) {
            const auto lead = static_cast<unsigned char>(utf8[i]);
            const size_t length = lead < 0x80         ? 1
                                  : (lead >> 5) == 6  ? 2
                                  : (lead >> 4) == 14 ? 3
                                                      : 0;
            if (length == 0 || i + length >= N) {
                cp1250_detail::NotWindows1250();
            }
            char32_t c = length == 1 ? lead : length == 2 ? lead & 0x1F : lead & 0x0F;
            for (size_t k = 1; k < length; ++k) {
                c = (c << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
            }
            const int byte = cp1250_detail::ByteOf(c);
            if (byte < 0) {
                cp1250_detail::NotWindows1250();
            }
            bytes[size++] = static_cast<char>(byte);
            i += length;
        }
    }
    constexpr operator std::string_view() const { return {bytes, size}; }
    constexpr const char* c_str() const { return bytes; }
    std::string str() const { return std::string(bytes, size); }
};

// The Unicode character of a byte; U+FFFD for the five bytes the code page leaves undefined.
char16_t Cp1250ToUnicode(unsigned char byte);

// The byte of a Unicode character, or -1 when the code page has no such character.
int UnicodeToCp1250(char32_t character);

std::string Cp1250ToUtf8(std::string_view bytes);
std::u16string Cp1250ToUtf16(std::string_view bytes);

// Characters without a byte in the code page become '?'.
std::string Utf16ToCp1250(std::u16string_view text);
// One UTF-8 character at text[i], moving i past it; false (i unchanged) where text[i] does not
// begin one.
[[nodiscard]] bool DecodeUtf8(std::string_view text, size_t& i, char32_t& c);
// The same for UTF-8; a byte that is not UTF-8 becomes '?' too.
std::string Utf8ToCp1250(std::string_view text);
