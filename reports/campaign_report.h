#pragma once
// A campaign as the client sees it, as of a day: report\KAMPAN_<name>.csv (Windows-1250, ";",
// CR LF) with one row per booking line, panel and counted day, then each line's state, the
// make-good, the outages and the evidence; and report\KAMPAN_<name>.html, one self-contained page
// with the same figures and charts. A client's own pair is KAMPAN_<name>_<client>.
#include <cstdint>
#include <string>
#include <vector>

#include "base/win32_types.h"
#include "campaign/booking.h"
#include "campaign/campaign.h"
#include "digest/sha256.h"
#include "reports/report_result.h"

struct BookingFileEvidence {
    std::string path;  // as given, Windows-1250
    uint64_t size;
    Sha256Digest digest;
};

struct CampaignReport {
    std::string name;  // the booking file's name without its extension
    const std::vector<BookingLine>& lines;
    const std::vector<CampaignPanel>& panels;
    const CampaignResult& result;
    BookingFileEvidence booking;
    int32_t gapMinutes;
    std::string client =
        {};  // "" for the overview of every client; a client's pair has no make-good
};

// The name CampaignReportPath takes: the booking's name, and for a client's pair "_<client>"
// with the characters a file name cannot hold made "_".
std::string CampaignFileStem(const CampaignReport& report);

std::string CampaignCsv(const CampaignReport& report);
std::string CampaignPage(const CampaignReport& report, const SystemTime& madeAt);

// Both files and beside them KAMPAN_<name>.sha256, the files read as `sha256sum -c` checks them
// from the working folder; a failure names each file that was not written.
ReportResult WriteCampaignReports(const CampaignReport& report, const SystemTime& madeAt);

// The overview's pair and, when perClient and the booking has more than one client, each
// client's own pair; the paths written are added to `written`.
ReportResult WriteCampaignProofs(const CampaignReport& overview, const SystemTime& madeAt,
                                 bool perClient, std::vector<std::string>& written);

// The cells of a line's state on a panel, as kStatusColumns (reports/campaign_texts.h) names them.
std::vector<std::string> StatusCells(const CampaignReport& report, const LineFigures& figures,
                                     char decimalSeparator);
// The cells of a line's make-good on a panel, as kMakeGoodColumns names them; empty when the
// line needs none.
std::vector<std::string> MakeGoodCells(const CampaignReport& report, const LineFigures& figures);

// "h:mm:ss" of local seconds from midnight, "24:00:00" at the day's end.
std::string SecondsText(int32_t seconds);
// "dd.mm.yyyy hh:mm:ss"
std::string StampText(const PlayStamp& stamp);
// Why a day fell short, in words (Windows-1250): a missing log, a day without plays, the
// outages in the line's window, the panel's log ending before the window does, or none of these.
std::string ShortDayReasonText(const CampaignResult& result, const ShortDay& day);
