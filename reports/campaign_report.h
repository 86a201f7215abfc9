#pragma once
// A campaign as the client sees it: report\KAMPAN_<name>.csv (Windows-1250, ";", CR LF) with one
// row per booking line, panel and day, then the outages and the evidence; and
// report\KAMPAN_<name>.html, one self-contained page with the same figures and charts.
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
};

std::string CampaignCsv(const CampaignReport& report);
std::string CampaignPage(const CampaignReport& report, const SystemTime& madeAt);

// Both files and beside them KAMPAN_<name>.sha256, the files read as `sha256sum -c` checks them
// from the working folder; a failure names each file that was not written.
ReportResult WriteCampaignReports(const CampaignReport& report, const SystemTime& madeAt);

// "96,6 %" with the given decimal separator; "–" when nothing was booked (Windows-1250).
std::string PercentText(const FiguresTotal& total, char decimalSeparator);
// "h:mm:ss" of local seconds from midnight, "24:00:00" at the day's end.
std::string SecondsText(int32_t seconds);
// "dd.mm.yyyy hh:mm:ss"
std::string StampText(const PlayStamp& stamp);
// Why a day fell short, in words (Windows-1250): a missing log, a day without plays, the
// outages in the line's window, or none of these.
std::string ShortDayReasonText(const CampaignResult& result, const ShortDay& day);
