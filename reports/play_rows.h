#pragma once
// One counted play as a row of each plays list: KAMPAN_<name>_prehrani.csv for people
// (Windows-1250, ";", CR LF, the other CSV files' formula guard) and KAMPAN_<name>_playout.csv in
// the Playout digital file format 1.7 (UTF-8, ",", LF, no header, TEXT quoted only when needed).
// A record's mediaownerplayoutref is the first 32 hex digits of the SHA-256 of
// "<panel folder>\t<log file name>\t<byte offset of the play's line in the log>" in UTF-8.
#include <array>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "campaign/booking.h"
#include "campaign/campaign_result.h"
#include "campaign/counted_play.h"
#include "digest/sha256.h"

// The playout format's longest texts, in characters.
constexpr size_t kMaxOrderId = 256;
constexpr size_t kMaxShortReference = 36;  // lineid, playerref
constexpr size_t kMaxCampaignReference = 64;
constexpr size_t kMaxCreativeId = 64;
constexpr size_t kMaxCreativeName = 128;
constexpr size_t kMaxPlayoutReference = 48;

// The people's list's header row, with "Kontakty (odhad)" when withContacts.
std::string PeopleHeader(bool withContacts);

// The first maxCharacters characters of UTF-8 text, cut where a character begins.
std::string_view CutUtf8(std::string_view text, size_t maxCharacters);

// "yyyy-mm-ddThh:mm:ss.sss" of milliseconds since 1970-01-01 UTC; "+01:00" or "+02:00".
std::string UtcStampText(int64_t utcMilliseconds);
std::string UtcOffsetText(int32_t offsetSeconds);

// A play's mediaownerplayoutref as bytes: its first 16 hex digits' worth.
using PlayReference = std::array<uint8_t, 16>;

// The references of one log's plays.
class PlayReferences {
public:
    PlayReferences(const CampaignPanel& panel, std::string_view logPath);
    PlayReference Of(uint64_t offset);

private:
    std::string keyStart_;  // "<panel folder>\t<log file name>\t"
    std::string key_;
    Sha256 hash_;  // restarted for each
};

// The rows of one log's plays: what the log's lines and panel give every row made once.
class PlayRowMaker {
public:
    PlayRowMaker(std::string_view bookingName, const std::vector<const BookingLine*>& lines,
                 const CampaignPanel& panel, bool withContacts);

    // line: into the lines given.
    void PeopleRow(const CountedPlay& play, std::string& out);
    void PlayoutRecord(const CountedPlay& play, const PlayReference& reference, std::string& out);

private:
    void AppendUtcStamp(int64_t utcMilliseconds, std::string& out);
    const std::string& CreativeName(std::string_view name);

    struct LineCells {
        std::string people;   // the row up to Datum, ";" included
        std::string playout;  // from orderid to creativeid, "," on both ends
    };
    std::vector<LineCells> lines_;
    std::string frameId_;     // the record's first field and ","
    std::string playerTail_;  // ",,," the playerref and ","
    bool withContacts_;
    int32_t dateDay_ = INT32_MIN;
    std::string dateText_;
    int64_t utcDay_ = INT64_MIN;
    std::string utcDayText_;  // "yyyy-mm-ddT"
    std::unordered_map<std::string, std::string> creativeNames_;
};
