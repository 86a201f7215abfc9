// campaign and verify: a booking against the panels' logs, and the check of its evidence later.
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <variant>
#include <vector>

#include "base/cp1250.h"
#include "base/system_files.h"
#include "campaign/as_of_day.h"
#include "campaign/booking.h"
#include "campaign/campaign.h"
#include "campaign/spot_pattern.h"
#include "cli/commands.h"
#include "digest/sha256.h"
#include "reports/campaign_files.h"
#include "reports/campaign_texts.h"
#include "reports/campaign_run.h"
#include "reports/report_messages.h"
#include "reports/report_paths.h"

namespace {

// The texts of this file, Windows-1250.
constexpr Cp1250Literal kUpozorneniRadek{"upozornění: řádek "};
constexpr Cp1250Literal kObjednavaPanel{" objednává panel "};
constexpr Cp1250Literal kKteryNebylZadan{", který nebyl zadán"};
constexpr Cp1250Literal kChybiLog{"chybí log "};
constexpr Cp1250Literal kJehoDnyMaji0{": jeho dny mají 0 přehrání"};
constexpr Cp1250Literal kUpozorneniRadky{"upozornění: řádky "};
constexpr Cp1250Literal kSePrekryvaji{" se překrývají; "};
constexpr Cp1250Literal kPrehraniSeZapocitaloObema{" přehrání se započítalo oběma"};
constexpr Cp1250Literal kUlozeno{"Uloženo: "};

struct CampaignArguments {
    std::string booking;
    std::vector<std::string> panelFolders;
    int32_t gapMinutes = 15;
    int32_t asOfDay = DefaultAsOfDay();
};

bool ParseCampaignArguments(const Arguments& args, CampaignArguments& parsed, std::string& error) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if ((arg == "--panel" || arg == "--gap" || arg == "--as-of") && i + 1 >= args.size()) {
            error = "option " + arg + " needs a value";
            return false;
        }
        if (arg == "--panel") {
            parsed.panelFolders.push_back(args[++i]);
        } else if (arg == "--gap") {
            const std::string& value = args[++i];
            char* end = nullptr;
            errno = 0;
            const long minutes = std::strtol(value.c_str(), &end, 10);
            if (value.empty() || *end != '\0' || errno == ERANGE || minutes < 1 || minutes > 1440) {
                error = "--gap takes minutes from 1 to 1440: " + value;
                return false;
            }
            parsed.gapMinutes = static_cast<int32_t>(minutes);
        } else if (arg == "--as-of") {
            const std::optional<int32_t> day = ParseDate(args[++i], error);
            if (!day) {
                error = "--as-of: " + Cp1250ToUtf8(error);
                return false;
            }
            parsed.asOfDay = *day;
        } else if (arg.size() > 1 && arg[0] == '-') {
            error = "unknown option " + Cp1250ToUtf8(arg);
            return false;
        } else if (parsed.booking.empty()) {
            parsed.booking = arg;
        } else {
            error = "unexpected argument " + Cp1250ToUtf8(arg);
            return false;
        }
    }
    if (parsed.booking.empty()) {
        error = "BOOKING is missing";
        return false;
    }
    return true;
}

int ReadPanels(const CampaignArguments& parsed, std::vector<CampaignPanel>& panels) {
    if (parsed.panelFolders.empty()) {
        panels.push_back({FolderName("."), ""});
        return kExitOk;
    }
    for (const std::string& folder : parsed.panelFolders) {
        size_t other = 0;
        const PanelRefusal refusal = AddPanel(folder, panels, &other);
        if (refusal == PanelRefusal::kNoFolder) {
            return UsageError("--panel " + Cp1250ToUtf8(folder) + ": no such folder");
        }
        if (refusal == PanelRefusal::kSameName) {
            return UsageError(Cp1250ToUtf8("two panels have the name " + FolderName(folder) + ": " +
                                           panels[other].folder + " and " + folder));
        }
    }
    return kExitOk;
}

