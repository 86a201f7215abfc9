#include "userlocale/user_decimal_separator.h"

#include <langinfo.h>
#include <locale.h>

#include <string>

#include "base/cp1250.h"

namespace {

// The radix character is in the locale's own encoding: a single byte or UTF-8.
char RadixToCp1250(const char* radix) {
    const std::string text(radix);
    if (text.size() == 1 && static_cast<unsigned char>(text[0]) < 0x80) {
        return text[0];
    }
    const auto lead = text.empty() ? 0u : static_cast<unsigned char>(text[0]);
    if (text.size() == 2 && (lead & 0xE0) == 0xC0) {
        const char32_t character =
            ((lead & 0x1Fu) << 6) | (static_cast<unsigned char>(text[1]) & 0x3Fu);
        const int byte = UnicodeToCp1250(character);
        if (byte >= 0) {
            return static_cast<char>(byte);
        }
    }
    return '.';
}

}  // namespace

char UserDecimalSeparator() {
    // A locale object of its own: the process locale stays as it is.
    locale_t numeric = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(0));
    if (numeric == static_cast<locale_t>(0)) {
        return '.';
    }
    const char separator = RadixToCp1250(nl_langinfo_l(RADIXCHAR, numeric));
    freelocale(numeric);
    return separator;
}
