// campaign and verify: a booking against the panels' logs, and the check of its evidence later.
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "base/cp1250.h"
#include "base/moment.h"
#include "base/number_text.h"
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
#include "reports/play_lists.h"
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
constexpr Cp1250Literal kUpozorneniDalsich{"upozornění: dalších "};
constexpr Cp1250Literal kDvojicVCsv{" dvojic řádků se překrývá; všechny jsou v souboru CSV"};
constexpr Cp1250Literal kUlozeno{"Uloženo: "};
constexpr Cp1250Literal kGapTakes{"--gap: minuty od 1 do 1440: "};
constexpr Cp1250Literal kBookingMissing{"chybí OBJEDNÁVKA"};
constexpr Cp1250Literal kNoSuchFolder{": taková složka neexistuje"};
constexpr Cp1250Literal kTwoPanels{"dva panely mají název "};
constexpr Cp1250Literal kAnd{" a "};
constexpr Cp1250Literal kBookingErrors{"Chyby v objednávce: "};
constexpr Cp1250Literal kRegisterErrors{"Chyby v registru panelů: "};
constexpr Cp1250Literal kAudienceErrors{"Chyby v souboru publika: "};
constexpr Cp1250Literal kCannotReadFile{"Soubor nelze přečíst: "};
constexpr Cp1250Literal kNotInRegister{": není v registru panelů"};
constexpr Cp1250Literal kUpozorneniPanel{"upozornění: panel "};
// The window's words where both say the same.
constexpr Cp1250Literal kNothingWritten{"Nic nebylo uloženo."};
constexpr Cp1250Literal kCannotReadBooking{"Objednávku nelze přečíst: "};
constexpr Cp1250Literal kCannotReadLog{"Log nelze přečíst: "};

struct CampaignArguments {
    std::string booking;
    std::vector<std::string> panelFolders;
    int32_t gapMinutes = 15;
    int32_t asOfDay = DefaultAsOfDay();
    std::string registerPath = DefaultOperatorFile(kDefaultRegisterFile);
    std::string audiencePath = DefaultOperatorFile(kDefaultAudienceFile);
    bool playLists = true;
};

bool TakesValue(const std::string& arg) {
    return arg == "--panel" || arg == "--gap" || arg == "--as-of" || arg == "--panels" ||
           arg == "--audience";
}

bool ParseCampaignArguments(const Arguments& args, CampaignArguments& parsed, std::string& error) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (TakesValue(arg) && i + 1 >= args.size()) {
            error = OptionNeedsAValue(arg);
            return false;
        }
        if (arg == "--panel") {
            parsed.panelFolders.push_back(args[++i]);
        } else if (arg == "--panels") {
            parsed.registerPath = args[++i];
        } else if (arg == "--audience") {
            parsed.audiencePath = args[++i];
        } else if (arg == "--no-play-lists") {
            parsed.playLists = false;
        } else if (arg == "--gap") {
            const std::string& value = args[++i];
            const std::optional<int32_t> minutes =
                ParseWholeNumber(value, kShortestGap, kLongestGap);
            if (!minutes) {
                error = kGapTakes.str() + value;
                return false;
            }
            parsed.gapMinutes = *minutes;
        } else if (arg == "--as-of") {
            const std::optional<int32_t> day = ParseDate(args[++i], error);
            if (!day) {
                error = "--as-of: " + error;
                return false;
            }
            parsed.asOfDay = *day;
        } else if (arg.size() > 1 && arg[0] == '-') {
            error = UnknownOption(arg);
            return false;
        } else if (parsed.booking.empty()) {
            parsed.booking = arg;
        } else {
            error = UnexpectedArgument(arg);
            return false;
        }
    }
    if (parsed.booking.empty()) {
        error = kBookingMissing.str();
        return false;
    }
    return true;
}

ExitStatus ReadPanels(const CampaignArguments& parsed, std::vector<CampaignPanel>& panels) {
    if (parsed.panelFolders.empty()) {
        panels.push_back({FolderName("."), ""});
        return ExitStatus::kOk;
    }
    for (const std::string& folder : parsed.panelFolders) {
        size_t other = 0;
        const PanelRefusal refusal = AddPanel(folder, panels, &other);
        if (refusal == PanelRefusal::kNoFolder) {
            return UsageError("--panel " + folder + kNoSuchFolder.str());
        }
        if (refusal == PanelRefusal::kSameName) {
            return UsageError(kTwoPanels.str() + FolderName(folder) + ": " + panels[other].folder +
                              kAnd.str() + folder);
        }
    }
    return ExitStatus::kOk;
}

void PrintFindings(const CampaignReport& report) {
    const CampaignResult& result = report.result;
    const auto note = [](const std::string& cp1250) { Note(cp1250); };
    for (const size_t line : result.linesWithoutPanel) {
        note(kUpozorneniRadek.str() + std::to_string(report.lines[line].lineNumber) +
             kObjednavaPanel.str() + report.lines[line].panel + kKteryNebylZadan.str());
    }
    for (const MissingLog& log : result.missingLogs) {
        note(kChybiLog.str() + log.path + kJehoDnyMaji0.str());
    }
    const std::vector<size_t> named = NamedOverlaps(result);
    for (const size_t o : named) {
        const BookingOverlap& overlap = result.overlaps[o];
        note(kUpozorneniRadky.str() + std::to_string(report.lines[overlap.first].lineNumber) +
             " a " + std::to_string(report.lines[overlap.second].lineNumber) + kSePrekryvaji.str() +
             std::to_string(overlap.sharedPlays) + kPrehraniSeZapocitaloObema.str());
    }
    if (named.size() < result.overlaps.size()) {
        note(kUpozorneniDalsich.str() + std::to_string(result.overlaps.size() - named.size()) +
             kDvojicVCsv.str());
    }
}

