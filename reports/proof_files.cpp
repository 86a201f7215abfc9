#include "reports/proof_files.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "base/cp1250.h"
#include "reports/html_escape.h"

namespace {

constexpr std::string_view kEvidenceStart = "<section class=\"evidence\">";
constexpr std::string_view kEvidenceEnd = "</section>";
constexpr std::string_view kRowStart = "<tr data-file=\"";

// Reading from the front of a text; every step either takes what it expects or takes nothing.
class Reader {
public:
    explicit Reader(std::string_view text) : rest_(text) {}
    bool Take(std::string_view expected) {
        if (rest_.substr(0, expected.size()) != expected) {
            return false;
        }
        rest_.remove_prefix(expected.size());
        return true;
    }
    // The text up to the next `end`, which is passed over too.
    bool TakeUntil(char end, std::string_view& taken) {
        const size_t at = rest_.find(end);
        if (at == std::string_view::npos) {
            return false;
        }
        taken = rest_.substr(0, at);
        rest_.remove_prefix(at + 1);
        return true;
    }
    std::string_view Rest() const { return rest_; }

private:
    std::string_view rest_;
};

bool IsSha256(std::string_view text) {
    return text.size() == 64 && std::all_of(text.begin(), text.end(), [](char c) {
               return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
           });
}

bool ParseSize(std::string_view digits, uint64_t& size) {
    if (digits.empty() || digits.size() > 19) {
        return false;
    }
    size = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') {
            return false;
        }
        size = size * 10 + static_cast<uint64_t>(c - '0');
    }
    return true;
}

// `<tr data-file="..." data-size="..." data-sha256="...">` at the row's start.
bool ReadRow(std::string_view row, ProofFile& file) {
    Reader reader(row);
    std::string_view name, size, sha256;
    uint64_t bytes = 0;
    if (!reader.Take(kRowStart) || !reader.TakeUntil('"', name) || !reader.Take(" data-size=\"") ||
        !reader.TakeUntil('"', size) || !reader.Take(" data-sha256=\"") ||
        !reader.TakeUntil('"', sha256) || !reader.Take(">") || !ParseSize(size, bytes) ||
        !IsSha256(sha256) || !HtmlAttributeText(name, file.path) || file.path.empty()) {
        return false;
    }
    file.size = bytes;
    file.sha256 = std::string(sha256);
    return true;
}

size_t LineAt(std::string_view text, size_t offset) {
    return static_cast<size_t>(std::count(text.begin(), text.begin() + offset, '\n')) + 1;
}

// A path of a sums line: UTF-8 that the code page can hold.
bool SumsPath(std::string_view utf8, std::string& cp1250) {
    cp1250.clear();
    for (size_t i = 0; i < utf8.size();) {
        char32_t c = 0;
        const int byte = DecodeUtf8(utf8, i, c) ? UnicodeToCp1250(c) : -1;
        if (byte <= 0) {
            return false;
        }
        cp1250 += static_cast<char>(byte);
    }
    return !cp1250.empty();
}

// sha256sum's escape of a name that holds a line end or a backslash: "\" before the line.
constexpr std::pair<char, std::string_view> kSumsEscapes[] = {
    {'\\', "\\\\"}, {'\n', "\\n"}, {'\r', "\\r"}};

bool Unescape(std::string_view escaped, std::string& path) {
    path.clear();
    for (size_t i = 0; i < escaped.size(); ++i) {
        if (escaped[i] != '\\') {
            path += escaped[i];
            continue;
        }
        const auto* found =
            std::find_if(std::begin(kSumsEscapes), std::end(kSumsEscapes),
                         [&](const auto& e) { return escaped.substr(i, 2) == e.second; });
        if (found == std::end(kSumsEscapes)) {
            return false;
        }
        path += found->first;
        ++i;
    }
    return true;
}

bool ReadSumsLine(std::string_view line, ProofFile& file) {
    const bool escaped = !line.empty() && line[0] == '\\';
    line.remove_prefix(escaped ? 1 : 0);
    if (line.size() < 67 || !IsSha256(line.substr(0, 64)) || line[64] != ' ' ||
        (line[65] != ' ' && line[65] != '*')) {
        return false;
    }
    file.sha256 = std::string(line.substr(0, 64));
    std::string path(line.substr(66));
    return (!escaped || Unescape(line.substr(66), path)) && SumsPath(path, file.path);
}

}  // namespace

std::string SumsFileText(const std::vector<ProofFile>& files) {
    std::string text;
    for (const ProofFile& file : files) {
        std::string path = Cp1250ToUtf8(file.path);
        std::replace(path.begin(), path.end(), '\\', '/');
        std::string escaped;
        for (const char c : path) {
            const auto* found = std::find_if(std::begin(kSumsEscapes), std::end(kSumsEscapes),
                                             [c](const auto& e) { return e.first == c; });
            escaped +=
                found == std::end(kSumsEscapes) ? std::string(1, c) : std::string(found->second);
        }
        text += (escaped == path ? "" : "\\") + file.sha256 + "  " + escaped + "\r\n";
    }
    return text;
}

ProofFiles ReadProofPage(std::string_view page) {
    ProofFiles result;
    const size_t start = page.find(kEvidenceStart);
    if (start == std::string_view::npos) {
        return result;
    }
    const size_t end = page.find(kEvidenceEnd, start);
    if (end == std::string_view::npos) {
        result.outcome = ProofReading::kCut;
        return result;
    }
    const std::string_view evidence = page.substr(0, end);
    for (size_t at = evidence.find(kRowStart, start); at != std::string_view::npos;
         at = evidence.find(kRowStart, at + 1)) {
        ProofFile file;
        if (!ReadRow(evidence.substr(at), file)) {
            result.outcome = ProofReading::kDamaged;
            result.line = LineAt(page, at);
            result.files.clear();
            return result;
        }
        result.files.push_back(std::move(file));
    }
    result.outcome = result.files.empty() ? ProofReading::kNoFiles : ProofReading::kRead;
    return result;
}

ProofFiles ReadSumsFile(std::string_view text) {
    ProofFiles result;
    size_t number = 0;
    for (Reader reader(text); !reader.Rest().empty();) {
        ++number;
        std::string_view line;
        const bool ended = reader.TakeUntil('\n', line);
        if (!ended) {
            line = reader.Rest();
            reader = Reader({});
        }
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (!line.empty() && line[0] == '#') {
            continue;  // a comment, as sha256sum -c reads one
        }
        ProofFile file;
        if (!ReadSumsLine(line, file)) {
            result.outcome = number == 1 ? ProofReading::kNotAProof
                             : !ended    ? ProofReading::kCut
                                         : ProofReading::kDamaged;
            result.line = number;
            result.files.clear();
            return result;
        }
        result.files.push_back(std::move(file));
    }
    result.outcome = result.files.empty() ? ProofReading::kNoFiles : ProofReading::kRead;
    return result;
}
