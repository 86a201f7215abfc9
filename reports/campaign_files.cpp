#include "reports/campaign_files.h"

#include "base/cp1250.h"
#include "campaign/client_share.h"
#include "digest/sha256.h"
#include "reports/campaign_page.h"
#include "reports/play_lists.h"
#include "reports/proof_files.h"
#include "reports/proof_settings.h"
#include "reports/report_file.h"
#include "reports/report_paths.h"

namespace {

// Every file read, as the sums file lists them.
std::vector<ProofFile> ProofFilesOf(const CampaignReport& report) {
    std::vector<ProofFile> files{
        {report.booking.path, report.booking.size, HexDigest(report.booking.digest)}};
    for (const OperatorFileEvidence& file : report.booking.operatorFiles) {
        files.push_back({file.path, file.size, HexDigest(file.digest)});
    }
    for (const LogEvidence& log : report.result.logs) {
        files.push_back({log.path, log.size, HexDigest(log.digest)});
    }
    return files;
}

// The report's CSV file, its state as a table of its own, page and sums file written beside
// their old ones. The sums file lists the state's table and the report's plays lists too, so that
// a copy of them can be checked.
bool AddReport(const CampaignReport& report, const SystemTime& madeAt,
               const std::vector<ProofFile>& lists, ReportFileSet& set,
               std::vector<ReportFailure>& failures) {
    const std::string stem = CampaignFileStem(report);
    const std::string statusPath =
        CampaignReportPath(stem + std::string(kStateTableSuffix), ReportFileType::kCsv);
    const std::string status = CampaignStatusCsv(report);
    std::vector<ProofFile> sums = ProofFilesOf(report);
    sums.push_back({statusPath, status.size(), HexDigest(Sha256Of(status))});
    sums.insert(sums.end(), lists.begin(), lists.end());
    return set.Add(CampaignReportPath(stem, ReportFileType::kCsv), CampaignCsv(report), failures) &&
           set.Add(statusPath, status, failures) &&
           set.Add(CampaignReportPath(stem, ReportFileType::kHtml), CampaignPage(report, madeAt),
                   failures) &&
           // Beside every page, so that anyone can check its files with sha256sum -c.
           set.Add(CampaignReportPath(stem, ReportFileType::kSha256),
                   ProofSettingsSumsLine(report.settings) + SumsFileText(sums), failures);
}

// A proof's set of files: each report's written beside its old ones as it comes, so that only
// one client's share is held at a time; then all renamed into place, or none.
class ProofSet {
public:
    explicit ProofSet(const SystemTime& madeAt) : madeAt_(madeAt) {}

    // The plays lists of the overview and of the clients, before their reports are added.
    void WriteLists(PlayListParts& parts, const std::vector<std::string>& clients) {
        whole_ = whole_ && parts.Write(clients, lists_, result_.failures);
    }
    // report: the overview first, then the clients in the lists' order.
    void Add(const CampaignReport& report) {
        std::vector<ProofFile> files;
        if (added_ < lists_.size()) {
            for (const WrittenList& list : lists_[added_].lists) {
                files.push_back(list.file);
            }
        }
        ++added_;
        whole_ = whole_ && AddReport(report, madeAt_, files, set_, result_.failures);
    }
    ReportResult Commit(std::vector<std::string>& written) {
        for (ReportLists& report : lists_) {
            for (WrittenList& list : report.lists) {
                set_.AddFinished(list.file.path, std::move(list.replacement));
            }
        }
        if (!whole_ || !set_.Commit(result_.failures)) {
            static constexpr Cp1250Literal kUnchanged{
                "Žádný soubor důkazu nebyl nahrazen: poslední úplný důkaz zůstal beze změny."};
            result_.note = kUnchanged.str();
            return result_;
        }
        result_.csvPath = set_.Paths().front();
        for (const std::string& path : set_.Paths()) {
            if (!path.ends_with(".sha256")) {
                written.push_back(path);
            }
        }
        return result_;
    }

private:
    const SystemTime& madeAt_;
    ReportFileSet set_;
    ReportResult result_;
    std::vector<ReportLists> lists_;
    size_t added_ = 0;
    bool whole_ = true;
};

}  // namespace

ReportResult WriteCampaignReports(const CampaignReport& report, const SystemTime& madeAt) {
    std::vector<std::string> written;
    ProofSet set(madeAt);
    set.Add(report);
    return set.Commit(written);
}

ReportResult WriteCampaignProofs(const CampaignReport& overview, const SystemTime& madeAt,
                                 bool perClient, std::vector<std::string>& written,
                                 PlayListParts* lists) {
    std::vector<std::string> clients = ClientsOf(overview.lines);
    if (!perClient || clients.size() < 2) {
        clients.clear();
    }
    ProofSet set(madeAt);
    if (lists != nullptr) {
        set.WriteLists(*lists, clients);
    }
    CampaignReport page = overview;
    page.clientPagesBeside = !clients.empty();
    page.playListsBeside = lists != nullptr;
    set.Add(page);
    if (!clients.empty()) {
        // Each share made from an index built once: thousands of clients stay linear.
        const ClientShares shares(overview.lines, overview.panels, overview.result,
                                  overview.gapMinutes);
        for (size_t c = 0; c < clients.size(); ++c) {
            const ClientShare share = shares.ShareOf(c);
            CampaignReport client{overview.name, share.lines,      overview.panels,
                                  share.result,  overview.booking, overview.gapMinutes,
                                  clients[c]};
            client.settings = overview.settings;
            client.settings.client = clients[c];
            client.playListsBeside = lists != nullptr;
            set.Add(client);
        }
    }
    return set.Commit(written);
}
