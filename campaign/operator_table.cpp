#include "campaign/operator_table.h"

#include <algorithm>
#include <cstdio>
#include <optional>

#include "base/cp1250.h"
#include "base/message_text.h"
#include "campaign/spot_pattern.h"

namespace {

// The texts of this file, Windows-1250.
constexpr Cp1250Literal kNeukonceneUvozovky{"neukončené uvozovky"};
constexpr Cp1250Literal kTextZaUvozovkamiPole{"text za uvozovkami pole"};
constexpr Cp1250Literal kNeznamySloupec{"neznámý sloupec „%“ (sloupce jsou %)"};
constexpr Cp1250Literal kAnd{" a "};
constexpr Cp1250Literal kSloupecJeVZahlavi{"sloupec je v záhlaví dvakrát"};
constexpr Cp1250Literal kSloupecChybiVZahlavi{"sloupec chybí v záhlaví"};
constexpr Cp1250Literal kChybiHodnota{"chybí hodnota"};
constexpr Cp1250Literal kNotUtf8{"soubor začíná značkou UTF-8, ale řádek není v UTF-8"};
constexpr Cp1250Literal kPoliMistoPodleZahlavi{"% polí místo % podle záhlaví"};
constexpr Cp1250Literal kSloupec{"sloupec „%“: "};

std::string_view Trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) {
        text.remove_suffix(1);
    }
    return text;
}

bool IsBlank(std::string_view line) {
    return std::all_of(line.begin(), line.end(),
                       [](char c) { return c == ';' || c == ' ' || c == '\t' || c == '\r'; });
}

bool IsUtf8WithNonAscii(std::string_view text) {
    bool nonAscii = false;
    for (size_t i = 0; i < text.size();) {
        char32_t c = 0;
        if (!DecodeUtf8(text, i, c)) {
            return false;
        }
        nonAscii = nonAscii || c >= 0x80;
    }
    return nonAscii;
}

// "Klient, Kampaň, ... a Smlouva": the required columns, then the optional ones.
std::string ColumnList(std::span<const TableColumn> columns) {
    std::vector<std::string_view> names;
    for (const bool required : {true, false}) {
        for (const TableColumn& column : columns) {
            if (column.required == required) {
                names.push_back(column.name);
            }
        }
    }
    std::string list;
    for (size_t i = 0; i < names.size(); ++i) {
        list += i == 0 ? "" : i + 1 == names.size() ? kAnd.str() : std::string(", ");
        list += names[i];
    }
    return list;
}

using ColumnMap = std::vector<int>;  // column -> field index, -1 when absent

class TableReader {
public:
    TableReader(std::span<const TableColumn> columns, std::vector<BookingError>& errors)
        : columns_(columns), errors_(errors) {}

    void ReadLine(std::string_view raw, bool utf8, const std::function<void(TableRow&)>& onRow);
    bool HeaderSeen() const { return headerSeen_; }

    int32_t lineNumber = 0;
    size_t rows = 0;

private:
    void Error(int column, std::string message) {
        errors_.push_back({lineNumber,
                           column < 0 ? std::string() : std::string(columns_[column].name),
                           std::move(message)});
    }
    std::optional<std::string> FromUtf8(std::string_view line);
    std::optional<std::vector<std::string>> SplitFields(std::string_view line);
    std::optional<ColumnMap> ReadHeader(const std::vector<std::string>& fields);
    int ColumnNamed(std::string_view name) const;
    void ReadRow(std::vector<std::string>& fields, const std::function<void(TableRow&)>& onRow);

    std::span<const TableColumn> columns_;
    std::vector<BookingError>& errors_;
    bool headerSeen_ = false;
    std::optional<ColumnMap> header_;
    size_t headerFields_ = 0;
};

// One line of UTF-8 as Windows-1250; a character the code page lacks is an error of the line.
std::optional<std::string> TableReader::FromUtf8(std::string_view line) {
    std::string bytes;
    for (size_t i = 0; i < line.size();) {
        char32_t c = 0;
        if (!DecodeUtf8(line, i, c)) {
            Error(-1, kNotUtf8.str());
            return std::nullopt;
        }
        const int byte = UnicodeToCp1250(c);
        if (byte < 0) {
            char text[96];
            std::snprintf(text, sizeof text, "znak U+%04X nelze zapsat ve Windows-1250",
                          static_cast<unsigned>(c));
            Error(-1, text);
            return std::nullopt;
        }
        bytes += static_cast<char>(byte);
    }
    return bytes;
}

// Fields separated by ";", each perhaps in double quotes with "" for a quote, as Excel writes.
std::optional<std::vector<std::string>> TableReader::SplitFields(std::string_view line) {
    std::vector<std::string> fields;
    size_t i = 0;
    for (;;) {
        std::string field;
        while (i < line.size() && line[i] == ' ') {
            ++i;
        }
        if (i < line.size() && line[i] == '"') {
            for (++i;; ++i) {
                if (i >= line.size()) {
                    Error(-1, kNeukonceneUvozovky.str());
                    return std::nullopt;
                }
                if (line[i] == '"' && i + 1 < line.size() && line[i + 1] == '"') {
                    field += '"';
                    ++i;
                } else if (line[i] == '"') {
                    ++i;
                    break;
                } else {
                    field += line[i];
                }
            }
            const size_t separator = line.find(';', i);
            if (!Trim(line.substr(i, separator - i)).empty()) {
                Error(-1, kTextZaUvozovkamiPole.str());
                return std::nullopt;
            }
            i = separator;
        } else {
            const size_t separator = line.find(';', i);
            field = std::string(Trim(line.substr(i, separator - i)));
            i = separator;
        }
        fields.push_back(std::move(field));
        if (i == std::string_view::npos) {
            return fields;
        }
        ++i;
    }
}

