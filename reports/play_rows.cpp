#include "reports/play_rows.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <iterator>
#include <cstdio>

#include "base/cp1250.h"
#include "base/paths.h"
#include "campaign/calendar.h"
#include "digest/sha256.h"
#include "reports/campaign_report.h"
#include "reports/csv_field.h"

namespace {

constexpr Cp1250Literal kPeopleHeader{
    "Klient;Kampaň;Smlouva;Řádek;Spot;Panel;Datum;Čas;Délka [s];Navíc"};
constexpr Cp1250Literal kContactsTitle{";Kontakty (odhad)"};
constexpr std::string_view kOverBooked = "ano";
constexpr int64_t kMillisecondsPerDay = int64_t{kSecondsPerDay} * 1000;

// A TEXT field: quoted, its quotes doubled, only when it holds a comma, a quote or a line end.
std::string PlayoutText(std::string_view utf8, size_t maxCharacters) {
    return QuotedWhenNeeded(CutUtf8(utf8, maxCharacters), ",\"\r\n");
}

std::string PlayoutCp1250(std::string_view cp1250, size_t maxCharacters) {
    return PlayoutText(Cp1250ToUtf8(cp1250), maxCharacters);
}

// The register's ID when it is the format's frame number (INT4), else nothing.
std::string FrameIdOf(const CampaignPanel& panel) {
    if (!panel.registered || panel.registered->id.empty() || panel.registered->id.size() > 10) {
        return "";
    }
    int64_t value = 0;
    for (const char c : panel.registered->id) {
        if (c < '0' || c > '9') {
            return "";
        }
        value = value * 10 + (c - '0');
    }
    return value <= 2147483647 ? panel.registered->id : "";
}

// Seconds with up to three decimals and a decimal comma, as "10" or "7,5".
std::string LengthText(double seconds) {
    const int64_t ms = std::llround(seconds * 1000);
    std::string text = std::to_string(ms / 1000);
    if (ms % 1000 != 0) {
        char fraction[8];
        std::snprintf(fraction, sizeof fraction, ",%03d", static_cast<int>(ms % 1000));
        std::string_view digits(fraction);
        while (digits.back() == '0') {
            digits.remove_suffix(1);
        }
        text += digits;
    }
    return text;
}

// Two decimals with a decimal comma.
std::string ContactsText(double contacts) {
    const int64_t hundredths = std::llround(contacts * 100);
    char text[32];
    std::snprintf(text, sizeof text, "%lld,%02d", static_cast<long long>(hundredths / 100),
                  static_cast<int>(hundredths % 100));
    return text;
}

// Two digits of a value below 100, or three below 1000.
void AppendTwo(std::string& out, int value) {
    out += static_cast<char>('0' + value / 10);
    out += static_cast<char>('0' + value % 10);
}

void AppendClock(std::string& out, int32_t second, char separator) {
    AppendTwo(out, second / 3600);
    out += separator;
    AppendTwo(out, second / 60 % 60);
    out += separator;
    AppendTwo(out, second % 60);
}

void AppendNumber(std::string& out, int64_t value) {
    char digits[20];
    const auto end = std::to_chars(std::begin(digits), std::end(digits), value).ptr;
    out.append(digits, end);
}

void AppendHex(std::string& out, const uint8_t* bytes, size_t size) {
    static constexpr char kDigits[] = "0123456789abcdef";
    for (size_t i = 0; i < size; ++i) {
        out += kDigits[bytes[i] >> 4];
        out += kDigits[bytes[i] & 15];
    }
}

}  // namespace

std::string PeopleHeader(bool withContacts) {
    return kPeopleHeader.str() + (withContacts ? kContactsTitle.str() : "") + "\r\n";
}

std::string_view CutUtf8(std::string_view text, size_t maxCharacters) {
    size_t characters = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const bool begins = (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80;
        if (begins && characters++ == maxCharacters) {
            return text.substr(0, i);
        }
    }
    return text;
}

std::string UtcStampText(int64_t utcMilliseconds) {
    const int64_t day =
        (utcMilliseconds >= 0 ? utcMilliseconds : utcMilliseconds - (kMillisecondsPerDay - 1)) /
        kMillisecondsPerDay;
    const int64_t within = utcMilliseconds - day * kMillisecondsPerDay;
    const CivilDate date = DateOfDay(static_cast<int32_t>(day));
    char text[40];
    std::snprintf(text, sizeof text, "%04u-%02u-%02uT%02d:%02d:%02d.%03d", date.year, date.month,
                  date.day, static_cast<int>(within / 3600000),
                  static_cast<int>(within / 60000 % 60), static_cast<int>(within / 1000 % 60),
                  static_cast<int>(within % 1000));
    return text;
}

std::string UtcOffsetText(int32_t offsetSeconds) {
    std::string text(1, offsetSeconds < 0 ? '-' : '+');
    const int32_t minutes = std::abs(offsetSeconds) / 60;
    AppendTwo(text, minutes / 60);
    text += ':';
    AppendTwo(text, minutes % 60);
    return text;
}

