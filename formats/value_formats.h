#pragma once
// Value texts of the dialog controls: integers, hexadecimal numbers, real numbers (plain and
// digit-grouped) and dates, to and from the 8-bit text the controls show. Pure text work.
//
// The readers never fail: unreadable text gives 0, 0.0 or the all-zero date. Numbers beyond
// 32 bits saturate the way the C library's 32-bit `long` conversions do (strtol / strtoul), so
// the result is the same on every platform.
#include <cstdint>
#include <string>

// The date of the date bindings; all three 0 means no date.
struct DateRecord {
    uint8_t day;
    uint8_t month;
    uint16_t year;
};

// Three numbers as scanned by "%u.%u.%u"; those after the first mismatch stay 0.
struct ScannedDate {
    uint32_t day;
    uint32_t month;
    uint32_t year;
};

// Flags of the integer and real binding forms.
constexpr uint32_t kBindZeroAsEmpty = 1u << 0;
constexpr uint32_t kBindAcceptZero = 1u << 1;  // real edit: 0 accepted outside the limits
constexpr uint32_t kBindGrouped0 = 1u << 2;    // real edit: grouped, no decimals, display only
constexpr uint32_t kBindGrouped2 = 1u << 3;    // real edit: grouped, two decimals, display only

// Text read from a control for conversion, and text written to one.
constexpr int kReadTextMax = 255;
constexpr int kWriteTextMax = 99;
constexpr int kGroupedBufferSize = 200;

std::string IntToText(int32_t value);                          // "%d"
std::string IntToTextOrEmpty(int32_t value, uint32_t flags);   // "" for 0 with kBindZeroAsEmpty
int32_t TextToInt(const char* text);                           // as scanned by "%d"
std::string HexToText(uint32_t value);                         // "%X"
std::string HexToTextOrEmpty(uint32_t value, uint32_t flags);  // "" for 0 with kBindZeroAsEmpty
uint32_t TextToHex(const char* text);                          // as scanned by "%X"

std::string RealToText(double value);  // "%.*g" with precision 15
// Longest leading decimal number (sign, digits, point, digits, exponent); none gives 0.0.
double TextToReal(const char* text);
// The real edit's reader: every comma counts as a decimal point.
double EditTextToReal(const char* text);
std::string ReplaceCommas(std::string text);

// The text of a real-number edit: zero as empty, the binding's own format (which must take one
// double and produce at most 99 characters), the grouped modes, else "%.*g" with precision 15.
std::string RealToControlText(double value, const char* format, uint32_t flags);

// "%.2lf" / "%.0lf" with the integer digits grouped by three with spaces (1 234 567.89), cut to
// capacity - 1 characters and terminated; nothing is written when capacity is 0 or less.
void FormatThousands2(double value, char* out, int32_t capacity);
void FormatThousands0(double value, char* out, int32_t capacity);

std::string DateToText(DateRecord date);  // "%u.%u.%u", "" for the all-zero date
ScannedDate TextToDate(const char* text);
// 1..31, 1..12, 1800..2100, or the all-zero empty date; the month's length is not checked.
bool IsAcceptedDate(ScannedDate date);
DateRecord ToDateRecord(ScannedDate accepted);
