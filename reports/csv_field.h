#pragma once
// Text in a CSV cell that a spreadsheet takes as text.
#include <string>
#include <string_view>

// Spreadsheets take a cell that begins with one of these as a formula.
inline bool StartsLikeFormula(std::string_view text) {
    return !text.empty() &&
           std::string_view("=+-@\t\r").find(text.front()) != std::string_view::npos;
}

// A cell that could be a formula gets a leading "'"; one holding ";", a quote or a line end is
// quoted, its quotes doubled, as Excel reads it back.
inline std::string CsvField(std::string_view text) {
    std::string cell = StartsLikeFormula(text) ? "'" : "";
    cell += text;
    if (cell.find_first_of(";\"\r\n") == std::string::npos) {
        return cell;
    }
    std::string quoted = "\"";
    for (const char c : cell) {
        quoted += c;
        if (c == '"') {
            quoted += '"';
        }
    }
    return quoted + "\"";
}
