#pragma once
// A campaign as the client sees it, as of a day: the record its proof is written from, and
// report\KAMPAN_<name>.csv (Windows-1250, ";", CR LF) with one row per booking line, panel and
// counted day, then each line's state, the make-good, the outages and the evidence, in cells the
// page shares. A client's own pair is KAMPAN_<name>_<client>.
#include <cstdint>
#include <string>
#include <vector>

#include "campaign/booking.h"
#include "campaign/campaign.h"
#include "digest/sha256.h"
#include "reports/proof_settings.h"

// What an operator's file read with the booking is.
enum class OperatorFileKind { kRegister, kAudience, kIssuer };

struct OperatorFileEvidence {
    std::string path;  // as given, Windows-1250
    uint64_t size;
    Sha256Digest digest;
    OperatorFileKind kind = OperatorFileKind::kRegister;
};

struct BookingFileEvidence {
    std::string path;  // as given, Windows-1250
    uint64_t size;
    Sha256Digest digest;
    // The panel register, the audience file and the issuer's file read with the booking, listed
    // after it; they travel with it into each client's files.
    std::vector<OperatorFileEvidence> operatorFiles = {};
    // Who issues the proof, a line each (Windows-1250): the head of every page; none without
    // the issuer's file.
    std::vector<std::string> issuer = {};
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
    // The clients' own pairs are written beside this overview: a page too large for every chart
    // may leave them to those.
    bool clientPagesBeside = false;
    // What the proof was made from, for a recount.
    ProofSettings settings = {};
    bool playListsBeside = false;  // its plays lists are written beside it, and it links to them
};

// The name CampaignReportPath takes: the booking's name, and for a client's pair "_<client>"
// with the characters a file name cannot hold made "_".
std::string CampaignFileStem(const CampaignReport& report);

std::string CampaignCsv(const CampaignReport& report);

// The state section alone, for spreadsheets' filters and pivot tables: its header row and each
// line's state on each panel, nothing else; kStateTableSuffix after the stem names it.
std::string CampaignStatusCsv(const CampaignReport& report);

// The cells of a line's state on a panel, as kStatusColumns (reports/campaign_texts.h) names them;
// the contacts are empty without audience data for the panel, the contracted ones also without
// the line's Kontakty.
std::vector<std::string> StatusCells(const CampaignReport& report, const LineFigures& figures,
                                     char decimalSeparator);
// The rows of the screens by market, as kMarketColumns names them: each client's campaign per
// town, then its total.
std::vector<std::vector<std::string>> MarketCells(const CampaignReport& report);
// The same of some of the result's figures only (indices into it), for example one line's.
std::vector<std::vector<std::string>> MarketCells(const CampaignReport& report,
                                                  const std::vector<size_t>& figures);

// The panel's "Název" in the register, else its folder name; its "Město", else "bez uvedení města".
std::string PanelNameText(const CampaignPanel& panel);
std::string PanelTownText(const CampaignPanel& panel);

// The cells of a line's make-good on a panel, as kMakeGoodColumns names them; empty when the
// line needs none.
std::vector<std::string> MakeGoodCells(const CampaignReport& report, const LineFigures& figures);

// The overlaps that the page and the command line name one by one, as indices into
// result.overlaps in booking order: all of them up to kOverlapsNamed, else the kOverlapsNamed that
// shared the most plays. The CSV lists every one: a network's booking may have millions.
constexpr size_t kOverlapsNamed = 100;
std::vector<size_t> NamedOverlaps(const CampaignResult& result);

// "dd.mm.yyyy hh:mm:ss"
std::string StampText(const PlayStamp& stamp);
// Why a day fell short, in words (Windows-1250): a missing log, a day without plays, the
// outages in the line's window, the panel's log ending before the window does, or none of these.
std::string ShortDayReasonText(const CampaignResult& result, const ShortDay& day);
