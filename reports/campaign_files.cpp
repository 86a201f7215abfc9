#include "reports/campaign_files.h"

#include "base/cp1250.h"
#include "campaign/client_share.h"
#include "reports/campaign_page.h"
#include "reports/proof_files.h"
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

// The report's CSV file, page and sums file written beside their old ones.
bool AddReport(const CampaignReport& report, const SystemTime& madeAt, ReportFileSet& set,
               std::vector<ReportFailure>& failures) {
    const std::string stem = CampaignFileStem(report);
    return set.Add(CampaignReportPath(stem, ReportFileType::kCsv), CampaignCsv(report), failures) &&
           set.Add(CampaignReportPath(stem, ReportFileType::kHtml), CampaignPage(report, madeAt),
                   failures) &&
           // Beside every page, so that anyone can check its files with sha256sum -c.
           set.Add(CampaignReportPath(stem, ReportFileType::kSha256),
                   SumsFileText(ProofFilesOf(report)), failures);
}

// Each client's share of the result; a report refers to its share.
std::vector<ClientShare> ClientShares(const CampaignReport& overview,
                                      const std::vector<std::string>& clients) {
    std::vector<ClientShare> shares;
    for (const std::string& client : clients) {
        shares.push_back(
            ShareOf(overview.lines, overview.panels, overview.result, client, overview.gapMinutes));
    }
    return shares;
}

// Writes the set's files beside their old ones, then renames them all into place.
ReportResult WriteSet(const std::vector<const CampaignReport*>& reports, const SystemTime& madeAt,
                      std::vector<std::string>& written) {
    ReportResult result;
    ReportFileSet set;
    bool whole = true;
    for (size_t i = 0; whole && i < reports.size(); ++i) {
        whole = AddReport(*reports[i], madeAt, set, result.failures);
    }
    if (!whole || !set.Commit(result.failures)) {
        static constexpr Cp1250Literal kUnchanged{
            "Žádný soubor důkazu nebyl nahrazen: poslední úplný důkaz zůstal beze změny."};
        result.note = kUnchanged.str();
        return result;
    }
    result.csvPath = set.Paths().front();
    for (const std::string& path : set.Paths()) {
        if (!path.ends_with(".sha256")) {
            written.push_back(path);
        }
    }
    return result;
}

}  // namespace

ReportResult WriteCampaignReports(const CampaignReport& report, const SystemTime& madeAt) {
    std::vector<std::string> written;
    return WriteSet({&report}, madeAt, written);
}

ReportResult WriteCampaignProofs(const CampaignReport& overview, const SystemTime& madeAt,
                                 bool perClient, std::vector<std::string>& written) {
    std::vector<std::string> clients = ClientsOf(overview.lines);
    if (!perClient || clients.size() < 2) {
        clients.clear();
    }
    const std::vector<ClientShare> shares = ClientShares(overview, clients);
    std::vector<CampaignReport> clientReports;
    for (size_t i = 0; i < shares.size(); ++i) {
        clientReports.push_back({overview.name, shares[i].lines, overview.panels, shares[i].result,
                                 overview.booking, overview.gapMinutes, clients[i]});
    }
    CampaignReport page = overview;
    page.clientPagesBeside = !clients.empty();
    std::vector<const CampaignReport*> reports{&page};
    for (const CampaignReport& client : clientReports) {
        reports.push_back(&client);
    }
    return WriteSet(reports, madeAt, written);
}
