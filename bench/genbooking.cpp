// genbooking: writes a booking of many lines over genlog's playlist for the quarter October to
// December 2026, deterministic by seed, Windows-1250.
//   genbooking --lines N --playlist K --seed S (--overlapping | --distinct) -o FILE
// --overlapping: random lines as a network books them: exact names, spot families by pattern
// ("spot_0*", "*pe*ivo.avi"), "*", four-hour windows and periods that overlap, some lines on one
// of five panels. --distinct: exact names only, ten lines to a name with periods and windows
// apart, so that no two lines count the same play.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/cp1250.h"
#include "base/paths.h"
#include "bench/playlist.h"
#include "campaign/calendar.h"
#include "tests/logdata/random.h"

namespace {

struct Options {
    unsigned lines = 0;
    unsigned playlist = 24;
    uint64_t seed = 1;
    bool overlapping = true;
    std::string output;
};

const int32_t kFirstDay = DayNumber({2026, 10, 1});
const int32_t kLastDay = DayNumber({2026, 12, 31});

struct Line {
    std::string spot;
    int32_t firstDay, lastDay;
    int fromHour, toHour;  // toHour 24 is the day's end; 0 to 24 is written as empty
    unsigned plays;
    std::string panel;
};

std::string SpotName(unsigned animation) {
    return std::string(NameWithoutFolders(AnimationPath(animation)));
}

// A family of spots by pattern, as an operator books a brand's spots together; now and then the
// whole path, or "*" to see that a panel plays at all.
std::string FamilyPattern(Random& random, unsigned playlist) {
    static const char* const kFamilies[] = {"spot_0*",     "spot_00*",     "spot_01*", "spot_02*",
                                            "spot_*5.avi", "*pe*ivo*.avi", "*_v*.avi", "*kůň.avi"};
    if (random.OneIn(100)) {
        return "*";
    }
    if (random.OneIn(8)) {
        return AnimationPath(static_cast<unsigned>(random.Below(playlist)));
    }
    return Utf8ToCp1250(kFamilies[random.Below(std::size(kFamilies))]);
}

Line OverlappingLine(Random& random, unsigned playlist) {
    Line line;
    line.spot = random.OneIn(2) ? SpotName(static_cast<unsigned>(random.Below(playlist)))
                                : FamilyPattern(random, playlist);
    const int32_t days = 7 + static_cast<int32_t>(random.Below(86));
    line.firstDay = kFirstDay + static_cast<int32_t>(random.Below(kLastDay - kFirstDay + 1));
    line.lastDay = std::min(kLastDay, line.firstDay + days - 1);
    line.fromHour = random.OneIn(5) ? 0 : static_cast<int>(random.Below(21));
    line.toHour = line.fromHour == 0 ? 24 : line.fromHour + 4;
    line.plays = 10 + static_cast<unsigned>(random.Below(490));
    line.panel = random.OneIn(3) ? "panel0" + std::to_string(1 + random.Below(5)) : "";
    return line;
}

// Ten lines to a name: two periods times five windows of four hours, 4:00 to 24:00.
Line DistinctLine(unsigned i, Random& random, unsigned playlist) {
    const int32_t secondHalf = DayNumber({2026, 11, 16});
    Line line;
    line.spot = SpotName(i / 10 % playlist);
    line.firstDay = i % 2 == 0 ? kFirstDay : secondHalf;
    line.lastDay = i % 2 == 0 ? secondHalf - 1 : kLastDay;
    line.fromHour = 4 + static_cast<int>(i / 2 % 5) * 4;
    line.toHour = line.fromHour + 4;
    line.plays = 1 + static_cast<unsigned>(random.Below(10));
    return line;
}

std::string Hour(int hour, bool wholeDay) {
    return wholeDay ? "" : std::to_string(hour) + ":00";
}

std::string Row(unsigned i, const Line& line) {
    const bool wholeDay = line.fromHour == 0 && line.toHour == 24;
    return "Klient " + std::to_string(i % 20) + ";" + Utf8ToCp1250("Kampaň ") +
           std::to_string(i % 7) + ";" + line.spot + ";" + IsoDateText(line.firstDay) + ";" +
           IsoDateText(line.lastDay) + ";" + Hour(line.fromHour, wholeDay) + ";" +
           Hour(line.toHour, wholeDay) + ";" + std::to_string(line.plays) + ";" + line.panel +
           "\r\n";
}

bool ParseOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--overlapping" || option == "--distinct") {
            options.overlapping = option == "--overlapping";
            continue;
        }
        if (i + 1 >= argc) {
            return false;
        }
        const char* value = argv[++i];
        char* end = nullptr;
        const unsigned long long number = std::strtoull(value, &end, 10);
        if (option == "-o") {
            options.output = value;
        } else if (*value == '\0' || *end != '\0') {
            return false;
        } else if (option == "--lines" && number <= 10000000) {
            options.lines = static_cast<unsigned>(number);
        } else if (option == "--playlist" && number >= 1 && number <= 100000) {
            options.playlist = static_cast<unsigned>(number);
        } else if (option == "--seed") {
            options.seed = number;
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
                     "usage: genbooking --lines N --playlist K --seed S (--overlapping | "
                     "--distinct) -o FILE\n");
        return 2;
    }
    Random random(options.seed);
    std::string text =
        Utf8ToCp1250("Klient;Kampaň;Spot;Od;Do;Čas od;Čas do;Přehrání za den;Panel\r\n");
    for (unsigned i = 0; i < options.lines; ++i) {
        const Line line = options.overlapping ? OverlappingLine(random, options.playlist)
                                              : DistinctLine(i, random, options.playlist);
        text += Row(i, line);
    }
    std::FILE* file = std::fopen(options.output.c_str(), "wb");
    const bool ok =
        file != nullptr && std::fwrite(text.data(), 1, text.size(), file) == text.size();
    if (file == nullptr || std::fclose(file) != 0 || !ok) {
        std::fprintf(stderr, "genbooking: cannot write %s\n", options.output.c_str());
        return 1;
    }
    return 0;
}