int TableReader::ColumnNamed(std::string_view name) const {
    for (size_t c = 0; c < columns_.size(); ++c) {
        if (EqualIgnoringCase(name, columns_[c].name)) {
            return static_cast<int>(c);
        }
    }
    return -1;
}

std::optional<ColumnMap> TableReader::ReadHeader(const std::vector<std::string>& fields) {
    ColumnMap map(columns_.size(), -1);
    bool ok = true;
    for (size_t f = 0; f < fields.size(); ++f) {
        const int found = ColumnNamed(fields[f]);
        if (found < 0 && fields[f].empty() && f + 1 == fields.size() && f > 0) {
            continue;  // a trailing ";"
        }
        if (found < 0) {
            Error(-1, FillIn(kNeznamySloupec, {fields[f], ColumnList(columns_)}));
            ok = false;
        } else if (map[found] >= 0) {
            Error(found, kSloupecJeVZahlavi.str());
            ok = false;
        } else {
            map[found] = static_cast<int>(f);
        }
    }
    for (size_t c = 0; c < columns_.size(); ++c) {
        if (map[c] < 0 && columns_[c].required) {
            Error(static_cast<int>(c), kSloupecChybiVZahlavi.str());
            ok = false;
        }
    }
    return ok ? std::optional<ColumnMap>(std::move(map)) : std::nullopt;
}

void TableReader::ReadRow(std::vector<std::string>& fields,
                          const std::function<void(TableRow&)>& onRow) {
    ++rows;
    while (fields.size() > headerFields_ && fields.back().empty()) {
        fields.pop_back();  // Excel's trailing ";" of rows wider than the header
    }
    if (fields.size() != headerFields_) {
        Error(-1, FillIn(kPoliMistoPodleZahlavi,
                         {std::to_string(fields.size()), std::to_string(headerFields_)}));
        return;
    }
    TableRow row{lineNumber, rows, std::vector<std::string>(columns_.size())};
    for (size_t c = 0; c < columns_.size(); ++c) {
        if ((*header_)[c] >= 0) {
            row.cells[c] = std::move(fields[(*header_)[c]]);
        }
    }
    onRow(row);
}

void TableReader::ReadLine(std::string_view raw, bool utf8,
                           const std::function<void(TableRow&)>& onRow) {
    ++lineNumber;
    if (IsBlank(raw) || Trim(raw).front() == '#') {
        return;
    }
    std::optional<std::string> line = utf8 ? FromUtf8(raw) : std::string(raw);
    std::optional<std::vector<std::string>> fields;
    if (line && !(fields = SplitFields(*line))) {
        return;
    }
    if (!headerSeen_) {
        headerSeen_ = true;
        if (fields) {
            header_ = ReadHeader(*fields);
            headerFields_ = fields->size();
        }
    } else if (header_ && fields) {
        ReadRow(*fields, onRow);
    }
}

}  // namespace

std::string BookingErrorText(std::string_view fileName, const BookingError& error) {
    std::string text(fileName);
    if (error.lineNumber > 0) {
        text += ":" + std::to_string(error.lineNumber);
    }
    text += ": ";
    if (!error.column.empty()) {
        text += FillIn(kSloupec, {error.column});
    }
    return text + error.message;
}

std::string TableColumnNames(std::span<const TableColumn> columns, bool required,
                             std::string_view separator) {
    std::string names;
    for (const TableColumn& column : columns) {
        if (column.required == required) {
            names += (names.empty() ? "" : std::string(separator)) + std::string(column.name);
        }
    }
    return names;
}

TableReading ReadOperatorTable(std::string_view bytes, std::span<const TableColumn> columns,
                               const TableTexts& texts, std::vector<BookingError>& errors,
                               const std::function<void(TableRow&)>& onRow) {
    const size_t errorsBefore = errors.size();
    const bool bom = bytes.substr(0, 3) == "\xEF\xBB\xBF";
    if (bom) {
        bytes.remove_prefix(3);
    }
    const bool utf8 = bom || IsUtf8WithNonAscii(bytes);
    TableReader reader(columns, errors);
    for (size_t start = 0; start < bytes.size();) {
        const size_t end = std::min(bytes.find('\n', start), bytes.size());
        reader.ReadLine(bytes.substr(start, end - start), utf8, onRow);
        start = end + 1;
    }
    if (!reader.HeaderSeen()) {
        errors.push_back({0, "", std::string(texts.empty)});
    } else if (reader.rows == 0 && errors.size() == errorsBefore) {
        errors.push_back({0, "", std::string(texts.headerOnly)});
    }
    return {reader.rows};
}

std::string OperatorTextToCp1250(std::string_view bytes) {
    const bool bom = bytes.substr(0, 3) == "\xEF\xBB\xBF";
    if (bom) {
        bytes.remove_prefix(3);
    }
    return bom || IsUtf8WithNonAscii(bytes) ? Utf8ToCp1250(bytes) : std::string(bytes);
}

std::string FoldedName(std::string_view name) {
    std::string folded(name);
    for (char& c : folded) {
        c = static_cast<char>(FoldCase(static_cast<unsigned char>(c)));
    }
    return folded;
}

std::string MissingValueText() {
    return kChybiHodnota.str();
}

void TableCellReader::Fail(int column, std::string message) {
    errors_.push_back({row_.lineNumber, std::string(columns_[column].name), std::move(message)});
    ok_ = false;
}

std::string TableCellReader::Required(int column) {
    if (row_.cells[column].empty()) {
        Fail(column, MissingValueText());
    }
    return row_.cells[column];
}
