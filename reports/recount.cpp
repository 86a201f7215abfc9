#include "reports/recount.h"

#include <optional>
#include <unordered_map>
#include <utility>
#include <variant>

#include "base/cp1250.h"
#include "base/system_files.h"
#include "campaign/client_share.h"
#include "reports/campaign_run.h"
#include "reports/evidence_check.h"
#include "reports/proof_settings.h"

namespace {

constexpr size_t kRowsShown = 5;

// A name the proof records, as found from where the check runs.
std::string FromWorkingFolder(const std::string& folder, const std::string& path) {
    return folder.empty() || IsAbsoluteProofPath(path) ? path : folder + path;
}

// The proof's own CSV file: beside it, with the same name.
std::string CsvBeside(const std::string& proof) {
    const size_t dot = proof.rfind('.');
    return proof.substr(0, dot) + ".csv";
}

// The recorded files and panels read again; "" when they could be, else why not (UTF-8).
struct Recounted {
    BookingFile booking;
    OperatorFiles operatorFiles;
    std::vector<CampaignPanel> panels;
    CampaignSettings count;
    std::optional<CampaignResult> result;
};

std::string ReadRecordedFiles(const ProofSettings& settings, const std::string& folder,
                              Recounted& recounted) {
    std::string reason;
    const std::string booking = FromWorkingFolder(folder, settings.booking);
    if (!ReadBookingFile(booking, recounted.booking, reason)) {
        return "objednávku nelze přečíst: " + Cp1250ToUtf8(booking + ": " + reason);
    }
    if (!recounted.booking.booking.errors.empty()) {
        return "objednávka " + Cp1250ToUtf8(booking) +
               " má chyby: " + std::to_string(recounted.booking.booking.errors.size());
    }
    recounted.booking.path = settings.booking;
    OperatorFiles& files = recounted.operatorFiles;
    files.registerPath =
        settings.panelRegister.empty() ? "" : FromWorkingFolder(folder, settings.panelRegister);
    files.audiencePath =
        settings.audience.empty() ? "" : FromWorkingFolder(folder, settings.audience);
    std::string failed;
    if (!ReadOperatorFiles(files, failed, reason)) {
        return "soubor nelze přečíst: " + Cp1250ToUtf8(failed + ": " + reason);
    }
    if (!files.panelRegister.errors.empty() || !files.audience.errors.empty()) {
        return "registr panelů nebo soubor publika má chyby";
    }
    files.registerPath = settings.panelRegister;
    files.audiencePath = settings.audience;
    return "";
}

std::string Strip(const std::string& folder, std::string path) {
    return !folder.empty() && path.starts_with(folder) ? path.substr(folder.size()) : path;
}

// The count as it was made, from where the check runs; the panels' folders and the logs' paths
// then named as the proof names them.
std::string CountAgain(const ProofSettings& settings, const std::string& folder,
                       Recounted& recounted) {
    for (const std::string& panel : settings.panels) {
        const std::string found = FromWorkingFolder(folder, panel);
        recounted.panels.push_back({FolderName(found.empty() ? "." : found), found});
    }
    static_cast<void>(ApplyOperatorFiles(recounted.operatorFiles, recounted.panels));
    recounted.count = {settings.gapMinutes, settings.asOfDay, settings.madeAt};
    CampaignOutcome outcome =
        EvaluateCampaign(recounted.booking.booking.lines, recounted.panels, recounted.count);
    if (const auto* unreadable = std::get_if<UnreadableLog>(&outcome)) {
        return "log nelze přečíst: " + Cp1250ToUtf8(unreadable->path + ": " + unreadable->reason);
    }
    recounted.result = std::move(std::get<CampaignResult>(outcome));
    for (size_t p = 0; p < recounted.panels.size(); ++p) {
        recounted.panels[p].folder = settings.panels[p];
    }
    for (LogEvidence& log : recounted.result->logs) {
        log.path = Strip(folder, log.path);
    }
    for (MissingLog& log : recounted.result->missingLogs) {
        log.path = Strip(folder, log.path);
    }
    return "";
}

// The CSV file the count gives for the overview, or for the client whose pair the proof is.
std::optional<std::string> FreshCsv(const ProofSettings& settings, const Recounted& recounted) {
    const CampaignReport overview =
        MakeCampaignReport(recounted.booking, recounted.panels, *recounted.result, recounted.count,
                           settings.perClient, recounted.operatorFiles);
    if (settings.client.empty()) {
        return CampaignCsv(overview);
    }
    const ClientShares shares(overview.lines, overview.panels, overview.result,
                              overview.gapMinutes);
    for (size_t c = 0; c < shares.Clients().size(); ++c) {
        if (shares.Clients()[c] == settings.client) {
            const ClientShare share = shares.ShareOf(c);
            return CampaignCsv({overview.name, share.lines, overview.panels, share.result,
                                overview.booking, overview.gapMinutes, settings.client});
        }
    }
    return std::nullopt;
}

std::vector<std::string> RowsOf(const std::string& csv) {
    std::vector<std::string> rows;
    for (size_t start = 0; start < csv.size();) {
        const size_t end = csv.find("\r\n", start);
        rows.push_back(csv.substr(start, end == std::string::npos ? end : end - start));
        start = end == std::string::npos ? csv.size() : end + 2;
    }
    return rows;
}

// The rows of `rows` that `other` lacks, each as often as it lacks it: row number and text.
std::vector<std::pair<size_t, std::string>> RowsLacking(const std::vector<std::string>& rows,
                                                        const std::vector<std::string>& other) {
    std::unordered_map<std::string, size_t> left;
    for (const std::string& row : other) {
        ++left[row];
    }
    std::vector<std::pair<size_t, std::string>> lacking;
    for (size_t i = 0; i < rows.size(); ++i) {
        size_t& count = left[rows[i]];
        if (count > 0) {
            --count;
        } else {
            lacking.emplace_back(i + 1, rows[i]);
        }
    }
    return lacking;
}

void Compare(const std::string& proofCsv, const std::string& freshCsv, ProofRecount& recount) {
    const std::vector<std::string> proof = RowsOf(proofCsv), fresh = RowsOf(freshCsv);
    const auto onlyProof = RowsLacking(proof, fresh), onlyFresh = RowsLacking(fresh, proof);
    recount.agrees = onlyProof.empty() && onlyFresh.empty();
    if (recount.agrees) {
        recount.lines.push_back("přepočet souhlasí");
        return;
    }
    recount.lines.push_back("přepočet nesouhlasí: " + std::to_string(onlyProof.size()) +
                            " řádků důkazu přepočet nemá, " + std::to_string(onlyFresh.size()) +
                            " řádků přepočtu důkaz nemá");
    const auto show = [&](const auto& rows, const char* where) {
        for (size_t i = 0; i < rows.size() && i < kRowsShown; ++i) {
            recount.lines.push_back(std::string(where) + ", řádek " +
                                    std::to_string(rows[i].first) + ": " +
                                    Cp1250ToUtf8(rows[i].second));
        }
    };
    show(onlyProof, "důkaz");
    show(onlyFresh, "přepočet");
}

ProofRecount CannotRecount(ProofRecount recount, const std::string& reason) {
    recount.agrees = false;
    recount.lines.push_back("přepočet nelze provést: " + reason);
    return recount;
}

}  // namespace

