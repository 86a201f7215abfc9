#pragma once
// A campaign's proof on disk: each pair of CSV file and page with its sums file beside it, the
// overview's and, where asked, each client's own; all of them one set, replaced all or none.
#include <string>
#include <vector>

#include "base/win32_types.h"
#include "reports/campaign_report.h"
#include "reports/report_result.h"

class PlayListParts;

// Both files and beside them KAMPAN_<name>.sha256, the files read as `sha256sum -c` checks them
// from the working folder.
[[nodiscard]] ReportResult WriteCampaignReports(const CampaignReport& report,
                                                const SystemTime& madeAt);

// The overview's pair and, when perClient and the booking has more than one client, each
// client's own pair; the CSV files and pages written are added to `written`. On the first file
// that fails none of the set replaces its old one, and the result's note says the last whole
// proof is unchanged. With lists, each pair's plays lists join the set, and its sums file lists
// them.
[[nodiscard]] ReportResult WriteCampaignProofs(const CampaignReport& overview,
                                               const SystemTime& madeAt, bool perClient,
                                               std::vector<std::string>& written,
                                               PlayListParts* lists = nullptr);