void PrintFindings(const CampaignReport& report) {
    const CampaignResult& result = report.result;
    const auto note = [](const std::string& cp1250) {
        std::fprintf(stderr, "kvimeter-cli: %s\n", Cp1250ToUtf8(cp1250).c_str());
    };
    for (const size_t line : result.linesWithoutPanel) {
        note(kUpozorneniRadek.str() + std::to_string(report.lines[line].lineNumber) +
             kObjednavaPanel.str() + report.lines[line].panel + kKteryNebylZadan.str());
    }
    for (const MissingLog& log : result.missingLogs) {
        note(kChybiLog.str() + log.path + kJehoDnyMaji0.str());
    }
    for (const BookingOverlap& overlap : result.overlaps) {
        note(kUpozorneniRadky.str() + std::to_string(report.lines[overlap.first].lineNumber) +
             " a " + std::to_string(report.lines[overlap.second].lineNumber) + kSePrekryvaji.str() +
             std::to_string(overlap.sharedPlays) + kPrehraniSeZapocitaloObema.str());
    }
}

// The state of each line on each panel as of the day, then what the lines still short need.
std::string FiguresLines(const CampaignReport& report) {
    std::string text =
        AsOfText(report.result.asOfDay) + "\n" + CampaignTitles(kStatusColumns, "\t") + "\n";
    for (const LineFigures& figures : report.result.figures) {
        const std::vector<std::string> cells = StatusCells(report, figures, '.');
        for (size_t i = 0; i < cells.size(); ++i) {
            text += cells[i] + (i + 1 < cells.size() ? "\t" : "\n");
        }
    }
    std::string makeGood;
    for (const LineFigures& figures : report.result.figures) {
        const std::vector<std::string> cells = MakeGoodCells(report, figures);
        for (size_t i = 0; i < cells.size(); ++i) {
            makeGood += cells[i] + (i + 1 < cells.size() ? "\t" : "\n");
        }
    }
    if (!makeGood.empty()) {
        text += std::string(MakeGoodTitle()) + "\n" + CampaignTitles(kMakeGoodColumns, "\t") +
                "\n" + makeGood;
    }
    return text;
}

int ReportBookingErrors(const std::string& path, const Booking& booking) {
    for (const BookingError& error : booking.errors) {
        std::fprintf(stderr, "kvimeter-cli: %s\n",
                     Cp1250ToUtf8(BookingErrorText(path, error)).c_str());
    }
    std::fprintf(stderr, "kvimeter-cli: %zu %s; nothing was written\n", booking.errors.size(),
                 booking.errors.size() == 1 ? "error in the booking" : "errors in the booking");
    return kExitUsage;
}

}  // namespace

int RunCampaign(const Arguments& args) {
    CampaignArguments parsed;
    std::string error;
    if (!ParseCampaignArguments(args, parsed, error)) {
        return UsageError(error);
    }
    BookingFile file;
    if (!ReadBookingFile(parsed.booking, file, error)) {
        std::fprintf(stderr, "kvimeter-cli: cannot read the booking %s: %s\n",
                     Cp1250ToUtf8(parsed.booking).c_str(), error.c_str());
        return kExitUsage;
    }
    const Booking& booking = file.booking;
    if (!booking.errors.empty()) {
        return ReportBookingErrors(parsed.booking, booking);
    }
    std::vector<CampaignPanel> panels;
    if (const int status = ReadPanels(parsed, panels); status != kExitOk) {
        return status;
    }
    const CampaignOutcome outcome = EvaluateCampaign(
        booking.lines, panels, CampaignSettings{parsed.gapMinutes, parsed.asOfDay});
    if (const auto* unreadable = std::get_if<UnreadableLog>(&outcome)) {
        return Failure("cannot read " + Cp1250ToUtf8(unreadable->path) + ": " + unreadable->reason);
    }
    const CampaignResult& result = std::get<CampaignResult>(outcome);
    const CampaignReport report = MakeCampaignReport(file, panels, result, parsed.gapMinutes);
    if (const int status = MakeReportFolder(); status != kExitOk) {
        return status;
    }
    std::vector<std::string> paths;
    const ReportResult written = WriteCampaignProofs(report, PageTime(), true, paths);
    PrintFindings(report);
    if (!Succeeded(written)) {
        return Failure(Cp1250ToUtf8(ReportFailureMessage(written)));
    }
    std::string saved;
    for (const std::string& path : paths) {
        saved += (saved.empty() ? kUlozeno.str() : ", ") + path;
    }
    return PrintCp1250(FiguresLines(report) + saved + "\n");
}
