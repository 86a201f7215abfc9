#include "formats/value_formats.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// White space as the C library's scanners skip it in the "C" locale.
bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

int HexDigitValue(char c) {
    if (IsDigit(c)) {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

const char* SkipBlanks(const char* p) {
    while (IsBlank(*p)) {
        ++p;
    }
    return p;
}

// Optional sign; returns true for a minus.
bool TakeSign(const char*& p) {
    if (*p == '+' || *p == '-') {
        return *p++ == '-';
    }
    return false;
}

struct Magnitude {
    bool found;      // at least one digit
    bool overflow;   // beyond 32 bits
    uint64_t value;  // meaningful below 2^32 only
};

// Digits in the given base, as far as they go.
Magnitude TakeDigits(const char*& p, int base) {
    Magnitude m{false, false, 0};
    for (int digit = HexDigitValue(*p); digit >= 0 && digit < base; digit = HexDigitValue(*p)) {
        m.found = true;
        if (!m.overflow) {
            m.value = m.value * static_cast<uint64_t>(base) + static_cast<uint64_t>(digit);
            m.overflow = m.value > UINT32_MAX;
        }
        ++p;
    }
    return m;
}

// strtoul with a 32-bit unsigned long: a minus negates modulo 2^32, overflow saturates.
uint32_t UnsignedResult(bool negative, Magnitude m) {
    if (m.overflow) {
        return UINT32_MAX;
    }
    const auto value = static_cast<uint32_t>(m.value);
    return negative ? 0u - value : value;
}

// "%u" at p; false when no number is there (a matching failure).
bool ScanUnsigned(const char*& p, uint32_t& value) {
    const char* q = SkipBlanks(p);
    const bool negative = TakeSign(q);
    const Magnitude m = TakeDigits(q, 10);
    if (!m.found) {
        return false;
    }
    value = UnsignedResult(negative, m);
    p = q;
    return true;
}

// Length of the longest leading decimal number at p: sign, digits, point, digits, exponent.
size_t DecimalNumberLength(const char* p) {
    const char* q = p;
    TakeSign(q);
    size_t digits = 0;
    for (; IsDigit(*q); ++q) {
        ++digits;
    }
    if (*q == '.') {
        ++q;
        for (; IsDigit(*q); ++q) {
            ++digits;
        }
    }
    if (digits == 0) {
        return 0;
    }
    size_t length = static_cast<size_t>(q - p);
    if (*q == 'e' || *q == 'E') {
        const char* e = q + 1;
        TakeSign(e);
        if (IsDigit(*e)) {
            while (IsDigit(*e)) {
                ++e;
            }
            length = static_cast<size_t>(e - p);
        }
    }
    return length;
}

std::string FormatReal(const char* format, double value) {
    char text[kWriteTextMax + 1];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

// Integer digits of `plain` (its first integerLength characters) grouped by three from the right.
std::string GroupDigits(const char* plain, size_t integerLength) {
    size_t digitsLeft = 0;
    for (size_t i = 0; i < integerLength; ++i) {
        digitsLeft += IsDigit(plain[i]) ? 1 : 0;
    }
    std::string grouped;
    for (size_t i = 0; plain[i] != '\0'; ++i) {
        grouped += plain[i];
        if (i < integerLength && IsDigit(plain[i])) {
            --digitsLeft;
            if (digitsLeft > 0 && digitsLeft % 3 == 0) {
                grouped += ' ';
            }
        }
    }
    return grouped;
}

void FormatGrouped(double value, const char* format, size_t fractionLength, char* out,
                   int32_t capacity) {
    if (capacity <= 0) {
        return;
    }
    out[0] = '\0';
    char plain[kGroupedBufferSize];
    std::snprintf(plain, sizeof plain, format, value);
    const size_t length = std::strlen(plain);
    const size_t integerLength = length > fractionLength ? length - fractionLength : 0;
    const std::string grouped = GroupDigits(plain, integerLength);
    const size_t copied = std::min(grouped.size(), static_cast<size_t>(capacity) - 1);
    std::memcpy(out, grouped.data(), copied);
    out[copied] = '\0';
}

}  // namespace

std::string IntToText(int32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "%d", static_cast<int>(value));
    return text;
}

std::string IntToTextOrEmpty(int32_t value, uint32_t flags) {
    return (value == 0 && (flags & kBindZeroAsEmpty)) ? std::string() : IntToText(value);
}

int32_t TextToInt(const char* text) {
    const char* p = SkipBlanks(text);
    const bool negative = TakeSign(p);
    const Magnitude m = TakeDigits(p, 10);
    // strtol with a 32-bit long: out-of-range values saturate.
    const int64_t limit = negative ? -static_cast<int64_t>(INT32_MIN) : INT32_MAX;
    const int64_t magnitude = m.overflow ? limit : std::min(static_cast<int64_t>(m.value), limit);
    return static_cast<int32_t>(negative ? -magnitude : magnitude);
}

std::string HexToText(uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "%X", static_cast<unsigned>(value));
    return text;
}

