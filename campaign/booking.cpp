#include "campaign/booking.h"

#include <algorithm>
#include <optional>
#include <unordered_map>
#include <unordered_set>

#include "base/cp1250.h"
#include "base/message_text.h"
#include "campaign/calendar.h"
#include "logdata/time_window.h"

namespace {

// The texts of this file, Windows-1250.
constexpr Cp1250Literal kNeniDatumDM{"„%“ není datum (d.m.rrrr nebo rrrr-mm-dd)"};
constexpr Cp1250Literal kDatumNeexistuje{"datum „%“ neexistuje"};
constexpr Cp1250Literal kRokDatumuNeni{"rok datumu „%“ není %–%"};
constexpr Cp1250Literal kSpotTooLong{"spot má víc než % znaků"};
constexpr Cp1250Literal kTooManyLines{"objednávka má % řádků, nejvýš %"};
constexpr Cp1250Literal kKonecJePredZacatkem{"konec % je před začátkem %"};
constexpr Cp1250Literal kRadekObjednaVicNez{"řádek objedná víc než % dní"};
constexpr Cp1250Literal kNeniCeleCisloOd{"„%“ není celé číslo od 0 do %"};
constexpr Cp1250Literal kSameFileAs{"klient „%“ dá stejný název souboru jako „%“ z řádku %"};
constexpr Cp1250Literal kSameFileAsState{
    "klient „%“ dá stejný název souboru jako tabulka stavu klienta „%“ z řádku %"};
constexpr Cp1250Literal kSameFileAsOverviewState{
    "klient „%“ dá stejný název souboru jako tabulka stavu celé objednávky"};
constexpr Cp1250Literal kSouborJePrazdnyChybi{
    "soubor je prázdný: chybí záhlaví i řádky objednávky"};
constexpr Cp1250Literal kSouborMaJenZahlavi{"soubor má jen záhlaví, žádný řádek objednávky"};

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
    kContacts,
    kColumns
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
constexpr Cp1250Literal kContactsName{"Kontakty"};

// The header's names, in the order the errors name missing ones.
constexpr TableColumn kColumnNames[kColumns] = {
    {kClientName, true}, {kCampaignName, true},  {kSpotName, true},      {kPanelName, false},
    {kFromName, true},   {kToName, true},        {kTimeFromName, true},  {kTimeToName, true},
    {kPlaysName, true},  {kContractName, false}, {kContactsName, false},
};

constexpr size_t kMaxContactsDigits = 12;

}  // namespace

std::string BookingColumnNames(bool required, std::string_view separator) {
    return TableColumnNames(kColumnNames, required, separator);
}

namespace {

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

// The error of a cell, under its column's name.
class LineReader : public TableCellReader {
public:
    LineReader(TableRow& row, std::vector<BookingError>& errors)
        : TableCellReader(row, kColumnNames, errors) {}