ProofRecount RecountProof(const std::string& path) {
    ProofRecount recount;
    std::string proof, reason;
    if (!ReadWholeFile(path, proof, reason)) {
        return CannotRecount(recount, Cp1250ToUtf8(path + ": " + reason));
    }
    const std::optional<ProofSettings> settings = FindProofSettings(proof);
    if (!settings) {
        return CannotRecount(recount, "důkaz neuvádí, z čeho vznikl");
    }
    if (settings->version != ProgramVersion()) {
        recount.lines.push_back("důkaz vytvořila verze " + Cp1250ToUtf8(settings->version) +
                                ", přepočítává verze " + std::string(ProgramVersion()));
    }
    const std::string folder = ProofWorkingFolder(path);
    Recounted recounted;
    std::string problem = ReadRecordedFiles(*settings, folder, recounted);
    if (problem.empty()) {
        problem = CountAgain(*settings, folder, recounted);
    }
    if (!problem.empty()) {
        return CannotRecount(recount, problem);
    }
    const std::optional<std::string> fresh = FreshCsv(*settings, recounted);
    if (!fresh) {
        return CannotRecount(recount, "objednávka nemá klienta " + Cp1250ToUtf8(settings->client));
    }
    std::string proofCsv;
    const std::string csvPath = CsvBeside(path);
    if (!ReadWholeFile(csvPath, proofCsv, reason)) {
        return CannotRecount(recount, Cp1250ToUtf8(csvPath + ": " + reason));
    }
    Compare(proofCsv, *fresh, recount);
    return recount;
}
