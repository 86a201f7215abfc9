#include "reports/html_page.h"

#include <cstdio>

#include "base/cp1250.h"

namespace {

const std::string_view kStyle = R"(<style>
:root{color:#1a202c;background:#fff;font:15px/1.45 "Segoe UI",Arial,Helvetica,sans-serif}
body{max-width:1100px;margin:0 auto;padding:24px}
h1{font-size:26px;margin:0 0 4px}
h2{font-size:20px;margin:32px 0 8px;overflow-wrap:anywhere}
.lead{font-size:18px;color:#4a5568;margin:0 0 12px}
dl.filter{display:grid;grid-template-columns:max-content auto;gap:2px 16px;margin:0 0 20px}
dl.filter dt{color:#4a5568}
dl.filter dd{margin:0}
table{border-collapse:collapse;width:100%;margin:8px 0 16px}
th,td{padding:5px 10px;border-bottom:1px solid #e2e8f0;text-align:left;vertical-align:top}
thead th{background:#edf2f7;border-bottom:2px solid #a0aec0}
tfoot th,tfoot td{font-weight:bold;border-top:2px solid #a0aec0;border-bottom:none}
td.name{overflow-wrap:anywhere}
.num,.time{text-align:right;white-space:pre;font-variant-numeric:tabular-nums}
a{color:#2b6cb0}
figure{margin:8px 0 16px}
figcaption{font-weight:bold;margin-bottom:4px}
.charts{display:grid;grid-template-columns:1fr 1fr;gap:16px}
.charts.wide{grid-template-columns:1fr}
svg.chart{display:block;width:100%;height:auto}
.chart .bar{fill:#3182ce}
.chart .grid{stroke:#e2e8f0}
.chart .axis{stroke:#4a5568}
.chart text{font-size:11px;fill:#2d3748}
.chart text.title{font-size:12px;fill:#4a5568}
.note{color:#9b2c2c}
.span{margin:4px 0 8px}
@page{size:A4;margin:14mm 12mm}
@media print{
:root{font-size:11pt}
body{max-width:none;padding:0}
*{-webkit-print-color-adjust:exact;print-color-adjust:exact}
section.animation{break-before:page}
figure,tr{break-inside:avoid}
thead{display:table-header-group}
a{color:inherit;text-decoration:none}
}
</style>
)";

}  // namespace

std::string PageStart(const std::string& title) {
    std::string html =
        "<!DOCTYPE html>\n<html lang=\"cs\">\n<head>\n<meta charset=\"utf-8\">\n"
        "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
        // Nothing runs and nothing is fetched, whatever a name from the log holds.
        "<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'none'; "
        "style-src 'unsafe-inline'\">\n"
        "<title>" +
        title + "</title>\n";
    html += kStyle;
    return html;
}

std::string PlayTimeText(const SystemTime& time) {
    char text[48];
    std::snprintf(text, sizeof text, "%02u.%02u.%04u %02u:%02u:%02u", time.wDay, time.wMonth,
                  time.wYear, time.wHour, time.wMinute, time.wSecond);
    return text;
}

void AppendMadeAt(std::string& html, const SystemTime& time) {
    char text[128];
    std::snprintf(text, sizeof text,
                  "<time datetime=\"%04u-%02u-%02uT%02u:%02u:%02u\">%u. %u. %u %02u:%02u</time>",
                  time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond,
                  time.wDay, time.wMonth, time.wYear, time.wHour, time.wMinute);
    html += text;
}

// The smallest of 1, 2, 5, 10, 20, 50, ... that is at least value.
uint64_t NiceCeiling(uint64_t value) {
    for (uint64_t base = 1;; base *= 10) {
        for (const uint64_t step : {base, 2 * base, 5 * base}) {
            if (step >= value) {
                return step;
            }
        }
    }
}

void AppendText(std::string& html, int x, int y, const char* anchor, const std::string& text,
                const char* cssClass) {
    html += "<text x=\"" + std::to_string(x) + "\" y=\"" + std::to_string(y) + "\" text-anchor=\"" +
            anchor + "\"";
    if (cssClass != nullptr) {
        html += std::string(" class=\"") + cssClass + "\"";
    }
    html += ">" + text + "</text>";
}

void AppendLine(std::string& html, int x1, int y1, int x2, int y2, const char* cssClass) {
    html += "<line x1=\"" + std::to_string(x1) + "\" y1=\"" + std::to_string(y1) + "\" x2=\"" +
            std::to_string(x2) + "\" y2=\"" + std::to_string(y2) + "\" class=\"" + cssClass +
            "\"/>";
}