std::string TabLine(const std::vector<std::string>& cells) {
    std::string line;
    for (size_t i = 0; i < cells.size(); ++i) {
        line += cells[i] + (i + 1 < cells.size() ? "\t" : "\n");
    }
    return line;
}

// The state of each line on each panel as of the day, the screens by town, then what the lines
// still short need.
std::string FiguresLines(const CampaignReport& report) {
    std::string text =
        AsOfText(report.result.asOfDay) + "\n" + CampaignTitles(kStatusColumns, "\t") + "\n";
    for (const LineFigures& figures : report.result.figures) {
        text += TabLine(StatusCells(report, figures, '.'));
    }
    text += std::string(MarketsTitle()) + "\n" + CampaignTitles(kMarketColumns, "\t") + "\n";
    for (const std::vector<std::string>& cells : MarketCells(report)) {
        text += TabLine(cells);
    }
    std::string makeGood;
    for (const LineFigures& figures : report.result.figures) {
        if (const std::vector<std::string> cells = MakeGoodCells(report, figures); !cells.empty()) {
            makeGood += TabLine(cells);
        }
    }
    if (!makeGood.empty()) {
        text += std::string(MakeGoodTitle()) + "\n" + CampaignTitles(kMakeGoodColumns, "\t") +
                "\n" + makeGood;
    }
    return text;
}

// Lists the file's errors; false when it has some.
bool NoteFileErrors(const std::string& path, const std::vector<BookingError>& errors,
                    std::string_view summary) {
    for (const BookingError& error : errors) {
        Note(BookingErrorText(path, error));
    }
    if (!errors.empty()) {
        Note(std::string(summary) + std::to_string(errors.size()) + ". " + kNothingWritten.str());
    }
    return errors.empty();
}

// The register and the audience file, as the booking: the errors of both listed, nothing written.
ExitStatus LoadOperatorFiles(const CampaignArguments& parsed, OperatorFiles& files) {
    files.registerPath = parsed.registerPath;
    files.audiencePath = parsed.audiencePath;
    std::string path, reason;
    if (!ReadOperatorFiles(files, path, reason)) {
        Note(kCannotReadFile.str() + path + ": " + reason);
        return ExitStatus::kUsage;
    }
    const bool registerRead =
        NoteFileErrors(files.registerPath, files.panelRegister.errors, kRegisterErrors);
    const bool audienceRead =
        NoteFileErrors(files.audiencePath, files.audience.errors, kAudienceErrors);
    return registerRead && audienceRead ? ExitStatus::kOk : ExitStatus::kUsage;
}

void NoteUnregistered(const std::vector<CampaignPanel>& panels,
                      const std::vector<size_t>& unregistered) {
    for (const size_t panel : unregistered) {
        Note(kUpozorneniPanel.str() + panels[panel].name + kNotInRegister.str());
    }
}

}  // namespace

ExitStatus RunCampaign(const Arguments& args) {
    CampaignArguments parsed;
    std::string error;
    if (!ParseCampaignArguments(args, parsed, error)) {
        return UsageError(error);
    }
    BookingFile file;
    if (!ReadBookingFile(parsed.booking, file, error)) {
        Note(kCannotReadBooking.str() + parsed.booking + ": " + error);
        return ExitStatus::kUsage;
    }
    const Booking& booking = file.booking;
    if (!booking.errors.empty()) {
        NoteFileErrors(parsed.booking, booking.errors, kBookingErrors);
        return ExitStatus::kUsage;
    }
    OperatorFiles operatorFiles;
    if (const ExitStatus status = LoadOperatorFiles(parsed, operatorFiles);
        status != ExitStatus::kOk) {
        return status;
    }
    std::vector<CampaignPanel> panels;
    if (const ExitStatus status = ReadPanels(parsed, panels); status != ExitStatus::kOk) {
        return status;
    }
    NoteUnregistered(panels, ApplyOperatorFiles(operatorFiles, panels));
    const std::time_t madeAt = ReproducibleNow();
    PlayListParts lists(BookingName(file.path), booking.lines, panels);
    PlayListParts* const plays = parsed.playLists ? &lists : nullptr;
    const CampaignSettings settings{parsed.gapMinutes, parsed.asOfDay, madeAt, plays};
    const CampaignOutcome outcome = EvaluateCampaign(booking.lines, panels, settings);
    if (const auto* unreadable = std::get_if<UnreadableLog>(&outcome)) {
        Note(kCannotReadLog.str() + unreadable->path + ": " + unreadable->reason);
        return Failure(kNothingWritten.str());
    }
    const CampaignResult& result = std::get<CampaignResult>(outcome);
    const CampaignReport report =
        MakeCampaignReport(file, panels, result, settings, true, operatorFiles);
    if (const ExitStatus status = MakeReportFolder(); status != ExitStatus::kOk) {
        return status;
    }
    std::vector<std::string> paths;
    const ReportResult written =
        WriteCampaignProofs(report, PageTimeAt(madeAt), true, paths, plays);
    PrintFindings(report);
    if (!Succeeded(written)) {
        return Failure(ReportFailureMessage(written));
    }
    std::string saved;
    for (const std::string& path : paths) {
        saved += (saved.empty() ? kUlozeno.str() : ", ") + path;
    }
    return PrintCp1250(FiguresLines(report) + saved + "\n");
}
