#include "base/cp1250.h"

#include <algorithm>
#include <array>
#include <utility>

namespace {

// (character, byte) for the upper half, sorted by character, for the reverse lookup.
const std::array<std::pair<char16_t, unsigned char>, 128>& ReverseTable() {
    static const auto table = [] {
        std::array<std::pair<char16_t, unsigned char>, 128> pairs{};
        for (int i = 0; i < 128; ++i) {
            pairs[i] = {cp1250_detail::kUpperHalf[i], static_cast<unsigned char>(0x80 + i)};
        }
        std::sort(pairs.begin(), pairs.end());
        return pairs;
    }();
    return table;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

}  // namespace

char16_t Cp1250ToUnicode(unsigned char byte) {
    return byte < 0x80 ? static_cast<char16_t>(byte) : cp1250_detail::kUpperHalf[byte - 0x80];
}

int UnicodeToCp1250(char32_t character) {
    if (character < 0x80) {
        return static_cast<int>(character);
    }
    if (character == 0xFFFD || character > 0xFFFF) {
        return -1;
    }
    const auto& table = ReverseTable();
    const auto key = static_cast<char16_t>(character);
    const auto it = std::lower_bound(table.begin(), table.end(),
                                     std::make_pair(key, static_cast<unsigned char>(0)));
    return it != table.end() && it->first == key ? it->second : -1;
}

std::string Cp1250ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (const char byte : bytes) {
        AppendUtf8(out, Cp1250ToUnicode(static_cast<unsigned char>(byte)));
    }
    return out;
}

std::u16string Cp1250ToUtf16(std::string_view bytes) {
    std::u16string out(bytes.size(), u'\0');
    for (size_t i = 0; i < bytes.size(); ++i) {
        out[i] = Cp1250ToUnicode(static_cast<unsigned char>(bytes[i]));
    }
    return out;
}

std::string Utf16ToCp1250(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] < 0xE000) {
            ++i;  // a surrogate pair: outside the code page
            c = 0x10000;
        }
        const int byte = UnicodeToCp1250(c);
        out += byte < 0 ? '?' : static_cast<char>(byte);
    }
    return out;
}

bool DecodeUtf8(std::string_view text, size_t& i, char32_t& c) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const size_t length = lead < 0x80         ? 1
                          : (lead >> 5) == 6  ? 2
                          : (lead >> 4) == 14 ? 3
                          : (lead >> 3) == 30 ? 4
                                              : 0;
    if (length == 0 || i + length > text.size()) {
        return false;
    }
    c = length == 1 ? lead : length == 2 ? lead & 0x1F : length == 3 ? lead & 0x0F : lead & 0x07;
    for (size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[i + k]);
        if ((next & 0xC0) != 0x80) {
            return false;
        }
        c = (c << 6) | (next & 0x3F);
    }
    i += length;
    return true;
}

std::string Utf8ToCp1250(std::string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size();) {
        char32_t c = 0;
        const bool valid = DecodeUtf8(text, i, c);
        const int byte = valid ? UnicodeToCp1250(c) : -1;
        out += byte < 0 ? '?' : static_cast<char>(byte);
        i += valid ? 0 : 1;
    }
    return out;
}
