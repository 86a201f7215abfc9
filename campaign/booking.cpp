#include "campaign/booking.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <optional>
#include <unordered_map>
#include <unordered_set>

#include "base/cp1250.h"
#include "base/message_text.h"
#include "campaign/calendar.h"
#include "campaign/spot_pattern.h"
#include "logdata/clock_text.h"
#include "logdata/time_window.h"

namespace {

// The texts of this file, Windows-1250.
constexpr Cp1250Literal kNeukonceneUvozovky{"neukončené uvozovky"};
constexpr Cp1250Literal kTextZaUvozovkamiPole{"text za uvozovkami pole"};
constexpr Cp1250Literal kNeniDatumDM{"„%“ není datum (d.m.rrrr nebo rrrr-mm-dd)"};
constexpr Cp1250Literal kDatumNeexistuje{"datum „%“ neexistuje"};
constexpr Cp1250Literal kRokDatumuNeni{"rok datumu „%“ není %–%"};
constexpr Cp1250Literal kNotAnEndTime{"„%“ není čas h:mm od 0:00 do 24:00"};
constexpr Cp1250Literal kNotAStartTime{"„%“ není čas h:mm od 0:00 do 23:59"};
constexpr Cp1250Literal kNeznamySloupec{"neznámý sloupec „%“ (sloupce jsou %)"};
constexpr Cp1250Literal kAnd{" a "};
constexpr Cp1250Literal kSloupecJeVZahlavi{"sloupec je v záhlaví dvakrát"};
constexpr Cp1250Literal kSloupecChybiVZahlavi{"sloupec chybí v záhlaví"};
constexpr Cp1250Literal kChybiHodnota{"chybí hodnota"};
constexpr Cp1250Literal kNotUtf8{"soubor začíná značkou UTF-8, ale řádek není v UTF-8"};
constexpr Cp1250Literal kSpotTooLong{"spot má víc než % znaků"};
constexpr Cp1250Literal kTooManyLines{"objednávka má % řádků, nejvýš %"};
constexpr Cp1250Literal kKonecJePredZacatkem{"konec % je před začátkem %"};
constexpr Cp1250Literal kRadekObjednaVicNez{"řádek objedná víc než % dní"};
constexpr Cp1250Literal kOknoKonciDrivNez{"okno končí (%) dřív, než začne, nebo když začíná (%)"};
constexpr Cp1250Literal kNeniCeleCisloOd{"„%“ není celé číslo od 0 do %"};
constexpr Cp1250Literal kSameFileAs{"klient „%“ dá stejný název souboru jako „%“ z řádku %"};
constexpr Cp1250Literal kPoliMistoPodleZahlavi{"% polí místo % podle záhlaví"};
constexpr Cp1250Literal kSouborJePrazdnyChybi{
    "soubor je prázdný: chybí záhlaví i řádky objednávky"};
constexpr Cp1250Literal kSouborMaJenZahlavi{"soubor má jen záhlaví, žádný řádek objednávky"};
constexpr Cp1250Literal kSloupec{"sloupec „%“: "};

enum Column {
    kClient,
    kCampaign,
    kSpot,
    kPanel,
    kFrom,
    kTo,
    kTimeFrom,
    kTimeTo,
    kPlays,
    kContract,
    kColumns
};

struct ColumnName {
    std::string_view name;
    bool required;
};

constexpr Cp1250Literal kClientName{"Klient"};
constexpr Cp1250Literal kCampaignName{"Kampaň"};
constexpr Cp1250Literal kSpotName{"Spot"};
constexpr Cp1250Literal kPanelName{"Panel"};
constexpr Cp1250Literal kFromName{"Od"};
constexpr Cp1250Literal kToName{"Do"};
constexpr Cp1250Literal kTimeFromName{"Čas od"};
constexpr Cp1250Literal kTimeToName{"Čas do"};
constexpr Cp1250Literal kPlaysName{"Přehrání za den"};
constexpr Cp1250Literal kContractName{"Smlouva"};

// The header's names, in the order the errors name missing ones.
constexpr ColumnName kColumnNames[kColumns] = {
    {kClientName, true}, {kCampaignName, true},  {kSpotName, true},     {kPanelName, false},
    {kFromName, true},   {kToName, true},        {kTimeFromName, true}, {kTimeToName, true},
    {kPlaysName, true},  {kContractName, false},
};

// "Klient, Kampaň, ... a Smlouva" from the table: the required columns, then the optional ones.
std::string ColumnList() {
    std::vector<std::string_view> names;
    for (const bool required : {true, false}) {
        for (const ColumnName& column : kColumnNames) {
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

}  // namespace

std::string BookingColumnNames(bool required, std::string_view separator) {
    std::string names;
    for (const ColumnName& column : kColumnNames) {
        if (column.required == required) {
            names += (names.empty() ? "" : std::string(separator)) + std::string(column.name);
        }
    }
    return names;
}

namespace {

std::string ColumnText(int column) {
    return std::string(kColumnNames[column].name);
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) {
        text.remove_suffix(1);
    }
    return text;
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

struct Reader {
    Booking& booking;
    int32_t lineNumber = 0;
    size_t rows = 0;          // below the header, read or not
    size_t rowsInBudget = 0;  // the first rows, while their days fit kMaxBookedLineDays
    int64_t lineDays = 0;     // booked by the lines read

    void Error(int column, std::string message) {
        booking.errors.push_back(
            {lineNumber, column < 0 ? std::string() : ColumnText(column), std::move(message)});
    }
};

// One line of UTF-8 as Windows-1250; a character the code page lacks is an error of the line.
std::optional<std::string> FromUtf8(std::string_view line, Reader& reader) {
    std::string bytes;
    for (size_t i = 0; i < line.size();) {
        char32_t c = 0;
        if (!DecodeUtf8(line, i, c)) {
            reader.Error(-1, kNotUtf8.str());
            return std::nullopt;
        }
        const int byte = UnicodeToCp1250(c);
        if (byte < 0) {
            char text[96];
            std::snprintf(text, sizeof text, "znak U+%04X nelze zapsat ve Windows-1250",
                          static_cast<unsigned>(c));
            reader.Error(-1, text);
            return std::nullopt;
        }
        bytes += static_cast<char>(byte);
    }
    return bytes;
}

// Fields separated by ";", each perhaps in double quotes with "" for a quote, as Excel writes.
std::optional<std::vector<std::string>> SplitFields(std::string_view line, Reader& reader) {
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
                    reader.Error(-1, kNeukonceneUvozovky.str());
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
                reader.Error(-1, kTextZaUvozovkamiPole.str());
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

// Up to maxDigits digits, at least one.
bool ReadDigits(std::string_view text, size_t& i, size_t maxDigits, uint32_t& value) {
    const size_t start = i;
    value = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9' && i - start < maxDigits) {
        value = value * 10 + static_cast<uint32_t>(text[i] - '0');
        ++i;
    }
    return i != start;
}

bool ReadChar(std::string_view text, size_t& i, char c) {
    if (i < text.size() && text[i] == c) {
        ++i;
        while (c == '.' && i < text.size() && text[i] == ' ') {
            ++i;  // "15. 10. 2026", as Czech is typed
        }
        return true;
    }
    return false;
}

}  // namespace

std::optional<int32_t> ParseDate(std::string_view text, std::string& error) {
    CivilDate date{};
    size_t i = 0;
    const bool czech = ReadDigits(text, i, 2, date.day) && ReadChar(text, i, '.') &&
                       ReadDigits(text, i, 2, date.month) && ReadChar(text, i, '.') &&
                       ReadDigits(text, i, 4, date.year) && i == text.size() && text.size() >= 8;
    i = 0;
    const bool iso = !czech && ReadDigits(text, i, 4, date.year) && i == 4 &&
                     ReadChar(text, i, '-') && ReadDigits(text, i, 2, date.month) &&
                     ReadChar(text, i, '-') && ReadDigits(text, i, 2, date.day) && i == text.size();
    if (!czech && !iso) {
        error = FillIn(kNeniDatumDM, {text});
        return std::nullopt;
    }
    if (!IsRealDate(date)) {
        error = FillIn(kDatumNeexistuje, {text});
        return std::nullopt;
    }
    if (date.year < kFirstBookedYear || date.year > kLastBookedYear) {
        error = FillIn(kRokDatumuNeni,
                       {text, std::to_string(kFirstBookedYear), std::to_string(kLastBookedYear)});
        return std::nullopt;
    }
    return DayNumber(date);
}

namespace {

// h:mm (h:mm:00 as Excel may save it); 24:00 only as the end of the window.
std::optional<ClockTime> ParseClock(std::string_view text, bool end, std::string& error) {
    const std::optional<TimeOfDay> time =
        ParseClockText(text, end ? ClockSyntax::kWindowEnd : ClockSyntax::kWindowStart);
    if (time) {
        return ClockTime{time->hour, time->minute};
    }
    error = FillIn(end ? kNotAnEndTime : kNotAStartTime, {text});
    return std::nullopt;
}

std::string ClockText(ClockTime time) {
    char text[32];
    std::snprintf(text, sizeof text, "%d:%02d", static_cast<int>(time.hour),
                  static_cast<int>(time.minute));
    return text;
}

bool Before(ClockTime a, ClockTime b) {
    return a.hour < b.hour || (a.hour == b.hour && a.minute < b.minute);
}

using ColumnMap = std::array<int, kColumns>;  // column -> field index, -1 when absent

std::optional<ColumnMap> ReadHeader(const std::vector<std::string>& fields, Reader& reader) {
    ColumnMap map;
    map.fill(-1);
    bool ok = true;
    for (size_t f = 0; f < fields.size(); ++f) {
        int found = -1;
        for (int c = 0; c < kColumns; ++c) {
            if (EqualIgnoringCase(fields[f], kColumnNames[c].name)) {
                found = c;
            }
        }
        if (found < 0 && fields[f].empty() && f + 1 == fields.size() && f > 0) {
            continue;  // a trailing ";"
        }
        if (found < 0) {
            reader.Error(-1, FillIn(kNeznamySloupec, {fields[f], ColumnList()}));
            ok = false;
        } else if (map[found] >= 0) {
            reader.Error(found, kSloupecJeVZahlavi.str());
            ok = false;
        } else {
            map[found] = static_cast<int>(f);
        }
    }
    for (int c = 0; c < kColumns; ++c) {
        if (map[c] < 0 && kColumnNames[c].required) {
            reader.Error(c, kSloupecChybiVZahlavi.str());
            ok = false;
        }
    }
    return ok ? std::optional<ColumnMap>(map) : std::nullopt;
}

class LineReader {
public:
    LineReader(const ColumnMap& map, const std::vector<std::string>& fields, Reader& reader)
        : map_(map), fields_(fields), reader_(reader) {}

    void Read() {
        line_.lineNumber = reader_.lineNumber;
        line_.client = Required(kClient);
        line_.campaign = Required(kCampaign);
        line_.spot = Required(kSpot);
        if (line_.spot.size() > kMaxSpotLength) {
            Fail(kSpot, FillIn(kSpotTooLong, {std::to_string(kMaxSpotLength)}));
        }
        line_.panel = Value(kPanel);
        line_.contract = Value(kContract);
        if (line_.panel == "*") {
            line_.panel.clear();
        }
        ReadDays();
        ReadWindow();
        ReadPlays();
    }
    bool ok = true;
    BookingLine line_{};

private:
    std::string Value(int column) const {
        const int field = map_[column];
        return field >= 0 && static_cast<size_t>(field) < fields_.size() ? fields_[field] : "";
    }
    void Fail(int column, std::string message) {
        reader_.Error(column, std::move(message));
        ok = false;
    }
    std::string Required(int column) {
        std::string value = Value(column);
        if (value.empty()) {
            Fail(column, kChybiHodnota.str());
        }
        return value;
    }
    void ReadDays() {
        std::string error;
        const std::string first = Required(kFrom);
        const std::string last = Required(kTo);
        std::optional<int32_t> firstDay;
        std::optional<int32_t> lastDay;
        if (!first.empty() && !(firstDay = ParseDate(first, error))) {
            Fail(kFrom, error);
        }
        if (!last.empty() && !(lastDay = ParseDate(last, error))) {
            Fail(kTo, error);
        }
        if (!firstDay || !lastDay) {
            return;
        }
        line_.firstDay = *firstDay;
        line_.lastDay = *lastDay;
        if (*lastDay < *firstDay) {
            Fail(kTo, FillIn(kKonecJePredZacatkem, {last, first}));
        } else if (*lastDay - *firstDay >= kMaxBookedDays) {
            Fail(kTo, FillIn(kRadekObjednaVicNez, {std::to_string(kMaxBookedDays)}));
        }
    }
    void ReadWindow() {
        std::string error;
        const std::string from = Value(kTimeFrom);
        const std::string to = Value(kTimeTo);
        std::optional<ClockTime> start = ClockTime{0, 0};
        std::optional<ClockTime> end = ClockTime{24, 0};
        if (!from.empty() && !(start = ParseClock(from, false, error))) {
            Fail(kTimeFrom, error);
        }
        if (!to.empty() && !(end = ParseClock(to, true, error))) {
            Fail(kTimeTo, error);
        }
        if (!start || !end) {
            return;
        }
        line_.from = *start;
        line_.to = *end;
        if (!Before(*start, *end)) {
            Fail(kTimeTo, FillIn(kOknoKonciDrivNez, {ClockText(*end), ClockText(*start)}));
        }
    }
    void ReadPlays() {
        const std::string plays = Required(kPlays);
        if (plays.empty()) {
            return;
        }
        uint32_t count = 0;
        size_t i = 0;
        if (!ReadDigits(plays, i, 7, count) || i != plays.size() || count > kMaxPlaysPerDay) {
            Fail(kPlays, FillIn(kNeniCeleCisloOd, {plays, std::to_string(kMaxPlaysPerDay)}));
            return;
        }
        line_.playsPerDay = count;
    }

    const ColumnMap& map_;
    const std::vector<std::string>& fields_;
    Reader& reader_;
};

bool IsBlank(std::string_view line) {
    for (const char c : line) {
        if (c != ';' && c != ' ' && c != '\t' && c != '\r') {
            return false;
        }
    }
    return true;
}

// Every row is read for its errors; the lines past the budget are not kept, as the booking is
// refused then.
void ReadRow(const ColumnMap& map, size_t headerFields, std::vector<std::string>& fields,
             Reader& reader) {
    ++reader.rows;
    while (fields.size() > headerFields && fields.back().empty()) {
        fields.pop_back();  // Excel's trailing ";" of rows wider than the header
    }
    if (fields.size() != headerFields) {
        reader.Error(-1, FillIn(kPoliMistoPodleZahlavi,
                                {std::to_string(fields.size()), std::to_string(headerFields)}));
    } else {
        LineReader line(map, fields, reader);
        line.Read();
        reader.lineDays += line.ok ? line.line_.lastDay - line.line_.firstDay + 1 : 0;
        if (line.ok && reader.lineDays <= kMaxBookedLineDays) {
            reader.booking.lines.push_back(std::move(line.line_));
        }
    }
    if (reader.lineDays <= kMaxBookedLineDays) {
        reader.rowsInBudget = reader.rows;
    }
}

void CheckLineDays(Reader& reader) {
    if (reader.lineDays > kMaxBookedLineDays) {
        reader.Error(-1, FillIn(kTooManyLines, {std::to_string(reader.rows),
                                                std::to_string(reader.rowsInBudget)}));
    }
}

// Each client gets files of its own: two whose file names Windows would take as one are an error.
void CheckClientFileNames(Reader& reader) {
    std::unordered_set<std::string_view> clients;
    // Each client's first line, by its file name part folded as Windows compares names.
    std::unordered_map<std::string, std::vector<const BookingLine*>> firstsByPart;
    for (const BookingLine& line : reader.booking.lines) {
        if (!clients.insert(line.client).second) {
            continue;
        }
        std::string part = ClientFileNamePart(line.client);
        for (char& c : part) {
            c = static_cast<char>(FoldCase(static_cast<unsigned char>(c)));
        }
        std::vector<const BookingLine*>& firsts = firstsByPart[part];
        for (const BookingLine* first : firsts) {
            reader.lineNumber = line.lineNumber;
            reader.Error(kClient, FillIn(kSameFileAs, {line.client, first->client,
                                                       std::to_string(first->lineNumber)}));
        }
        firsts.push_back(&line);
    }
}

}  // namespace

Booking ParseBooking(std::string_view bytes) {
    Booking booking;
    Reader reader{booking};
    const bool bom = bytes.substr(0, 3) == "\xEF\xBB\xBF";
    if (bom) {
        bytes.remove_prefix(3);
    }
    const bool utf8 = bom || IsUtf8WithNonAscii(bytes);
    std::optional<ColumnMap> header;
    size_t headerFields = 0;
    bool headerSeen = false;
    for (size_t start = 0; start < bytes.size();) {
        const size_t end = std::min(bytes.find('\n', start), bytes.size());
        const std::string_view raw = bytes.substr(start, end - start);
        start = end + 1;
        ++reader.lineNumber;
        if (IsBlank(raw) || Trim(raw).front() == '#') {
            continue;
        }
        std::optional<std::string> line = utf8 ? FromUtf8(raw, reader) : std::string(raw);
        std::optional<std::vector<std::string>> fields;
        if (line && !(fields = SplitFields(*line, reader))) {
            continue;
        }
        if (!headerSeen) {
            headerSeen = true;
            if (fields) {
                header = ReadHeader(*fields, reader);
                headerFields = fields->size();
            }
        } else if (header && fields) {
            ReadRow(*header, headerFields, *fields, reader);
        }
    }
    CheckClientFileNames(reader);
    reader.lineNumber = 0;
    CheckLineDays(reader);
    if (!headerSeen) {
        reader.Error(-1, kSouborJePrazdnyChybi.str());
    } else if (booking.lines.empty() && booking.errors.empty()) {
        reader.Error(-1, kSouborMaJenZahlavi.str());
    }
    if (!booking.errors.empty()) {
        booking.lines.clear();
    }
    return booking;
}

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

std::string ClientFileNamePart(std::string_view client) {
    std::string part(client);
    for (char& c : part) {
        if (static_cast<unsigned char>(c) < 0x20 ||
            std::string_view("<>:\"/\\|?*").find(c) != std::string_view::npos) {
            c = '_';
        }
    }
    for (size_t i = part.size(); i > 0 && (part[i - 1] == '.' || part[i - 1] == ' '); --i) {
        part[i - 1] = '_';
    }
    return part;
}

bool InWindow(const BookingLine& line, int32_t hour, int32_t minute) {
    return InTimeWindow({hour, minute}, {line.from.hour, line.from.minute},
                        {line.to.hour, line.to.minute});
}