std::string HexToTextOrEmpty(uint32_t value, uint32_t flags) {
    return (value == 0 && (flags & kBindZeroAsEmpty)) ? std::string() : HexToText(value);
}

uint32_t TextToHex(const char* text) {
    const char* p = SkipBlanks(text);
    const bool negative = TakeSign(p);
    // "%X" takes an optional 0x prefix; "0x" without digits still reads as 0.
    if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X')) {
        p += 2;
    }
    return UnsignedResult(negative, TakeDigits(p, 16));
}

std::string RealToText(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*g", 15, value);
    return text;
}

double TextToReal(const char* text) {
    const char* p = SkipBlanks(text);
    const size_t length = DecimalNumberLength(p);
    if (length == 0) {
        return 0.0;
    }
    // Only the number itself reaches strtod, so hexadecimal, "inf" and "nan" never read.
    const std::string number(p, length);
    return std::strtod(number.c_str(), nullptr);
}

std::string ReplaceCommas(std::string text) {
    for (char& c : text) {
        if (c == ',') {
            c = '.';
        }
    }
    return text;
}

double EditTextToReal(const char* text) {
    return TextToReal(ReplaceCommas(text).c_str());
}

std::string RealToControlText(double value, const char* format, uint32_t flags) {
    if (value == 0.0 && (flags & kBindZeroAsEmpty)) {
        return std::string();
    }
    if (format != nullptr) {
        return FormatReal(format, value);
    }
    char text[kWriteTextMax + 1];
    if (flags & kBindGrouped0) {
        FormatThousands0(value, text, sizeof text);
        return text;
    }
    if (flags & kBindGrouped2) {
        FormatThousands2(value, text, sizeof text);
        return text;
    }
    return RealToText(value);
}

void FormatThousands2(double value, char* out, int32_t capacity) {
    FormatGrouped(value, "%.2lf", 3, out, capacity);
}

void FormatThousands0(double value, char* out, int32_t capacity) {
    FormatGrouped(value, "%.0lf", 0, out, capacity);
}

std::string DateToText(DateRecord date) {
    if (date.day == 0 && date.month == 0 && date.year == 0) {
        return std::string();
    }
    char text[32];
    std::snprintf(text, sizeof text, "%u.%u.%u", static_cast<unsigned>(date.day),
                  static_cast<unsigned>(date.month), static_cast<unsigned>(date.year));
    return text;
}

ScannedDate TextToDate(const char* text) {
    ScannedDate date{0, 0, 0};
    const char* p = text;
    if (!ScanUnsigned(p, date.day) || *p++ != '.') {
        return date;
    }
    if (!ScanUnsigned(p, date.month) || *p++ != '.') {
        return date;
    }
    ScanUnsigned(p, date.year);
    return date;
}

bool IsAcceptedDate(ScannedDate date) {
    if (date.day == 0 && date.month == 0 && date.year == 0) {
        return true;
    }
    return date.day >= 1 && date.day <= 31 && date.month >= 1 && date.month <= 12 &&
           date.year >= 1800 && date.year <= 2100;
}

DateRecord ToDateRecord(ScannedDate accepted) {
    return DateRecord{static_cast<uint8_t>(accepted.day), static_cast<uint8_t>(accepted.month),
                      static_cast<uint16_t>(accepted.year)};
}
