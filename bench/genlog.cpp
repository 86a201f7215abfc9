// genlog: writes a realistic month of playback log, deterministic by seed.
//   genlog --year Y --month M --plays N --playlist K --seed S [--clean] [--days D] -o FILE
// Plays run in time order through the month over a playlist of K animation paths with fixed
// spot lengths; a few names carry Czech letters (Windows-1250) and a few lines are odd: empty,
// a comment, an unreadable date, an empty name field, a missing length, and a line cut short by
// a power failure that runs into the next one. --clean leaves the odd lines out: a month as a
// panel that never lost power writes it. --days D ends the month after its first D days, as a
// log copied from a panel in the middle of the month does; those days are the whole month's.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "bench/playlist.h"
#include "tests/logdata/random.h"

namespace {

struct Options {
    unsigned year = 2026;
    unsigned month = 11;
    uint64_t plays = 20000;
    unsigned playlist = 24;
    uint64_t seed = 1;
    bool oddLines = true;
    unsigned days = 31;  // the month's first days written
    std::string output;
};

struct Animation {
    std::string path;  // Windows-1250
    std::string length;
};

const char* const kLengths[] = {"10", "12.5", "15", "20", "25.5", "30", "45", "60"};

std::vector<Animation> MakePlaylist(unsigned size, Random& random) {
    std::vector<Animation> playlist;
    for (unsigned i = 0; i < size; ++i) {
        playlist.push_back({AnimationPath(i), kLengths[random.Below(8)]});
    }
    return playlist;
}

unsigned DaysInMonth(unsigned year, unsigned month) {
    static const unsigned kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[(month - 1) % 12];
}

class LineWriter {
public:
    explicit LineWriter(std::FILE* file) : file_(file) { buffer_.reserve(kFlushAt + 4096); }
    ~LineWriter() { Flush(); }
    void Add(const char* text, size_t size) {
        buffer_.append(text, size);
        if (buffer_.size() >= kFlushAt) {
            Flush();
        }
    }
    void Add(const std::string& text) { Add(text.data(), text.size()); }
    bool Flush() {
        const bool ok = std::fwrite(buffer_.data(), 1, buffer_.size(), file_) == buffer_.size();
        buffer_.clear();
        failed_ = failed_ || !ok;
        return ok;
    }
    bool Failed() const { return failed_; }

private:
    static constexpr size_t kFlushAt = 1 << 20;
    std::FILE* file_;
    std::string buffer_;
    bool failed_ = false;
};

std::string Stamp(const Options& options, uint64_t second) {
    char text[48];
    std::snprintf(text, sizeof text, "%02u.%02u.%04u\t%02u:%02u:%02u",
                  static_cast<unsigned>(second / 86400 + 1), options.month, options.year,
                  static_cast<unsigned>(second / 3600 % 24),
                  static_cast<unsigned>(second / 60 % 60), static_cast<unsigned>(second % 60));
    return text;
}

// One of the odd lines a real log collects over a month.
std::string OddLine(unsigned kind, const std::string& stamp, const Animation& animation) {
    switch (kind % 6) {
        case 0:
            return "\r\n";
        case 1:
            return "# player restarted\r\n";
        case 2:
            return "??.??.????\t??:??:??\tP1\t" + animation.path + "\t" + animation.length + "\r\n";
        case 3:
            return stamp + "\t" + animation.path + "\t\t" + animation.length + "\r\n";
        case 4:
            return stamp + "\tP1\t" + animation.path + "\r\n";
        default:
            return stamp + "\tP1\t" + animation.path.substr(0, 12);  // cut short, no line end
    }
}

void WriteMonth(const Options& options, LineWriter& out) {
    Random random(options.seed);
    const std::vector<Animation> playlist = MakePlaylist(options.playlist, random);
    const uint64_t monthSeconds = uint64_t{DaysInMonth(options.year, options.month)} * 86400;
    const uint64_t oddEvery = std::max<uint64_t>(options.plays / 6, 1) < 50000
                                  ? std::max<uint64_t>(options.plays / 6, 1)
                                  : 50000;
    size_t next = 0;
    unsigned oddKind = 0;
    for (uint64_t i = 0; i < options.plays; ++i) {
        // Evenly through the month, never backwards.
        const uint64_t second = i * monthSeconds / options.plays;
        if (second >= uint64_t{options.days} * 86400) {
            break;
        }
        const std::string stamp = Stamp(options, second);
        // Mostly the playlist in turn, now and then an inserted spot.
        const size_t pick = random.Below(10) == 0 ? random.Below(playlist.size()) : next++;
        const Animation& animation = playlist[pick % playlist.size()];
        if (options.oddLines && i % oddEvery == oddEvery / 2) {
            out.Add(OddLine(oddKind++, stamp, animation));
            continue;
        }
        out.Add(stamp + "\tP1\t" + animation.path + "\t" + animation.length + "\r\n");
    }
}

bool ParseNumber(const char* text, uint64_t& value) {
    char* end = nullptr;
    value = std::strtoull(text, &end, 10);
    return *text != '\0' && *end == '\0';
}

bool ParseOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--clean") {
            options.oddLines = false;
            continue;
        }
        if (i + 1 >= argc) {
            return false;
        }
        const char* value = argv[++i];
        uint64_t number = 0;
        if (option == "-o") {
            options.output = value;
            continue;
        }
        if (!ParseNumber(value, number)) {
            return false;
        }
        if (option == "--year" && number <= 9999) {
            options.year = static_cast<unsigned>(number);
        } else if (option == "--month" && number >= 1 && number <= 12) {
            options.month = static_cast<unsigned>(number);
        } else if (option == "--plays") {
            options.plays = number;
        } else if (option == "--playlist" && number >= 1 && number <= 100000) {
            options.playlist = static_cast<unsigned>(number);
        } else if (option == "--seed") {
            options.seed = number;
        } else if (option == "--days" && number <= 31) {
            options.days = static_cast<unsigned>(number);
        } else {
            return false;
        }
    }
    return !options.output.empty();
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::fprintf(stderr,
                     "usage: genlog --year Y --month M --plays N --playlist K --seed S [--clean] "
                     "[--days D] -o FILE\n");
        return 2;
    }
    std::FILE* file = std::fopen(options.output.c_str(), "wb");
    if (file == nullptr) {
        std::fprintf(stderr, "genlog: cannot create %s\n", options.output.c_str());
        return 1;
    }
    bool ok = false;
    {
        LineWriter out(file);
        WriteMonth(options, out);
        ok = out.Flush() && !out.Failed();
    }
    ok = std::fclose(file) == 0 && ok;
    if (!ok) {
        std::fprintf(stderr, "genlog: cannot write %s\n", options.output.c_str());
        return 1;
    }
    return 0;
}
