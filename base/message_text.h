#pragma once
// A program message with its variable parts filled in: each "%" of the text, in order, becomes
// the next part. One whole text per message reads better than pieces, and is one literal.
#include <initializer_list>
#include <string>
#include <string_view>

inline std::string FillIn(std::string_view text, std::initializer_list<std::string_view> parts) {
    std::string message;
    auto part = parts.begin();
    for (const char c : text) {
        if (c == '%' && part != parts.end()) {
            message += *part++;
        } else {
            message += c;
        }
    }
    return message;
}
