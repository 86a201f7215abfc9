#pragma once
// Text in a CSV cell that a spreadsheet takes as text.
#include <string>
#include <string_view>

// Spreadsheets take a cell that begins with one of these as a formula.
inline bool StartsLikeFormula(std::string_view text) {
    return !text.empty() &&
           std::string_view("=+-@\t\r").find(text.front()) != std::string_view::npos;
}

// The text quoted when it holds one of `special`, its quotes doubled, as CSV readers take it.
inline std::string QuotedWhenNeeded(std::string_view text, std::string_view special) {
    if (text.find_first_of(special) == std::string_view::npos) {
        return std::string(text);
    }
    std::string quoted = "\"";
    for (const char c : text) {
        quoted += c;
        if (c == '"') {
            quoted += '"';
        }
    }
    return quoted + "\"";
}

// A cell that could be a formula gets a leading "'"; one holding ";", a quote or a line end is
// quoted, its quotes doubled, as Excel reads it back.
inline std::string CsvField(std::string_view text) {
    std::string cell = StartsLikeFormula(text) ? "'" : "";
    cell += text;
    return QuotedWhenNeeded(cell, ";\"\r\n");
}
