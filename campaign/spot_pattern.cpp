#include "campaign/spot_pattern.h"

#include <algorithm>
#include <array>

#include "base/cp1250.h"
#include "base/paths.h"

namespace {

// Simple upper-case mappings of the letters Windows-1250 has.
constexpr char32_t UpperOf(char32_t c) {
    if (c >= 'a' && c <= 'z') {
        return c - 32;
    }
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) {
        return c - 0x20;
    }
    if ((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177)) {
        return c & ~char32_t{1};
    }
    if (((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) && c % 2 == 0) {
        return c - 1;
    }
    return c;
}

constexpr std::array<unsigned char, 256> MakeFoldTable() {
    std::array<unsigned char, 256> table{};
    for (int byte = 0; byte < 256; ++byte) {
        const char32_t c =
            byte < 0x80 ? static_cast<char32_t>(byte) : cp1250_detail::kUpperHalf[byte - 0x80];
        const int upper = c == 0xFFFD ? -1 : cp1250_detail::ByteOf(UpperOf(c));
        table[byte] = static_cast<unsigned char>(upper >= 0 ? upper : byte);
    }
    return table;
}

constexpr std::array<unsigned char, 256> kFold = MakeFoldTable();

// Glob matching with backtracking to the last star: linear for the patterns of a booking.
bool GlobMatches(std::string_view pattern, std::string_view name) {
    size_t p = 0;
    size_t n = 0;
    size_t star = std::string_view::npos;
    size_t resume = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            resume = n;
        } else if (p < pattern.size() &&
                   static_cast<char>(kFold[static_cast<unsigned char>(name[n])]) == pattern[p]) {
            ++p;
            ++n;
        } else if (star != std::string_view::npos) {
            p = star + 1;
            n = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') {
        ++p;
    }
    return p == pattern.size();
}

}  // namespace

unsigned char FoldCase(unsigned char byte) {
    return kFold[byte];
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (FoldCase(static_cast<unsigned char>(a[i])) !=
            FoldCase(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

SpotPattern::SpotPattern(std::string_view spot) : wholeName_(spot.find('\\') != spot.npos) {
    for (const char c : spot) {
        folded_ += static_cast<char>(FoldCase(static_cast<unsigned char>(c)));
    }
}

bool SpotPattern::Matches(std::string_view name) const {
    return GlobMatches(folded_, wholeName_ ? name : NameWithoutFolders(name));
}

// Two patterns that both hold a star meet when their parts before the first star agree (one
// begins the other) and their parts after the last star agree (one ends the other): the stars
// can take up everything in between. A pattern without a star is one name.
bool SpotPattern::MayOverlap(const SpotPattern& other) const {
    const std::string& a = folded_;
    const std::string& b = other.folded_;
    const size_t starA = a.find('*');
    const size_t starB = b.find('*');
    if (starA == std::string::npos) {
        return GlobMatches(b, a);
    }
    if (starB == std::string::npos) {
        return GlobMatches(a, b);
    }
    const size_t head = std::min(starA, starB);
    const size_t tail = std::min(a.size() - 1 - a.rfind('*'), b.size() - 1 - b.rfind('*'));
    return a.compare(0, head, b, 0, head) == 0 &&
           a.compare(a.size() - tail, tail, b, b.size() - tail, tail) == 0;
}
