// The campaign's page for the client. Its own texts are UTF-8; whatever comes from the booking
// file, the panels or the logs goes through HtmlText.
#include "reports/campaign_page.h"

#include <algorithm>
#include <cstdio>
#include <map>

#include "base/cp1250.h"
#include "campaign/calendar.h"
#include "reports/campaign_texts.h"
#include "reports/html_page.h"

namespace {

constexpr std::string_view kCampaignStyle = R"(<style>
.chart .bar.short{fill:#dd6b20}
.chart .level{stroke:#2d3748;stroke-width:2;stroke-dasharray:6 4}
.chart .pending{fill:#edf2f7;stroke:#a0aec0;stroke-dasharray:2 2}
.ok{color:#276749}
.warn{color:#9b2c2c;font-weight:bold}
td.hash{font-family:Consolas,"DejaVu Sans Mono",monospace;font-size:12px;overflow-wrap:anywhere}
section.line{break-before:page}
</style>
)";

std::string Text(std::string_view cp1250) {
    return HtmlText(cp1250);
}

std::string Number(uint64_t value) {
    return std::to_string(value);
}

std::string Percent(const FiguresTotal& total) {
    return Cp1250ToUtf8(PercentText(total, ','));
}

// A client's or campaign's sum: the figures of its lines and the days they have left.
struct Sum {
    FiguresTotal total{0, 0, 0, 0};
    uint64_t daysLeft = 0;

    void Add(const BookingLine& line, const LineFigures& figures) {
        const FiguresTotal part = TotalOf(line, figures);
        total.booked += part.booked;
        total.delivered += part.delivered;
        total.bonus += part.bonus;
        total.daysShort += part.daysShort;
        daysLeft += figures.daysLeft;
    }
};

std::string FiguresCells(const Sum& sum, const char* cell = "td") {
    const std::string open = std::string("<") + cell + " class=\"num\">";
    const std::string close = std::string("</") + cell + ">";
    const FiguresTotal& total = sum.total;
    return open + Number(total.booked) + close + open + Number(total.delivered) + close + open +
           Number(total.bonus) + close + open + Percent(total) + close + open +
           Number(total.daysShort) + close + open + Number(sum.daysLeft) + close;
}

std::string Head(int column, bool number = false) {
    return std::string(number ? "<th class=\"num\">" : "<th>") +
           Cp1250ToUtf8(CampaignColumnTitle(column)) + "</th>";
}

std::string FiguresHead() {
    std::string head;
    for (const int column : {kBookedColumn, kDeliveredColumn, kBonusColumn, kPercentColumn,
                             kDaysShortColumn, kDaysLeftColumn}) {
        head += Head(column, true);
    }
    return head;
}

std::string WindowText(const BookingLine& line) {
    if (line.from.hour == 0 && line.from.minute == 0 && line.to.hour == 24) {
        return "celý den";
    }
    char text[64];
    std::snprintf(text, sizeof text, "%d:%02d–%d:%02d", static_cast<int>(line.from.hour),
                  static_cast<int>(line.from.minute), static_cast<int>(line.to.hour),
                  static_cast<int>(line.to.minute));
    return text;
}

void AppendHeader(std::string& html, const CampaignReport& report, const SystemTime& madeAt) {
    int32_t first = report.lines.front().firstDay;
    int32_t last = report.lines.front().lastDay;
    for (const BookingLine& line : report.lines) {
        first = std::min(first, line.firstDay);
        last = std::max(last, line.lastDay);
    }
    std::string panels;
    for (const CampaignPanel& panel : report.panels) {
        panels += (panels.empty() ? "" : ", ") + Text(panel.name);
    }
    html += "<header>\n<h1>Plnění kampaní</h1>\n<p class=\"lead\">Objednávka " + Text(report.name) +
            "</p>\n<p class=\"lead asof\">" + Cp1250ToUtf8(AsOfText(report.result.asOfDay)) +
            "</p>\n<dl class=\"filter\">\n" +
            (report.client.empty() ? std::string()
                                   : "<dt>Klient</dt><dd>" + Text(report.client) + "</dd>\n") +
            "<dt>Období</dt><dd>" + Cp1250ToUtf8(CzechDateText(first)) + " – " +
            Cp1250ToUtf8(CzechDateText(last)) + "</dd>\n<dt>Panely</dt><dd>" + panels +
            "</dd>\n<dt>Výpadek</dt><dd>ticho delší než " + std::to_string(report.gapMinutes) +
            " min v objednaném okně, bez přehrání jakékoli animace</dd>\n"
            "<dt>Časy</dt><dd>místní čas panelu, jak jej zapisuje přehrávač; letní čas podle "
            "pravidla EU (poslední neděle v březnu 2:00 → 3:00, poslední neděle v říjnu 3:00 → "
            "2:00): vynechaná hodina v březnu není výpadek, opakovaná hodina v říjnu se počítá "
            "dvakrát a žádné přehrání se neztratí</dd>\n<dt>Vytvořeno</dt><dd>";
    AppendMadeAt(html, madeAt);
    html += "</dd>\n</dl>\n</header>\n";
}

void AppendClientSummary(std::string& html, const CampaignReport& report) {
    std::map<std::pair<std::string, std::string>, Sum> byCampaign;
    std::map<std::pair<std::string, std::string>, std::string> contracts;
    std::vector<std::pair<std::string, std::string>> order;
    Sum all;
    for (const LineFigures& figures : report.result.figures) {
        const BookingLine& line = report.lines[figures.line];
        const auto key = std::make_pair(line.client, line.campaign);
        if (byCampaign.find(key) == byCampaign.end()) {
            order.push_back(key);
        }
        byCampaign[key].Add(line, figures);
        all.Add(line, figures);
        std::string& contract = contracts[key];
        if (!line.contract.empty() && contract.find(line.contract) == std::string::npos) {
            contract += (contract.empty() ? "" : ", ") + line.contract;
        }
    }
    html +=
        "<section class=\"summary\">\n<h2>Souhrn podle klientů a kampaní</h2>\n<table><thead>"
        "<tr>" +
        Head(kClientColumn) + Head(kCampaignColumn) + Head(kContractColumn) + FiguresHead() +
        "</tr></thead>\n<tbody>\n";
    for (const auto& key : order) {
        html += "<tr><td>" + Text(key.first) + "</td><td>" + Text(key.second) + "</td><td>" +
                Text(contracts[key]) + "</td>" + FiguresCells(byCampaign[key]) + "</tr>\n";
    }
    html += "</tbody><tfoot><tr><th>Celkem</th><td></td><td></td>" + FiguresCells(all, "td") +
            "</tr></tfoot></table>\n</section>\n";
}

struct ChartScale {
    uint64_t top, step, ticks;
};

ChartScale ScaleFor(uint64_t most) {
    const uint64_t step = NiceCeiling(most == 0 ? 1 : (most + 3) / 4);
    const uint64_t ticks = most == 0 ? 1 : (most + step - 1) / step;
    return {ticks * step, step, ticks};
}

// Delivered bars per day against the booked level, a dashed line; the days still to come as
// empty slots up to it.
void AppendDayChart(std::string& html, const std::vector<uint32_t>& delivered, uint32_t booked,
                    int32_t firstDay, uint32_t daysLeft) {
    constexpr int kWidth = 1000, kHeight = 230, kLeft = 56, kRight = 8, kTop = 10, kBottom = 40;
    uint64_t most = booked;
    for (const uint32_t count : delivered) {
        most = std::max<uint64_t>(most, count);
    }
    const ChartScale scale = ScaleFor(most);
    const int plotWidth = kWidth - kLeft - kRight;
    const int plotHeight = kHeight - kTop - kBottom;
    const int base = kTop + plotHeight;
    const auto height = [&](uint64_t value) {
        return static_cast<int>(value * static_cast<uint64_t>(plotHeight) / scale.top);
    };
    html += "<svg class=\"chart\" viewBox=\"0 0 " + std::to_string(kWidth) + " " +
            std::to_string(kHeight) + "\" role=\"img\" aria-label=\"Odvysíláno podle dnů\">";
    for (uint64_t t = 0; t <= scale.ticks; ++t) {
        const int y = base - height(t * scale.step);
        AppendLine(html, kLeft, y, kWidth - kRight, y, t == 0 ? "axis" : "grid");
        AppendText(html, kLeft - 5, y + 4, "end", std::to_string(t * scale.step));
    }
    const int n = static_cast<int>(delivered.size() + daysLeft);
    for (int i = 0; i < n; ++i) {
        const int x0 = kLeft + i * plotWidth / n;
        const int x1 = kLeft + (i + 1) * plotWidth / n;
        const int gap = (x1 - x0) / 6 + (x1 - x0 > 2 ? 1 : 0);
        const CivilDate date = DateOfDay(firstDay + i);
        const std::string label = std::to_string(date.day) + "." + std::to_string(date.month) + ".";
        if (i >= static_cast<int>(delivered.size())) {
            const int h = std::max(1, height(booked));
            html += "<rect class=\"pending\" x=\"" + std::to_string(x0 + gap) + "\" y=\"" +
                    std::to_string(base - h) + "\" width=\"" +
                    std::to_string(std::max(1, x1 - x0 - 2 * gap)) + "\" height=\"" +
                    std::to_string(h) + "\"><title>" + label + ": čeká</title></rect>";
        } else if (delivered[i] > 0) {
            const int h = height(delivered[i]);
            html += std::string("<rect class=\"bar") + (delivered[i] < booked ? " short" : "") +
                    "\" x=\"" + std::to_string(x0 + gap) + "\" y=\"" + std::to_string(base - h) +
                    "\" width=\"" + std::to_string(std::max(1, x1 - x0 - 2 * gap)) +
                    "\" height=\"" + std::to_string(h) + "\"><title>" + label + ": " +
                    std::to_string(delivered[i]) + " z " + std::to_string(booked) +
                    "</title></rect>";
        }
        if (i == 0 || n <= 16 || date.day == 1 || (date.day % 5 == 0 && date.day < 30)) {
            AppendText(html, (x0 + x1) / 2, base + 14, "middle", label);
        }
    }
    const int level = base - height(booked);
    AppendLine(html, kLeft, level, kWidth - kRight, level, "level");
    AppendText(html, kLeft + plotWidth / 2, kHeight - 6, "middle",
               daysLeft > 0 ? "Den (oranžově dny pod objednávkou, čárkovaně objednaný počet, "
                              "prázdně dny, které teprve přijdou)"
                            : "Den (oranžově dny pod objednávkou, čárkovaně objednaný počet)",
               "title");
    html += "</svg>";
}

void AppendLineSection(std::string& html, const CampaignReport& report, size_t l) {
    const BookingLine& line = report.lines[l];
    html += "<section class=\"line\">\n<h2>Řádek " + std::to_string(line.lineNumber) + ": " +
            Text(line.client) + " – " + Text(line.campaign) + " – " + Text(line.spot) +
            "</h2>\n<p class=\"span\">" + Cp1250ToUtf8(CzechDateText(line.firstDay)) + " – " +
            Cp1250ToUtf8(CzechDateText(line.lastDay)) + ", " + WindowText(line) + ", " +
            std::to_string(line.playsPerDay) + " přehrání za den" +
            (line.panel.empty() ? ", všechny panely" : ", panel " + Text(line.panel)) +
            (line.contract.empty() ? "" : ", smlouva " + Text(line.contract)) + "</p>\n";
    if (line.firstDay > report.result.asOfDay) {
        html += "<p class=\"pending\">" + Text(NotStartedText(line.firstDay)) + "</p>\n";
    }
    html += "<table><thead><tr>" + Head(kPanelColumn) + FiguresHead() + "</tr></thead>\n<tbody>\n";
    std::string charts;
    for (const LineFigures& figures : report.result.figures) {
        if (figures.line != l) {
            continue;
        }
        Sum sum;
        sum.Add(line, figures);
        const std::string panel = Text(report.panels[figures.panel].name);
        html += "<tr><td>" + panel + "</td>" + FiguresCells(sum) + "</tr>\n";
        if (!figures.delivered.empty()) {
            charts += "<figure><figcaption>Panel " + panel + ": odvysíláno podle dnů</figcaption>";
            AppendDayChart(charts, figures.delivered, line.playsPerDay, line.firstDay,
                           figures.daysLeft);
            charts += "</figure>\n";
        }
    }
    html += "</tbody></table>\n" + charts + "</section>\n";
}

// The operator's planning figure: what each line still short must play a day from now on.
void AppendMakeGood(std::string& html, const CampaignReport& report) {
    std::string rows;
    for (const LineFigures& figures : report.result.figures) {
        const std::vector<std::string> cells = MakeGoodCells(report, figures);
        for (size_t i = 0; i < cells.size(); ++i) {
            const bool number = i >= kMakeGoodColumns.size() - 4;  // the last four are counts
            rows += (i == 0 ? "<tr>" : "") + std::string(number ? "<td class=\"num\">" : "<td>") +
                    Text(cells[i]) + "</td>" + (i + 1 == cells.size() ? "</tr>\n" : "");
        }
    }
    if (rows.empty()) {
        return;
    }
    html +=
        "<section class=\"makegood\">\n<h2>" + Text(MakeGoodTitle()) + "</h2>\n<table><thead><tr>";
    size_t i = 0;
    for (const int column : kMakeGoodColumns) {
        html += Head(column, i++ >= kMakeGoodColumns.size() - 4);
    }
    html += "</tr></thead>\n<tbody>\n" + rows + "</tbody></table>\n</section>\n";
}

void AppendOutages(std::string& html, const CampaignReport& report) {
    const CampaignResult& result = report.result;
    html += "<section class=\"outages\">\n<h2>Výpadky a chybějící data</h2>\n";
    if (result.outages.empty()) {
        html += "<p class=\"ok\">V objednaných oknech nebyl žádný výpadek delší než " +
                std::to_string(report.gapMinutes) + " min.</p>\n";
    } else {
        html +=
            "<table><thead><tr><th>Panel</th><th>Datum</th><th class=\"time\">Od</th>"
            "<th class=\"time\">Do</th><th class=\"time\">Délka</th></tr></thead>\n<tbody>\n";
        for (const Outage& outage : result.outages) {
            html += "<tr><td>" + Text(report.panels[outage.panel].name) + "</td><td>" +
                    Cp1250ToUtf8(CzechDateText(outage.day)) + "</td><td class=\"time\">" +
                    SecondsText(outage.start) + "</td><td class=\"time\">" +
                    SecondsText(outage.end) + "</td><td class=\"time\">" +
                    SecondsText(outage.seconds) + "</td></tr>\n";
        }
        html += "</tbody></table>\n";
    }
    for (const SilentDay& day : result.silentDays) {
        html += "<p class=\"warn\">Panel " + Text(report.panels[day.panel].name) + " " +
                Cp1250ToUtf8(CzechDateText(day.day)) + " nepřehrál nic.</p>\n";
    }
    for (const MissingLog& log : result.missingLogs) {
        html += "<p class=\"warn\">Chybí log " + Text(log.path) + " panelu " +
                Text(report.panels[log.panel].name) + ": jeho dny mají 0 přehrání.</p>\n";
    }
    for (const LogEnd& end : result.logEnds) {
        html += "<p class=\"warn\">Panel " + Text(report.panels[end.panel].name) + ": " +
                Text(LogEndText(end.day, end.second)) +
                "; novější logy zatím nebyly zkopírovány, pozdější dny proto nelze posoudit.</p>\n";
    }
    if (!result.shortDays.empty()) {
        html +=
            "<h3>Dny pod objednávkou a jejich vysvětlení</h3>\n<table><thead><tr>"
            "<th>Řádek</th><th>Panel</th><th>Datum</th><th class=\"num\">Objednáno</th>"
            "<th class=\"num\">Odvysíláno</th><th>Vysvětlení</th></tr></thead>\n<tbody>\n";
        for (const ShortDay& day : result.shortDays) {
            const LineFigures& figures = result.figures[day.figures];
            const BookingLine& line = report.lines[figures.line];
            html += "<tr><td>" + std::to_string(line.lineNumber) + "</td><td>" +
                    Text(report.panels[figures.panel].name) + "</td><td>" +
                    Cp1250ToUtf8(CzechDateText(day.day)) + "</td><td class=\"num\">" +
                    Number(line.playsPerDay) + "</td><td class=\"num\">" +
                    Number(figures.delivered[day.day - line.firstDay]) + "</td><td>" +
                    Text(ShortDayReasonText(result, day)) + "</td></tr>\n";
        }
        html += "</tbody></table>\n";
    }
    for (const BookingOverlap& overlap : result.overlaps) {
        html += "<p class=\"warn\">Řádky " +
                std::to_string(report.lines[overlap.first].lineNumber) + " a " +
                std::to_string(report.lines[overlap.second].lineNumber) +
                " objednávky se překrývají spotem, dny i časem: " + Number(overlap.sharedPlays) +
                " přehrání se započítalo oběma.</p>\n";
    }
    html += "</section>\n";
}

std::string EvidenceRow(const std::string& panel, const std::string& path, uint64_t size,
                        const Sha256Digest& digest, const std::string& span,
                        const std::string& plausibility) {
    const std::string file = Text(path);
    // verify reads the name back from the attribute: it has to come back byte for byte.
    return "<tr data-file=\"" + HtmlAttribute(path) + "\" data-size=\"" + Number(size) +
           "\" data-sha256=\"" + HexDigest(digest) + "\"><td>" + panel + "</td><td>" + file +
           "</td><td class=\"num\">" + Number(size) + "</td><td class=\"hash\">" +
           HexDigest(digest) + "</td><td>" + span + "</td><td>" + plausibility + "</td></tr>\n";
}

void AppendEvidence(std::string& html, const CampaignReport& report) {
    html +=
        "<section class=\"evidence\">\n<h2>Důkazy</h2>\n<p>Čísla vycházejí z těchto souborů. "
        "Otisk SHA-256 každého z nich ověří kdokoli: ve Windows příkazem "
        "<code>certutil -hashfile SOUBOR SHA256</code>, jinde <code>sha256sum SOUBOR</code>; "
        "<code>kvimeter-cli verify</code> ověří všechny najednou. Log, do kterého přehrávač "
        "mezitím zapsal další řádky, má nový otisk; jeho prvních uvedených bajtů se to "
        "netýká. Věrohodnost říká, zda log odpovídá jedné obrazovce, která hraje jeden spot "
        "najednou: žádné přehrání nezačne dřív, než předchozí dohraje, čas nejde zpět (kromě "
        "opakované hodiny v říjnu) a žádný řádek není dvakrát. Čísla výše to "
        "nemění.</p>\n<table><thead><tr><th>Panel</th><th>Soubor</th>"
        "<th class=\"num\">Velikost [B]</th><th>SHA-256</th><th>Přehrání</th>"
        "<th>Věrohodnost</th></tr></thead>\n"
        "<tbody>\n";
    html += EvidenceRow("", report.booking.path, report.booking.size, report.booking.digest,
                        "objednávka", "");
    for (const LogEvidence& log : report.result.logs) {
        const std::string span =
            log.hasPlays ? "první " + StampText(log.first) + ", poslední " + StampText(log.last)
                         : std::string("žádné");
        html += EvidenceRow(Text(report.panels[log.panel].name), log.path, log.size, log.digest,
                            span, Text(PlausibilityText(log)));
    }
    html += "</tbody></table>\n</section>\n";
}

}  // namespace

std::string CampaignPage(const CampaignReport& report, const SystemTime& madeAt) {
    std::string html = PageStart("Plnění kampaní – " + Text(report.name));
    html += kCampaignStyle;
    html += "</head>\n<body>\n";
    AppendHeader(html, report, madeAt);
    html += "<main>\n";
    AppendClientSummary(html, report);
    if (report.client.empty()) {
        AppendMakeGood(html, report);
    }
    for (size_t l = 0; l < report.lines.size(); ++l) {
        AppendLineSection(html, report, l);
    }
    AppendOutages(html, report);
    AppendEvidence(html, report);
    html += "</main>\n</body>\n</html>\n";
    return html;
}
