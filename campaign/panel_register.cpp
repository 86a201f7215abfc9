#include "campaign/panel_register.h"

#include <optional>
#include <unordered_map>

#include "base/cp1250.h"
#include "base/message_text.h"
#include "campaign/operator_cells.h"
#include "campaign/spot_pattern.h"

namespace {

// The texts of this file, Windows-1250.
constexpr Cp1250Literal kEmpty{"soubor je prázdný: chybí záhlaví i řádky panelů"};
constexpr Cp1250Literal kHeaderOnly{"soubor má jen záhlaví, žádný řádek panelu"};
constexpr Cp1250Literal kNotLatitude{"„%“ není zeměpisná šířka ve stupních od -90 do 90"};
constexpr Cp1250Literal kNotLongitude{"„%“ není zeměpisná délka ve stupních od -180 do 180"};
constexpr Cp1250Literal kPositionHalf{"chybí hodnota: poloha potřebuje šířku i délku"};
constexpr Cp1250Literal kNotAnId{"„%“ není číslo panelu: jen číslice, nejvýš %"};
constexpr Cp1250Literal kListedTwice{"panel „%“ je v registru už na řádku %"};

enum Column { kPanel, kName, kAddress, kTown, kLatitude, kLongitude, kId, kColumns };

constexpr Cp1250Literal kPanelName{"Panel"};
constexpr Cp1250Literal kNameName{"Název"};
constexpr Cp1250Literal kAddressName{"Adresa"};
constexpr Cp1250Literal kTownName{"Město"};
constexpr Cp1250Literal kLatitudeName{"Šířka"};
constexpr Cp1250Literal kLongitudeName{"Délka"};
constexpr Cp1250Literal kIdName{"ID"};

constexpr TableColumn kColumnNames[kColumns] = {
    {kPanelName, true},     {kNameName, true},       {kAddressName, false}, {kTownName, false},
    {kLatitudeName, false}, {kLongitudeName, false}, {kIdName, false},
};

class RowReader : public TableCellReader {
public:
    RowReader(TableRow& row, std::vector<BookingError>& errors)
        : TableCellReader(row, kColumnNames, errors) {}

    bool Read() {
        panel_.lineNumber = row_.lineNumber;
        panel_.panel = Required(kPanel);
        panel_.name = Required(kName);
        panel_.address = std::move(row_.cells[kAddress]);
        panel_.town = std::move(row_.cells[kTown]);
        ReadPosition();
        ReadId();
        return Ok();
    }
    RegisteredPanel panel_{};

private:
    std::optional<double> Degrees(int column, double limit, std::string_view text) {
        const std::string& cell = row_.cells[column];
        const std::optional<double> degrees = ParseDecimalNumber(cell, -limit, limit);
        if (!degrees) {
            Fail(column, FillIn(text, {cell}));
        }
        return degrees;
    }
    void ReadPosition() {
        const bool latitude = !row_.cells[kLatitude].empty();
        const bool longitude = !row_.cells[kLongitude].empty();
        if (latitude != longitude) {
            Fail(latitude ? kLongitude : kLatitude, kPositionHalf.str());
            return;
        }
        if (latitude) {
            const std::optional<double> lat = Degrees(kLatitude, 90, kNotLatitude);
            const std::optional<double> lon = Degrees(kLongitude, 180, kNotLongitude);
            panel_.hasPosition = lat && lon;
            panel_.latitude = lat.value_or(0);
            panel_.longitude = lon.value_or(0);
        }
    }
    void ReadId() {
        panel_.id = std::move(row_.cells[kId]);
        if (!panel_.id.empty() && (panel_.id.find_first_not_of("0123456789") != std::string::npos ||
                                   panel_.id.size() > kMaxPanelIdDigits)) {
            Fail(kId, FillIn(kNotAnId, {panel_.id, std::to_string(kMaxPanelIdDigits)}));
        }
    }
};

// A folder's panel by its name as Windows compares names, for a panel listed twice.
using LinesByPanel = std::unordered_map<std::string, int32_t>;

void ReadPanel(TableRow& row, PanelRegister& panels, LinesByPanel& lines) {
    RowReader reader(row, panels.errors);
    if (!reader.Read()) {
        return;
    }
    const auto [first, isNew] = lines.emplace(FoldedName(reader.panel_.panel), row.lineNumber);
    if (!isNew) {
        panels.errors.push_back(
            {row.lineNumber, std::string(kPanelName),
             FillIn(kListedTwice, {reader.panel_.panel, std::to_string(first->second)})});
        return;
    }
    panels.panels.push_back(std::move(reader.panel_));
}

}  // namespace

PanelRegister ParsePanelRegister(std::string_view bytes) {
    PanelRegister panels;
    LinesByPanel lines;
    ReadOperatorTable(bytes, kColumnNames, {kEmpty, kHeaderOnly}, panels.errors,
                      [&](TableRow& row) { ReadPanel(row, panels, lines); });
    if (!panels.errors.empty()) {
        panels.panels.clear();
    }
    return panels;
}

const RegisteredPanel* FindRegistered(const PanelRegister& panels, std::string_view folderName) {
    for (const RegisteredPanel& panel : panels.panels) {
        if (EqualIgnoringCase(panel.panel, folderName)) {
            return &panel;
        }
    }
    return nullptr;
}
