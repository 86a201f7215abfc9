#include "reports/proof_settings.h"

#include <climits>
#include <cstdio>
#include <map>

#include "base/cp1250.h"
#include "campaign/booking.h"
#include "campaign/calendar.h"

namespace {

constexpr std::string_view kBlockStart =
    "<script type=\"application/json\" id=\"kv-proof-settings\">";
constexpr std::string_view kBlockEnd = "</script>";
// A sums file's comment: sha256sum -c passes over lines that start with "#".
constexpr std::string_view kSumsLineStart = "# kvimeter-proof-settings ";

// A JSON string of Windows-1250 text; "<", ">" and "&" escaped, so that no "</script>" or
// reference can arise inside a page.
std::string JsonString(std::string_view cp1250) {
    std::string json = "\"";
    for (const char c : Cp1250ToUtf8(cp1250)) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            json += '\\';
            json += c;
        } else if (byte < 0x20 || c == '<' || c == '>' || c == '&') {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(byte));
            json += escaped;
        } else {
            json += c;
        }
    }
    return json + "\"";
}

// A JSON value as this record uses them: text, a whole number, true or false, or a list of
// texts. Other values are read over, so that a newer program's record still reads.
struct JsonValue {
    enum class Kind { kText, kNumber, kBool, kList, kOther } kind = Kind::kOther;
    std::string text;  // Windows-1250
    int64_t number = 0;
    bool flag = false;
    std::vector<std::string> list;
};

class JsonReader {
public:
    explicit JsonReader(std::string_view json) : rest_(json) {}

    bool Object(std::map<std::string, JsonValue>& members) {
        if (!Take('{')) {
            return false;
        }
        if (Take('}')) {
            return true;
        }
        do {
            std::string key;
            JsonValue value;
            if (!String(key) || !Take(':') || !Value(value, 0)) {
                return false;
            }
            members[key] = std::move(value);
        } while (Take(','));
        return Take('}');
    }

private:
    void SkipSpace() {
        while (!rest_.empty() &&
               (rest_[0] == ' ' || rest_[0] == '\t' || rest_[0] == '\r' || rest_[0] == '\n')) {
            rest_.remove_prefix(1);
        }
    }
    bool Take(char c) {
        SkipSpace();
        if (rest_.empty() || rest_[0] != c) {
            return false;
        }
        rest_.remove_prefix(1);
        return true;
    }
    bool Word(std::string_view word) {
        SkipSpace();
        if (rest_.substr(0, word.size()) != word) {
            return false;
        }
        rest_.remove_prefix(word.size());
        return true;
    }
    bool Value(JsonValue& value, int depth) {
        SkipSpace();
        if (depth > 16 || rest_.empty()) {
            return false;
        }
        const char c = rest_[0];
        if (c == '"') {
            value.kind = JsonValue::Kind::kText;
            return String(value.text);
        }
        if (c == '[') {
            return List(value, depth);
        }
        if (c == '{') {
            std::map<std::string, JsonValue> ignored;
            return depth < 16 && Object(ignored);
        }
        if (Word("true") || Word("false")) {
            value.kind = JsonValue::Kind::kBool;
            value.flag = c == 't';
            return true;
        }
        if (Word("null")) {
            return true;
        }
        return Number(value);
    }
    bool List(JsonValue& value, int depth) {
        Take('[');
        value.kind = JsonValue::Kind::kList;
        if (Take(']')) {
            return true;
        }
        do {
            JsonValue item;
            if (!Value(item, depth + 1)) {
                return false;
            }
            if (item.kind != JsonValue::Kind::kText) {
                value.kind = JsonValue::Kind::kOther;
            }
            value.list.push_back(std::move(item.text));
        } while (Take(','));
        return Take(']');
    }
    bool Number(JsonValue& value) {
        const bool negative = Take('-');
        size_t digits = 0;
        uint64_t number = 0;
        while (digits < rest_.size() && rest_[digits] >= '0' && rest_[digits] <= '9') {
            if (digits >= 18) {
                return false;
            }
            number = number * 10 + static_cast<uint64_t>(rest_[digits] - '0');
            ++digits;
        }
        rest_.remove_prefix(digits);
        value.kind = JsonValue::Kind::kNumber;
        value.number = negative ? -static_cast<int64_t>(number) : static_cast<int64_t>(number);
        // A fraction or an exponent: a number this record never holds, read over.
        size_t more = 0;
        while (more < rest_.size() &&
               std::string_view("0123456789.eE+-").find(rest_[more]) != std::string_view::npos) {
            ++more;
        }
        rest_.remove_prefix(more);
        value.kind = more > 0 ? JsonValue::Kind::kOther : value.kind;
        return digits > 0;
    }
    bool String(std::string& cp1250) {
        if (!Take('"')) {
            return false;
        }
        std::string utf8;
        while (!rest_.empty() && rest_[0] != '"') {
            if (static_cast<unsigned char>(rest_[0]) < 0x20) {
                return false;  // JSON writes a control character only as an escape
            }
            if (rest_[0] != '\\') {
                utf8 += rest_[0];
                rest_.remove_prefix(1);
            } else if (!Escape(utf8)) {
                return false;
            }
        }
        return Take('"') && Cp1250Of(utf8, cp1250);
    }
    bool Escape(std::string& utf8) {
        static constexpr std::string_view kShort = "\"\"\\\\//b\bf\fn\nr\rt\t";
        if (rest_.size() < 2) {
            return false;
        }
        const char c = rest_[1];
        for (size_t i = 0; i < kShort.size(); i += 2) {
            if (kShort[i] == c) {
                utf8 += kShort[i + 1];
                rest_.remove_prefix(2);
                return true;
            }
        }
        unsigned code = 0;
        if (c != 'u' || rest_.size() < 6 ||
            std::sscanf(std::string(rest_.substr(2, 4)).c_str(), "%4x", &code) != 1) {
            return false;
        }
        rest_.remove_prefix(6);
        const int byte = UnicodeToCp1250(static_cast<char32_t>(code));
        if (byte <= 0) {
            return false;
        }
        utf8 += Cp1250ToUtf8(std::string(1, static_cast<char>(byte)));
        return true;
    }
    // Every character in the code page, else the record cannot name that file.
    static bool Cp1250Of(std::string_view utf8, std::string& cp1250) {
        cp1250.clear();
        for (size_t i = 0; i < utf8.size();) {
            char32_t c = 0;
            const int byte = DecodeUtf8(utf8, i, c) ? UnicodeToCp1250(c) : -1;
            if (byte < 0) {
                return false;
            }
            cp1250 += static_cast<char>(byte);
        }
        return true;
    }