    void Read() {
        line_.lineNumber = row_.lineNumber;
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
        ReadContacts();
    }
    BookingLine line_{};

private:
    const std::string& Value(int column) const { return row_.cells[column]; }
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
        WindowCells window = ReadWindowCells(Value(kTimeFrom), Value(kTimeTo));
        if (!window.fromError.empty()) {
            Fail(kTimeFrom, std::move(window.fromError));
        }
        if (!window.toError.empty()) {
            Fail(kTimeTo, std::move(window.toError));
        }
        if (window.from && window.to) {
            line_.from = *window.from;
            line_.to = *window.to;
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
    void ReadContacts() {
        const std::string& contacts = Value(kContacts);
        if (contacts.empty()) {
            return;
        }
        line_.contacts = ParseGroupedWholeNumber(contacts, kMaxContactsDigits);
        if (!line_.contacts) {
            Fail(kContacts,
                 FillIn(kNeniCeleCisloOd, {contacts, std::string(kMaxContactsDigits, '9')}));
        }
    }
};

// The rows of a booking: every row is read for its errors; the lines past the budget are not
// kept, as the booking is refused then.
struct LineBudget {
    int64_t lineDays = 0;     // booked by the lines read
    size_t rowsInBudget = 0;  // the rows before the first whose days do not fit
    bool exceeded = false;
};

void ReadLine(TableRow& row, Booking& booking, LineBudget& budget) {
    LineReader line(row, booking.errors);
    line.Read();
    if (!line.Ok()) {
        return;
    }
    budget.lineDays += line.line_.lastDay - line.line_.firstDay + 1;
    if (budget.lineDays <= kMaxBookedLineDays) {
        booking.lines.push_back(std::move(line.line_));
    } else if (!budget.exceeded) {
        budget.exceeded = true;
        budget.rowsInBudget = row.ordinal - 1;
    }
}

using FirstsByPart = std::unordered_map<std::string, std::vector<const BookingLine*>>;

// A client's file name part that ends in the state table's suffix would name the state table of
// the client it begins with, and the suffix's word alone that of the overview.
void CheckStateTableNames(Booking& booking, const FirstsByPart& firstsByPart) {
    const std::string suffix = FoldedName(kStateTableSuffix);
    const std::string overviewState = suffix.substr(1);
    std::vector<BookingError> errors;
    for (const auto& [part, firsts] : firstsByPart) {
        const BookingLine& line = *firsts.front();
        if (part == overviewState) {
            errors.push_back({line.lineNumber, std::string(kClientName),
                              FillIn(kSameFileAsOverviewState, {line.client})});
            continue;
        }
        if (part.size() <= suffix.size() || !part.ends_with(suffix)) {
            continue;
        }
        const auto owner = firstsByPart.find(part.substr(0, part.size() - suffix.size()));
        if (owner != firstsByPart.end()) {
            const BookingLine& other = *owner->second.front();
            errors.push_back({line.lineNumber, std::string(kClientName),
                              FillIn(kSameFileAsState, {line.client, other.client,
                                                        std::to_string(other.lineNumber)})});
        }
    }
    // The map's order is no order: the errors follow the file.
    std::sort(errors.begin(), errors.end(), [](const BookingError& a, const BookingError& b) {
        return a.lineNumber < b.lineNumber;
    });
    booking.errors.insert(booking.errors.end(), errors.begin(), errors.end());
}

// Each client gets files of its own: two whose file names Windows would take as one are an error,
// and so is one whose files would be the overview's or another client's state table.
void CheckClientFileNames(Booking& booking) {
    std::unordered_set<std::string_view> clients;
    // Each client's first line, by its file name part folded as Windows compares names.
    FirstsByPart firstsByPart;
    for (const BookingLine& line : booking.lines) {
        if (!clients.insert(line.client).second) {
            continue;
        }
        std::vector<const BookingLine*>& firsts =
            firstsByPart[FoldedName(ClientFileNamePart(line.client))];
        for (const BookingLine* first : firsts) {
            booking.errors.push_back({line.lineNumber, std::string(kClientName),
                                      FillIn(kSameFileAs, {line.client, first->client,
                                                           std::to_string(first->lineNumber)})});
        }
        firsts.push_back(&line);
    }
    if (clients.size() > 1) {
        CheckStateTableNames(booking, firstsByPart);
    }
}
}  // namespace

Booking ParseBooking(std::string_view bytes) {
    Booking booking;
    LineBudget budget;
    const TableReading table =
        ReadOperatorTable(bytes, kColumnNames, {kSouborJePrazdnyChybi, kSouborMaJenZahlavi},
                          booking.errors, [&](TableRow& row) { ReadLine(row, booking, budget); });
    CheckClientFileNames(booking);
    if (budget.exceeded) {
        booking.errors.push_back({0, "",
                                  FillIn(kTooManyLines, {std::to_string(table.rows),
                                                         std::to_string(budget.rowsInBudget)})});
    }
    if (!booking.errors.empty()) {
        booking.lines.clear();
    }
    return booking;
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
