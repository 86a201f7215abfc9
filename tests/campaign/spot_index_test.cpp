// The spot index finds exactly the patterns that comparing a name with each of them finds.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/cp1250.h"
#include "campaign/spot_index.h"
#include "tests/logdata/random.h"

namespace {

std::vector<uint32_t> MatchingOneByOne(const std::vector<SpotPattern>& patterns,
                                       std::string_view name) {
    std::vector<uint32_t> found;
    for (uint32_t i = 0; i < patterns.size(); ++i) {
        if (patterns[i].Matches(name)) {
            found.push_back(i);
        }
    }
    return found;
}

TEST(SpotIndex, FindsExactAndPatternLinesAlike) {
    const char* const spots[] = {
        "spot_001.avi",                      // 0
        "SPOT_001.AVI",                      // 1: the same name in the other case
        "spot_0*",                           // 2
        "*pe*ivo.avi",                       // 3
        "C:\\Panel\\Animace\\spot_001.avi",  // 4: the whole name
        "c:\\panel\\*\\spot_001.avi",        // 5
        "Čerstvé_pečivo.avi",                // 6
        "*",                                 // 7
        "spot_0*",                           // 8: a pattern twice
        "spot_001.avi",                      // 9: a name twice
        "Animace\\spot_001.avi",             // 10: a folder but not the whole name
    };
    std::vector<SpotPattern> patterns;
    for (const char* spot : spots) {
        patterns.emplace_back(Utf8ToCp1250(spot));
    }
    const SpotIndex index(patterns);
    const struct {
        const char* name;
        std::vector<uint32_t> matching;
    } cases[] = {
        {"C:\\Panel\\Animace\\spot_001.avi", {0, 1, 2, 4, 5, 7, 8, 9}},
        {"c:\\PANEL\\ANIMACE\\SPOT_001.AVI", {0, 1, 2, 4, 5, 7, 8, 9}},
        {"spot_001.avi", {0, 1, 2, 7, 8, 9}},
        {"D:\\jinde\\spot_001.avi", {0, 1, 2, 7, 8, 9}},
        {"C:\\Panel\\Animace\\ČERSTVÉ_PEČIVO.AVI", {3, 6, 7}},
        {"čerstvé_pečivo.avi", {3, 6, 7}},
        {"C:\\Panel\\Animace\\spot_020.avi", {2, 7, 8}},
        {"C:\\Panel\\spot_0\\jiny.avi", {7}},
        {"", {7}},
    };
    for (const auto& c : cases) {
        const std::string name = Utf8ToCp1250(c.name);
        EXPECT_EQ(index.Matching(name), c.matching) << c.name;
        EXPECT_EQ(index.Matching(name), MatchingOneByOne(patterns, name)) << c.name;
    }
}

// Short texts over few letters, both cases of "a" and "š" among them, so that names meet patterns.
std::string RandomText(Random& random, std::string_view letters, size_t longest) {
    std::string text;
    const size_t length = random.Below(longest + 1);
    for (size_t i = 0; i < length; ++i) {
        text += letters[random.Below(letters.size())];
    }
    return text;
}

constexpr std::string_view kNameLetters = "aAbB\x8A\x9A\\/:.";

// A name made from one of the spots, each "*" filled and some letters in the other case.
std::string NameLike(const std::string& spot, Random& random) {
    std::string name;
    for (const char c : spot) {
        if (c == '*') {
            name += RandomText(random, kNameLetters, 3);
        } else if (random.OneIn(3)) {
            name += static_cast<char>(c == 'a' ? 'A' : c == 'A' ? 'a' : c == '\x8A' ? '\x9A' : c);
        } else {
            name += c;
        }
    }
    return name;
}

TEST(SpotIndex, AgreesWithComparingEachPatternOnRandomNames) {
    Random random(35);
    for (int round = 0; round < 200; ++round) {
        std::vector<std::string> spots;
        std::vector<SpotPattern> patterns;
        SpotIndex index;
        const size_t count = 1 + random.Below(40);
        for (size_t i = 0; i < count; ++i) {
            spots.push_back(RandomText(random, "aAb\x8A*\\.", 6));
            patterns.emplace_back(spots.back());
            index.Add(patterns.back());
        }
        for (int n = 0; n < 50; ++n) {
            const std::string name = random.OneIn(2) ? RandomText(random, kNameLetters, 8)
                                                     : NameLike(spots[random.Below(count)], random);
            ASSERT_EQ(index.Matching(name), MatchingOneByOne(patterns, name))
                << round << " " << name;
        }
    }
}

}  // namespace
