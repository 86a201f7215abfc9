#include "reports/play_rows.h"

#include <cmath>
#include <cstdio>

#include "base/cp1250.h"
#include "base/paths.h"
#include "campaign/calendar.h"
#include "digest/sha256.h"
#include "reports/csv_field.h"

namespace {

constexpr Cp1250Literal kPeopleHeader{
    "Klient;Kampaň;Smlouva;Řádek;Spot;Panel;Datum;Čas;Délka [s];Navíc"};
constexpr Cp1250Literal kContactsTitle{";Kontakty (odhad)"};
constexpr std::string_view kOverBooked = "ano";
constexpr int64_t kMillisecondsPerDay = int64_t{kSecondsPerDay} * 1000;

// A TEXT field: quoted, its quotes doubled, only when it holds a comma, a quote or a line end.
std::string PlayoutText(std::string_view utf8, size_t maxCharacters) {
    const std::string_view cut = CutUtf8(utf8, maxCharacters);
    if (cut.find_first_of(",\"\r\n") == std::string_view::npos) {
        return std::string(cut);
    }
    std::string quoted = "\"";
    for (const char c : cut) {
        quoted += c;
        if (c == '"') {
            quoted += '"';
        }
    }
    return quoted + "\"";
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

std::string ClockText(int32_t second) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", second / 3600, second / 60 % 60,
                  second % 60);
    return text;
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
    char text[16];
    std::snprintf(text, sizeof text, "%c%02d:%02d", offsetSeconds < 0 ? '-' : '+',
                  std::abs(offsetSeconds) / 3600, std::abs(offsetSeconds) / 60 % 60);
    return text;
}

std::string PlayReference(std::string_view panelUtf8, std::string_view logNameUtf8,
                          uint64_t offset) {
    std::string key;
    key.reserve(panelUtf8.size() + logNameUtf8.size() + 24);
    key.append(panelUtf8)
        .append("\t")
        .append(logNameUtf8)
        .append("\t")
        .append(std::to_string(offset));
    return HexDigest(Sha256Of(key)).substr(0, 32);
}

PlayRowMaker::PlayRowMaker(std::string_view bookingName,
                           const std::vector<const BookingLine*>& lines, const CampaignPanel& panel,
                           std::string_view logPath, bool withContacts)
    : frameId_(FrameIdOf(panel) + ","),
      playerTail_(",,," + PlayoutCp1250(panel.name, kMaxShortReference) + ","),
      panelUtf8_(Cp1250ToUtf8(panel.name)),
      logNameUtf8_(Cp1250ToUtf8(NameWithoutFolders(logPath))),
      withContacts_(withContacts) {
    for (const BookingLine* line : lines) {
        const std::string number = std::to_string(line->lineNumber);
        LineCells cells;
        for (const std::string& cell :
             {line->client, line->campaign, line->contract, number, line->spot, panel.name}) {
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

void PlayRowMaker::PeopleRow(const CountedPlay& play, std::string& out) const {
    out += lines_[play.planLine].people;
    out += IsoDateText(play.day);
    out += ';';
    out += ClockText(play.localSecond);
    out += ';';
    out += LengthText(play.length);
    out += ';';
    out += play.overBooked ? kOverBooked : "";
    if (withContacts_) {
        out += ';';
        out += play.hasContacts ? ContactsText(play.contacts) : "";
    }
    out += "\r\n";
}

void PlayRowMaker::PlayoutRecord(const CountedPlay& play, std::string& out) {
    const int64_t start = play.utcSecond * 1000;
    const int64_t length = std::llround(play.length * 1000);
    const int64_t end = start + length;
    out += frameId_;
    out += UtcStampText(start);
    out += ',';
    out += UtcOffsetText(UtcOffsetAt(play.utcSecond));
    out += ',';
    out += UtcStampText(end);
    out += ',';
    out += UtcOffsetText(UtcOffsetAt((end >= 0 ? end : end - 999) / 1000));
    out += ',';
    out += std::to_string(length);
    out += ',';  // shareoftime stays empty
    out += lines_[play.planLine].playout;
    out += PlayoutCp1250(play.name, kMaxCreativeName);
    out += playerTail_;
    out += PlayReference(panelUtf8_, logNameUtf8_, play.offset);
    out += '\n';
}
