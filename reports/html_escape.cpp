#include "reports/html_escape.h"

#include <cstdio>

#include "base/cp1250.h"

namespace {

constexpr std::pair<std::string_view, char> kNamedReferences[] = {
    {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&nbsp;", '\xA0'}};

// Bytes with no character of their own in an attribute: controls and the undefined five.
bool WrittenAsNumber(unsigned char byte) {
    return byte < 0x20 || byte == 0x7F || Cp1250ToUnicode(byte) == 0xFFFD;
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// "&#xHH;" at html[i] as HtmlAttribute writes it: the byte, or -1.
int NumericReference(std::string_view html, size_t i) {
    if (html.substr(i, 3) != "&#x" || i + 6 > html.size() || html[i + 5] != ';') {
        return -1;
    }
    const int high = HexValue(html[i + 3]);
    const int low = HexValue(html[i + 4]);
    const int byte = high * 16 + low;
    // No name holds a NUL: it would end the name where the system reads it.
    if (high < 0 || low < 0 || byte == 0 || !WrittenAsNumber(static_cast<unsigned char>(byte))) {
        return -1;
    }
    return byte;
}

// The reference at html[i]: its byte and length, or false.
bool TakeReference(std::string_view html, size_t i, char& byte, size_t& length) {
    for (const auto& [reference, c] : kNamedReferences) {
        if (html.substr(i, reference.size()) == reference) {
            byte = c;
            length = reference.size();
            return true;
        }
    }
    const int number = NumericReference(html, i);
    byte = static_cast<char>(number);
    length = 6;
    return number >= 0;
}

}  // namespace

std::string HtmlText(std::string_view cp1250) {
    const std::string utf8 = Cp1250ToUtf8(cp1250);
    std::string html;
    html.reserve(utf8.size() + 16);
    for (size_t i = 0; i < utf8.size(); ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        if (byte == '&') {
            html += "&amp;";
        } else if (byte == '<') {
            html += "&lt;";
        } else if (byte == '>') {
            html += "&gt;";
        } else if (byte == 0xC2 && i + 1 < utf8.size() &&
                   static_cast<unsigned char>(utf8[i + 1]) == 0xA0) {
            html += "&nbsp;";  // visible in the markup, as browsers write it back
            ++i;
        } else if (byte < 0x20 || byte == 0x7F) {
            // U+2400 + byte, or U+2421 for DEL: the control pictures.
            const unsigned picture = byte == 0x7F ? 0x21 : byte;
            html += static_cast<char>(0xE2);
            html += static_cast<char>(0x90);
            html += static_cast<char>(0x80 | picture);
        } else {
            html += static_cast<char>(byte);
        }
    }
    return html;
}

std::string HtmlAttribute(std::string_view cp1250) {
    std::string html;
    for (const char c : cp1250) {
        const auto byte = static_cast<unsigned char>(c);
        if (WrittenAsNumber(byte)) {
            char reference[8];
            std::snprintf(reference, sizeof reference, "&#x%02X;", byte);
            html += reference;
            continue;
        }
        bool named = false;
        for (const auto& [reference, referenced] : kNamedReferences) {
            if (c == referenced && c != '\xA0') {
                html += reference;
                named = true;
            }
        }
        if (!named) {
            html += Cp1250ToUtf8(std::string_view(&c, 1));
        }
    }
    return html;
}

bool HtmlAttributeText(std::string_view html, std::string& cp1250) {
    cp1250.clear();
    for (size_t i = 0; i < html.size();) {
        char byte = 0;
        size_t length = 0;
        if (html[i] == '&') {
            if (!TakeReference(html, i, byte, length)) {
                return false;
            }
            cp1250 += byte;
            i += length;
            continue;
        }
        char32_t character = 0;
        const int mapped = DecodeUtf8(html, i, character) ? UnicodeToCp1250(character) : -1;
        if (mapped < 0 || WrittenAsNumber(static_cast<unsigned char>(mapped)) || character == '"' ||
            character == '<' || character == '>') {
            return false;
        }
        cp1250 += static_cast<char>(mapped);
    }
    return true;
}
