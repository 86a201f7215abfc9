#pragma once
// What the client pages share: the head with the house style, the texts from the logs, the
// date a page was made and the pieces of its SVG charts. UTF-8 throughout.
#include <cstdint>
#include <string>
#include <string_view>

#include "base/win32_types.h"
#include "reports/html_escape.h"

// From the doctype to the style sheet; the caller adds its own style and closes the head.
std::string PageStart(const std::string& title);

// The detail reports' date and time: "%02u.%02u.%04u %02u:%02u:%02u".
std::string PlayTimeText(const SystemTime& time);

// "<time datetime=...>d. m. yyyy hh:mm</time>"
void AppendMadeAt(std::string& html, const SystemTime& time);

// The smallest of 1, 2, 5, 10, 20, 50, ... that is at least value.
uint64_t NiceCeiling(uint64_t value);

void AppendText(std::string& html, int x, int y, const char* anchor, const std::string& text,
                const char* cssClass = nullptr);
void AppendLine(std::string& html, int x1, int y1, int x2, int y2, const char* cssClass);
