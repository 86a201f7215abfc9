#include "campaign/audience.h"

#include <algorithm>
#include <array>
#include <bit>
#include <optional>
#include <unordered_map>

#include "base/cp1250.h"
#include "base/message_text.h"
#include "campaign/spot_pattern.h"

namespace {

// The texts of this file, Windows-1250.
constexpr Cp1250Literal kEmpty{"soubor je prázdný: chybí záhlaví i řádky publika"};
constexpr Cp1250Literal kHeaderOnly{"soubor má jen záhlaví, žádný řádek publika"};
constexpr Cp1250Literal kNotDays{
    "„%“ není seznam dnů (po, út, st, čt, pá, so, ne nebo rozsah jako po-pá)"};
constexpr Cp1250Literal kNotContacts{"„%“ není počet od 0 do %"};
constexpr Cp1250Literal kOverlaps{"překrývá se s řádkem %: panel „%“, % od %"};

enum Column { kPanel, kDays, kTimeFrom, kTimeTo, kContacts, kColumns };

constexpr Cp1250Literal kPanelName{"Panel"};
constexpr Cp1250Literal kDaysName{"Dny"};
constexpr Cp1250Literal kTimeFromName{"Čas od"};
constexpr Cp1250Literal kTimeToName{"Čas do"};
constexpr Cp1250Literal kContactsName{"Kontaktů za hodinu"};

constexpr TableColumn kColumnNames[kColumns] = {
    {kPanelName, true},  {kDaysName, true},     {kTimeFromName, true},
    {kTimeToName, true}, {kContactsName, true},
};

// Monday first, as the messages write them; either case is read, and each also without its
// accent, as it is often typed.
constexpr Cp1250Literal kUt{"út"};
constexpr Cp1250Literal kCt{"čt"};
constexpr Cp1250Literal kPa{"pá"};
constexpr std::array<std::string_view, kDaysPerWeek> kDayTexts = {"po", kUt,  "st", kCt,
                                                                  kPa,  "so", "ne"};
constexpr std::array<std::string_view, kDaysPerWeek> kPlainDayTexts = {"po", "ut", "st", "ct",
                                                                       "pa", "so", "ne"};

// "-", or the en dash (Windows-1250) that Excel's autocorrection makes of it.
constexpr std::string_view kDashes = "-\x96";

std::string_view TrimSpaces(std::string_view text) {
    const size_t first = text.find_first_not_of(' ');
    return first == text.npos ? std::string_view()
                              : text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::optional<int32_t> DayOf(std::string_view name) {
    name = TrimSpaces(name);
    for (int32_t day = 0; day < kDaysPerWeek; ++day) {
        if (EqualIgnoringCase(name, kDayTexts[day]) ||
            EqualIgnoringCase(name, kPlainDayTexts[day])) {
            return day;
        }
    }
    return std::nullopt;
}

// "po" or "pá-po"; 0 when it is neither.
uint8_t DaysOfItem(std::string_view item) {
    const size_t dash = item.find_first_of(kDashes);
    const std::optional<int32_t> first = DayOf(item.substr(0, dash));
    const std::optional<int32_t> last = dash == item.npos ? first : DayOf(item.substr(dash + 1));
    if (!first || !last) {
        return 0;
    }
    uint8_t days = 0;
    for (int32_t day = *first;; day = (day + 1) % kDaysPerWeek) {
        days |= static_cast<uint8_t>(1u << day);
        if (day == *last) {
            return days;
        }
    }
}

// The first weekday and minute that two rows both cover, when there is one.
bool Overlap(const AudienceRow& a, const AudienceRow& b, int32_t& weekday, ClockTime& start) {
    const uint8_t days = a.weekdays & b.weekdays;
    if (days == 0 || MinuteOfDay(a.from) >= MinuteOfDay(b.to) ||
        MinuteOfDay(b.from) >= MinuteOfDay(a.to)) {
        return false;
    }
    weekday = std::countr_zero(days);
    start = MinuteOfDay(a.from) > MinuteOfDay(b.from) ? a.from : b.from;
    return true;
}

class RowReader : public TableCellReader {
public:
    RowReader(TableRow& row, std::vector<BookingError>& errors)
        : TableCellReader(row, kColumnNames, errors) {}

    bool Read() {
        row.lineNumber = row_.lineNumber;
        row.panel = Required(kPanel);
        ReadDays();
        ReadWindow();
        ReadContacts();
        return Ok();
    }
    AudienceRow row{};

private:
    void ReadDays() {
        const std::string days = Required(kDays);
        if (!days.empty() && (row.weekdays = ParseWeekdays(days)) == 0) {
            Fail(kDays, FillIn(kNotDays, {days}));
        }
    }
    void ReadWindow() {
        WindowCells window = ReadWindowCells(row_.cells[kTimeFrom], row_.cells[kTimeTo]);
        if (!window.fromError.empty()) {
            Fail(kTimeFrom, std::move(window.fromError));
        }
        if (!window.toError.empty()) {
            Fail(kTimeTo, std::move(window.toError));
        }
        row.from = window.from.value_or(ClockTime{0, 0});
        row.to = window.to.value_or(ClockTime{24, 0});
    }
    void ReadContacts() {
        const std::string contacts = Required(kContacts);
        if (contacts.empty()) {
            return;
        }
        const std::optional<double> perHour =
            ParseDecimalNumber(contacts, 0, static_cast<double>(kMaxContactsPerHour));
        if (!perHour) {
            Fail(kContacts, FillIn(kNotContacts, {contacts, std::to_string(kMaxContactsPerHour)}));
        }
        row.contactsPerHour = perHour.value_or(0);
    }
};

// Two rows of one panel may not both give the audience of a minute.
void CheckOverlaps(AudienceFile& file) {
    std::unordered_map<std::string, std::vector<const AudienceRow*>> rowsByPanel;
    for (const AudienceRow& row : file.rows) {
        std::vector<const AudienceRow*>& earlierRows = rowsByPanel[FoldedName(row.panel)];
        for (const AudienceRow* earlier : earlierRows) {
            int32_t weekday = 0;
            ClockTime start{};
            if (Overlap(row, *earlier, weekday, start)) {
                file.errors.push_back(
                    {row.lineNumber, "",
                     FillIn(kOverlaps, {std::to_string(earlier->lineNumber), row.panel,
                                        kDayTexts[weekday], ClockText(start)})});
            }
        }
        earlierRows.push_back(&row);
    }
}

bool InWeek(int32_t weekday, int32_t minute) {
    return weekday >= 0 && weekday < kDaysPerWeek && minute >= 0 && minute < kMinutesPerDay;
}

}  // namespace

uint8_t ParseWeekdays(std::string_view text) {
    uint8_t days = 0;
    for (size_t start = 0; start <= text.size();) {
        const size_t comma = std::min(text.find(',', start), text.size());
        const uint8_t item = DaysOfItem(text.substr(start, comma - start));
        if (item == 0) {
            return 0;
        }
        days |= item;
        start = comma + 1;
    }
    return days;
}

AudienceFile ParseAudience(std::string_view bytes) {
    AudienceFile file;
    ReadOperatorTable(bytes, kColumnNames, {kEmpty, kHeaderOnly}, file.errors,
                      [&](TableRow& tableRow) {
                          RowReader reader(tableRow, file.errors);
                          if (reader.Read()) {
                              file.rows.push_back(std::move(reader.row));
                          }
                      });
    CheckOverlaps(file);
    std::stable_sort(
        file.errors.begin(), file.errors.end(),
        [](const BookingError& a, const BookingError& b) { return a.lineNumber < b.lineNumber; });
    if (!file.errors.empty()) {
        file.rows.clear();
    }
    return file;
}

bool PanelAudience::Covers(int32_t weekday, int32_t minute) const {
    return !Empty() && InWeek(weekday, minute) &&
           perHour_[static_cast<size_t>(weekday * kMinutesPerDay + minute)] != kUncovered;
}

double PanelAudience::PerHour(int32_t weekday, int32_t minute) const {
    return Covers(weekday, minute)
               ? perHour_[static_cast<size_t>(weekday * kMinutesPerDay + minute)]
               : 0;
}

PanelAudience AudienceOf(const AudienceFile& file, std::string_view panelFolderName) {
    PanelAudience audience;
    for (const AudienceRow& row : file.rows) {
        if (!EqualIgnoringCase(row.panel, panelFolderName)) {
            continue;
        }
        audience.perHour_.resize(kDaysPerWeek * kMinutesPerDay, PanelAudience::kUncovered);
        for (int32_t day = 0; day < kDaysPerWeek; ++day) {
            if ((row.weekdays >> day & 1) == 0) {
                continue;
            }
            const auto dayStart = audience.perHour_.begin() + day * kMinutesPerDay;
            std::fill(dayStart + MinuteOfDay(row.from), dayStart + MinuteOfDay(row.to),
                      row.contactsPerHour);
        }
    }
    return audience;
}