PlayReferences::PlayReferences(const CampaignPanel& panel, std::string_view logPath)
    : keyStart_(Cp1250ToUtf8(panel.name) + "\t" + Cp1250ToUtf8(NameWithoutFolders(logPath)) +
                "\t") {}

PlayReference PlayReferences::Of(uint64_t offset) {
    key_.assign(keyStart_);
    AppendNumber(key_, static_cast<int64_t>(offset));
    hash_.Update(key_.data(), key_.size());
    const Sha256Digest digest = hash_.FinishAndRestart();
    PlayReference reference;
    std::copy_n(digest.begin(), reference.size(), reference.begin());
    return reference;
}

PlayRowMaker::PlayRowMaker(std::string_view bookingName,
                           const std::vector<const BookingLine*>& lines, const CampaignPanel& panel,
                           bool withContacts)
    : frameId_(FrameIdOf(panel) + ","),
      playerTail_(",,," + PlayoutCp1250(panel.name, kMaxShortReference) + ","),
      withContacts_(withContacts) {
    for (const BookingLine* line : lines) {
        const std::string number = std::to_string(line->lineNumber);
        LineCells cells;
        for (const std::string& cell : {line->client, line->campaign, line->contract, number,
                                        line->spot, PanelNameText(panel)}) {
            cells.people += CsvField(cell) + ";";
        }
        const std::string order =
            line->contract.empty() ? std::string(bookingName) + "/" + number : line->contract;
        cells.playout = "," + PlayoutCp1250(order, kMaxOrderId) + "," +
                        PlayoutCp1250(number, kMaxShortReference) + ",,,," +
                        PlayoutCp1250(line->campaign, kMaxCampaignReference) + "," +
                        PlayoutCp1250(line->spot, kMaxCreativeId) + ",";
        lines_.push_back(std::move(cells));
    }
}

void PlayRowMaker::PeopleRow(const CountedPlay& play, std::string& out) {
    out += lines_[play.planLine].people;
    if (play.day != dateDay_) {
        dateDay_ = play.day;
        dateText_ = IsoDateText(play.day);
    }
    out += dateText_;
    out += ';';
    AppendClock(out, play.localSecond, ':');
    out += ';';
    const int64_t ms = std::llround(play.length * 1000);
    if (ms % 1000 == 0) {
        AppendNumber(out, ms / 1000);
    } else {
        out += LengthText(play.length);
    }
    out += ';';
    out += play.overBooked ? kOverBooked : "";
    if (withContacts_) {
        out += ';';
        out += play.hasContacts ? ContactsText(play.contacts) : "";
    }
    out += "\r\n";
}

void PlayRowMaker::PlayoutRecord(const CountedPlay& play, const PlayReference& reference,
                                 std::string& out) {
    const int64_t start = play.utcSecond * 1000;
    const int64_t length = std::llround(play.length * 1000);
    const int64_t end = start + length;
    out += frameId_;
    AppendUtcStamp(start, out);
    out += ',';
    out += UtcOffsetText(UtcOffsetAt(play.utcSecond));
    out += ',';
    AppendUtcStamp(end, out);
    out += ',';
    out += UtcOffsetText(UtcOffsetAt((end >= 0 ? end : end - 999) / 1000));
    out += ',';
    AppendNumber(out, length);
    out += ',';  // shareoftime stays empty
    out += lines_[play.planLine].playout;
    out += CreativeName(play.name);
    out += playerTail_;
    AppendHex(out, reference.data(), reference.size());
    out += '\n';
}

// The stamp's day as text is asked again for most plays: a day's plays come together.
void PlayRowMaker::AppendUtcStamp(int64_t utcMilliseconds, std::string& out) {
    const int64_t day =
        (utcMilliseconds >= 0 ? utcMilliseconds : utcMilliseconds - (kMillisecondsPerDay - 1)) /
        kMillisecondsPerDay;
    if (day != utcDay_) {
        utcDay_ = day;
        utcDayText_ = UtcStampText(day * kMillisecondsPerDay).substr(0, 11);
    }
    const int64_t within = utcMilliseconds - day * kMillisecondsPerDay;
    out += utcDayText_;
    AppendClock(out, static_cast<int32_t>(within / 1000), ':');
    out += '.';
    const int milliseconds = static_cast<int>(within % 1000);
    out += static_cast<char>('0' + milliseconds / 100);
    AppendTwo(out, milliseconds % 100);
}

// The logged name as the record's TEXT, made once for each name: a log repeats its names.
const std::string& PlayRowMaker::CreativeName(std::string_view name) {
    if (creativeNames_.size() >= 4096) {
        creativeNames_.clear();  // a log of ever new names keeps memory bounded
    }
    const auto [found, added] = creativeNames_.try_emplace(std::string(name));
    if (added) {
        found->second = PlayoutCp1250(name, kMaxCreativeName);
    }
    return found->second;
}
