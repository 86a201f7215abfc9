#pragma once
// The few scanf conversions a log line, a log file name and a MONTH argument are read with,
// implemented here so that every C runtime reads a field alike. The rules are those of the
// 64-bit GNU C library in the "C" locale, where the C standard leaves a choice (numbers out of
// range above all).
//
// Each scanner reads a NUL-terminated text at p. On a match it stores its value and moves p
// past what it read; on a failure it stores nothing and p is left where the failing scan
// stopped, which callers need not know: a failed scan ends the whole scan.
#include <cstddef>
#include <cstdint>

// White space as the format's white-space directives and the conversions skip it.
inline bool IsScanSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

inline bool IsDecimalDigit(char c) {
    return c >= '0' && c <= '9';
}

// A white-space directive: any run of white space, also none.
inline void SkipScanSpace(const char*& p) {
    while (IsScanSpace(*p)) {
        ++p;
    }
}

// An ordinary character of the format: it must come next, white space is not skipped.
inline bool ScanLiteral(const char*& p, char c) {
    if (*p != c) {
        return false;
    }
    ++p;
    return true;
}

// "%u": white space, an optional sign and decimal digits, read as a 64-bit unsigned long is
// (saturating at 2^64 - 1, a minus negating modulo 2^64), then taken modulo 2^32.
bool ScanUnsigned(const char*& p, uint32_t& value);

// "%hu": the same, taken modulo 2^16.
bool ScanUnsignedShort(const char*& p, uint16_t& value);

// "%lf": white space, then a decimal number with an optional exponent, "inf", "infinity",
// "nan" or a hexadecimal number with an optional binary exponent, each with an optional sign
// and letters of either case, correctly rounded. Only the three letters of "nan" are read, so
// "nan(...)" gives a plain NaN and leaves the parenthesis.
bool ScanDouble(const char*& p, double& value);

// "%N[^\t]" with N = width: one to width characters up to the next TAB or the end, stored
// with a NUL after them. Nothing is skipped before it, and nothing is stored when no
// character is there.
bool ScanNotTab(const char*& p, char* out, size_t width);

// The common spelling of a spot length, for the loader's straight-line path: digits, an
// optional point and digits, at most 15 digits in all, then a field or line end (TAB, CR, LF,
// space or NUL) at end or p == end. Gives exactly what ScanDouble gives for it; false for
// anything else.
[[nodiscard]] bool ReadPlainDecimal(const char* p, const char* end, double& value);
