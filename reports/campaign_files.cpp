#include "reports/campaign_files.h"

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
    for (const LogEvidence& log : report.result.logs) {
        files.push_back({log.path, log.size, HexDigest(log.digest)});
    }
    return files;
}

}  // namespace

ReportResult WriteCampaignReports(const CampaignReport& report, const SystemTime& madeAt) {
    ReportResult result;
    const std::string stem = CampaignFileStem(report);
    const std::string csvPath = CampaignReportPath(stem, ReportFileType::kCsv);
    if (WriteReportFile(csvPath, CampaignCsv(report), result.failures)) {
        result.csvPath = csvPath;
    }
    WriteReportFile(CampaignReportPath(stem, ReportFileType::kHtml), CampaignPage(report, madeAt),
                    result.failures);
    // Beside every page, so that anyone can check its files with sha256sum -c.
    WriteReportFile(CampaignReportPath(stem, ReportFileType::kSha256),
                    SumsFileText(ProofFilesOf(report)), result.failures);
    return result;
}

ReportResult WriteCampaignProofs(const CampaignReport& overview, const SystemTime& madeAt,
                                 bool perClient, std::vector<std::string>& written) {
    const std::vector<std::string> clients = ClientsOf(overview.lines);
    const bool clientPairs = perClient && clients.size() >= 2;
    CampaignReport page = overview;
    page.clientPagesBeside = clientPairs;
    ReportResult result = WriteCampaignReports(page, madeAt);
    const auto note = [&](const CampaignReport& report, const ReportResult& pair) {
        for (const ReportFileType type : {ReportFileType::kCsv, ReportFileType::kHtml}) {
            const std::string path = CampaignReportPath(CampaignFileStem(report), type);
            bool failed = false;
            for (const ReportFailure& failure : pair.failures) {
                failed = failed || failure.path == path;
            }
            if (!failed) {
                written.push_back(path);
            }
        }
    };
    note(overview, result);
    if (!clientPairs) {
        return result;
    }
    // One share at a time, made from an index built once: thousands of clients stay linear.
    const ClientShares shares(overview.lines, overview.panels, overview.result,
                              overview.gapMinutes);
    for (size_t c = 0; c < clients.size(); ++c) {
        const ClientShare share = shares.ShareOf(c);
        const CampaignReport report{overview.name, share.lines,      overview.panels,
                                    share.result,  overview.booking, overview.gapMinutes,
                                    clients[c]};
        const ReportResult pair = WriteCampaignReports(report, madeAt);
        note(report, pair);
        result.failures.insert(result.failures.end(), pair.failures.begin(), pair.failures.end());
    }
    return result;
}
