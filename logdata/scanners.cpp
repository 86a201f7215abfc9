#include "logdata/scanners.h"

#include <charconv>
#include <cstring>
#include <limits>
#include <system_error>

namespace {

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsHexDigit(char c) {
    const char lower = Lower(c);
    return IsDecimalDigit(c) || (lower >= 'a' && lower <= 'f');
}

// What strtoul makes of the digits with a 64-bit unsigned long.
bool ScanUnsignedLong(const char*& p, uint64_t& value) {
    SkipScanSpace(p);
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p++ == '-';
    }
    if (!IsDecimalDigit(*p)) {
        return false;
    }
    uint64_t number = 0;
    bool overflow = false;
    for (; IsDecimalDigit(*p); ++p) {
        const auto digit = static_cast<uint64_t>(*p - '0');
        if (number > (UINT64_MAX - digit) / 10) {
            overflow = true;
        }
        number = number * 10 + digit;
    }
    value = overflow ? UINT64_MAX : negative ? 0 - number : number;
    return true;
}

// Whether a number that from_chars found out of range is too large (rather than too small)
// for a double: its order of magnitude, digits before the point plus the exponent, is
// positive. digits ends where from_chars stopped.
bool IsOverflow(const char* digits, const char* end, bool hex) {
    const char exponentChar = hex ? 'p' : 'e';
    int64_t order = 0;  // in digits
    bool nonZero = false;
    bool afterPoint = false;
    const char* p = digits;
    for (; p < end && Lower(*p) != exponentChar; ++p) {
        if (*p == '.') {
            afterPoint = true;
        } else if (!afterPoint && (nonZero || *p != '0')) {
            nonZero = true;
            ++order;
        } else if (afterPoint && !nonZero) {
            nonZero = *p != '0';
            order -= !nonZero;
        }
    }
    order *= hex ? 4 : 1;  // a hexadecimal exponent counts bits
    if (p < end) {
        ++p;
        const bool negative = *p == '-';
        p += *p == '-' || *p == '+';
        int64_t exponent = 0;
        for (; p < end && IsDecimalDigit(*p); ++p) {
            exponent = exponent < (int64_t{1} << 40) ? exponent * 10 + (*p - '0') : exponent;
        }
        order += negative ? -exponent : exponent;
    }
    return order > 0;
}

// strtod of [text, end), the characters the scan collected, without their sign; false when
// it reads none of them.
bool ConvertCollected(const char* text, const char* end, bool hex, double& value) {
    const char* digits = hex ? text + 2 : text;
    const auto [stop, error] = std::from_chars(
        digits, end, value, hex ? std::chars_format::hex : std::chars_format::general);
    if (error == std::errc::invalid_argument) {
        // "0x" without a hexadecimal digit after it reads as the 0 before the x.
        value = 0.0;
        return hex;
    }
    if (error == std::errc::result_out_of_range) {
        value = IsOverflow(digits, stop, hex) ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return true;
}

// The rest of "infinity" after "inf": all of it or none; a partial spelling fails the scan.
bool ScanInfinity(const char*& p) {
    if (Lower(*p) != 'i') {
        return true;
    }
    for (const char c : {'i', 'n', 'i', 't', 'y'}) {
        if (Lower(*p) != c) {
            return false;
        }
        ++p;
    }
    return true;
}

}  // namespace

bool ScanUnsigned(const char*& p, uint32_t& value) {
    uint64_t number = 0;
    if (!ScanUnsignedLong(p, number)) {
        return false;
    }
    value = static_cast<uint32_t>(number);
    return true;
}

bool ScanUnsignedShort(const char*& p, uint16_t& value) {
    uint64_t number = 0;
    if (!ScanUnsignedLong(p, number)) {
        return false;
    }
    value = static_cast<uint16_t>(number);
    return true;
}

bool ScanDouble(const char*& p, double& value) {
    SkipScanSpace(p);
    if (*p == '\0') {
        return false;
    }
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p++ == '-';
        if (*p == '\0') {
            return false;
        }
    }
    const auto sign = [negative](double magnitude) { return negative ? -magnitude : magnitude; };
    if (Lower(p[0]) == 'n') {
        if (Lower(p[1]) != 'a' || Lower(p[2]) != 'n') {
            return false;
        }
        p += 3;
        value = sign(std::numeric_limits<double>::quiet_NaN());
        return true;
    }
    if (Lower(p[0]) == 'i') {
        if (Lower(p[1]) != 'n' || Lower(p[2]) != 'f') {
            return false;
        }
        p += 3;
        if (!ScanInfinity(p)) {
            return false;
        }
        value = sign(std::numeric_limits<double>::infinity());
        return true;
    }
    // The characters the scan takes for a number, as the C library collects them before it
    // converts them: more than a number may need ("1e+" is taken whole, read as 1).
    const char* start = p;
    const bool hex = p[0] == '0' && Lower(p[1]) == 'x';
    const char exponentChar = hex ? 'p' : 'e';
    bool gotDigit = false;
    bool gotDot = false;
    bool gotExponent = false;
    if (hex) {
        p += 2;
    } else if (*p == '0') {
        ++p;
        gotDigit = true;
    }
    for (;; ++p) {
        const char c = *p;
        if (IsDecimalDigit(c) || (hex && !gotExponent && IsHexDigit(c))) {
            gotDigit = true;
        } else if (gotExponent && Lower(p[-1]) == exponentChar && (c == '-' || c == '+')) {
        } else if (gotDigit && !gotExponent && Lower(c) == exponentChar) {
            gotExponent = gotDot = true;
        } else if (!gotDot && c == '.') {
            gotDot = true;
        } else {
            break;
        }
    }
    if (p == start || (hex && p == start + 2)) {
        return false;
    }
    double magnitude = 0.0;
    if (!ConvertCollected(start, p, hex, magnitude)) {
        return false;
    }
    value = sign(magnitude);
    return true;
}

bool ScanNotTab(const char*& p, char* out, size_t width) {
    size_t count = 0;
    while (count < width && p[count] != '\0' && p[count] != '\t') {
        ++count;
    }
    if (count == 0) {
        return false;
    }
    std::memcpy(out, p, count);
    out[count] = '\0';
    p += count;
    return true;
}

// The digits make an exact integer below 2^53 and the divisor an exact power of ten, so one
// correctly rounded division gives the correctly rounded value.
bool ReadPlainDecimal(const char* p, const char* end, double& value) {
    static constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                              1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    if (p == end || !IsDecimalDigit(*p)) {
        return false;
    }
    uint64_t digits = 0;
    int count = 0;
    int decimals = 0;
    for (; p < end && IsDecimalDigit(*p); ++p) {
        if (++count > 15) {
            return false;
        }
        digits = digits * 10 + static_cast<uint64_t>(*p - '0');
    }
    if (p < end && *p == '.') {
        for (++p; p < end && IsDecimalDigit(*p); ++p) {
            if (++count > 15) {
                return false;
            }
            digits = digits * 10 + static_cast<uint64_t>(*p - '0');
            ++decimals;
        }
    }
    if (p < end && *p != '\t' && *p != '\r' && *p != '\n' && *p != ' ' && *p != '\0') {
        return false;
    }
    value = static_cast<double>(digits) / kPowersOfTen[decimals];
    return true;
}
