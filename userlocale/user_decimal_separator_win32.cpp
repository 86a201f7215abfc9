// The user's decimal separator on Windows.
#include <windows.h>

#include "base/cp1250.h"
#include "userlocale/user_decimal_separator.h"

char UserDecimalSeparator() {
    wchar_t separator[8] = {};
    if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8) != 2) {
        return '.';  // empty, longer than one character, or no answer
    }
    const int byte = UnicodeToCp1250(static_cast<char32_t>(separator[0]));
    return byte >= 0 ? static_cast<char>(byte) : '.';
}
