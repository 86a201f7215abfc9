#pragma once
// The operator's own files (the booking, the panel register, the audience file), read by one set
// of rules, as Excel saves them ("CSV (oddělený středníkem)") or Notepad writes them: semicolons,
// a header row first, Windows-1250 or UTF-8 (with or without a byte-order mark), Excel's quoted
// fields, empty lines and lines starting with "#" skipped. Every error is kept with its line and
// column, so the operator mends the file in one go.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

struct BookingError {
    int32_t lineNumber;  // 0 for the file as a whole
    std::string column;  // the column's name as the header has it, or ""
    std::string message;
};

// "FILE:LINE: sloupec „X“: message", Windows-1250.
std::string BookingErrorText(std::string_view fileName, const BookingError& error);

struct TableColumn {
    std::string_view name;  // Windows-1250; the header may write it in either case
    bool required;
};

// The names of the required or the optional columns, in the table's order, joined by separator.
std::string TableColumnNames(std::span<const TableColumn> columns, bool required,
                             std::string_view separator);

struct TableRow {
    int32_t lineNumber;
    size_t ordinal;                  // among the rows below the header, from 1, the bad ones too
    std::vector<std::string> cells;  // one per column, Windows-1250; "" for an absent column
};

// What the file as a whole lacks: its texts differ by the file, as they name its rows.
struct TableTexts {
    std::string_view empty;       // neither header nor rows
    std::string_view headerOnly;  // a header and no rows, and no other error
};

struct TableReading {
    size_t rows = 0;  // below the header, read or not
};

// Reads the header and calls onRow for each row that has as many fields as the header; the errors
// of the file's layout and encoding are appended to errors, in the order of the lines, and onRow
// appends those of its cells.
TableReading ReadOperatorTable(std::string_view bytes, std::span<const TableColumn> columns,
                               const TableTexts& texts, std::vector<BookingError>& errors,
                               const std::function<void(TableRow&)>& onRow);

// The cells of one row being read into a record; an error names the row's line and the column.
class TableCellReader {
public:
    TableCellReader(TableRow& row, std::span<const TableColumn> columns,
                    std::vector<BookingError>& errors)
        : row_(row), columns_(columns), errors_(errors) {}
    bool Ok() const { return ok_; }

protected:
    void Fail(int column, std::string message);
    // The cell's text, or "" with an error when it is empty.
    std::string Required(int column);

    TableRow& row_;

private:
    std::span<const TableColumn> columns_;
    std::vector<BookingError>& errors_;
    bool ok_ = true;
};

// A whole text of the operator's in Windows-1250: without its byte-order mark, and converted when
// it is UTF-8 (it has the mark, or it is valid UTF-8 with a letter outside ASCII), as the tables
// tell it.
std::string OperatorTextToCp1250(std::string_view bytes);

// A name with each letter made capital, as Windows compares the names of files and folders.
std::string FoldedName(std::string_view name);

// "chybí hodnota".
std::string MissingValueText();