    std::string_view rest_;
};

bool TakeText(const std::map<std::string, JsonValue>& members, const char* key, std::string& text) {
    const auto found = members.find(key);
    if (found == members.end() || found->second.kind != JsonValue::Kind::kText) {
        return false;
    }
    text = found->second.text;
    return true;
}

bool TakeNumber(const std::map<std::string, JsonValue>& members, const char* key, int64_t& number) {
    const auto found = members.find(key);
    if (found == members.end() || found->second.kind != JsonValue::Kind::kNumber) {
        return false;
    }
    number = found->second.number;
    return true;
}

bool TakeAsOf(const std::string& text, int32_t& day) {
    if (text.empty()) {
        day = INT32_MAX;
        return true;
    }
    std::string error;
    const std::optional<int32_t> parsed = ParseDate(text, error);
    day = parsed.value_or(0);
    return parsed.has_value();
}

}  // namespace

std::string_view ProgramVersion() {
    return KV_PROGRAM_VERSION;
}

std::string ProofSettingsJson(const ProofSettings& settings) {
    std::string panels;
    for (const std::string& panel : settings.panels) {
        panels += (panels.empty() ? "" : ",") + JsonString(panel);
    }
    return "{\"version\":" + JsonString(settings.version) +
           ",\"booking\":" + JsonString(settings.booking) + ",\"panels\":[" + panels +
           "],\"register\":" + JsonString(settings.panelRegister) +
           ",\"audience\":" + JsonString(settings.audience) +
           ",\"gap\":" + std::to_string(settings.gapMinutes) + ",\"asOf\":" +
           JsonString(settings.asOfDay == INT32_MAX ? "" : IsoDateText(settings.asOfDay)) +
           ",\"perClient\":" + (settings.perClient ? "true" : "false") +
           ",\"client\":" + JsonString(settings.client) +
           ",\"made\":" + std::to_string(static_cast<int64_t>(settings.madeAt)) + "}";
}

std::optional<ProofSettings> ParseProofSettings(std::string_view json) {
    std::map<std::string, JsonValue> members;
    if (!JsonReader(json).Object(members)) {
        return std::nullopt;
    }
    ProofSettings settings;
    std::string asOf;
    int64_t gap = 0, made = 0;
    const auto panels = members.find("panels");
    const auto perClient = members.find("perClient");
    if (!TakeText(members, "version", settings.version) ||
        !TakeText(members, "booking", settings.booking) || settings.booking.empty() ||
        panels == members.end() || panels->second.kind != JsonValue::Kind::kList ||
        panels->second.list.empty() || !TakeText(members, "register", settings.panelRegister) ||
        !TakeText(members, "audience", settings.audience) || !TakeNumber(members, "gap", gap) ||
        gap < 1 || gap > 24 * 60 || !TakeText(members, "asOf", asOf) ||
        !TakeAsOf(asOf, settings.asOfDay) || perClient == members.end() ||
        perClient->second.kind != JsonValue::Kind::kBool ||
        !TakeText(members, "client", settings.client) || !TakeNumber(members, "made", made)) {
        return std::nullopt;
    }
    settings.panels = panels->second.list;
    settings.gapMinutes = static_cast<int32_t>(gap);
    settings.perClient = perClient->second.flag;
    settings.madeAt = static_cast<std::time_t>(made);
    return settings;
}

std::string ProofSettingsBlock(const ProofSettings& settings) {
    return std::string(kBlockStart) + ProofSettingsJson(settings) + std::string(kBlockEnd) + "\n";
}

std::string ProofSettingsSumsLine(const ProofSettings& settings) {
    return std::string(kSumsLineStart) + ProofSettingsJson(settings) + "\r\n";
}

std::optional<ProofSettings> FindProofSettings(std::string_view proof) {
    if (proof.substr(0, kSumsLineStart.size()) == kSumsLineStart) {
        const std::string_view line = proof.substr(kSumsLineStart.size());
        return ParseProofSettings(line.substr(0, line.find('\n')));
    }
    const size_t start = proof.find(kBlockStart);
    if (start == std::string_view::npos) {
        return std::nullopt;
    }
    const std::string_view block = proof.substr(start + kBlockStart.size());
    const size_t end = block.find(kBlockEnd);
    return end == std::string_view::npos ? std::nullopt : ParseProofSettings(block.substr(0, end));
}
