#pragma once
// Windows-1250, the code page of everything the program stores or writes, and its conversions
// to Unicode. The one place that knows the table.
#include <string>
#include <string_view>

// The Unicode character of a byte; U+FFFD for the five bytes the code page leaves undefined.
char16_t Cp1250ToUnicode(unsigned char byte);

// The byte of a Unicode character, or -1 when the code page has no such character.
int UnicodeToCp1250(char32_t character);

std::string Cp1250ToUtf8(std::string_view bytes);
std::u16string Cp1250ToUtf16(std::string_view bytes);

// Characters without a byte in the code page become '?'.
std::string Utf16ToCp1250(std::u16string_view text);
