// Each client's share made from the client index against the share made by walking the whole
// result for that client: random bookings of several clients whose lines overlap, on panels with
// silences, silent days, a missing month and logs that end before the as-of day.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <variant>
#include <vector>

#include "base/cp1250.h"
#include "campaign/booking.h"
#include "campaign/calendar.h"
#include "campaign/campaign.h"
#include "campaign/client_share.h"
#include "tests/campaign/share_by_walk.h"
#include "tests/logdata/random.h"
#include "tests/support/scratch_path.h"

namespace {

namespace fs = std::filesystem;

std::string Two(size_t value) {
    return (value < 10 ? "0" : "") + std::to_string(value);
}

// A month of plays every 1 to 20 minutes, with an hour's silence now and then and a silent day.
std::string RandomMonth(Random& random, uint32_t month, uint32_t lastDay) {
    const char* names[] = {"a.avi", "b.avi", "spot_01.avi", "spot_02.avi", "D:\\x\\A.AVI"};
    std::string log;
    for (uint32_t day = 1; day <= lastDay; ++day) {
        if (random.OneIn(12)) {
            continue;
        }
        for (size_t second = random.Below(600); second < 86400; second += 60 + random.Below(1140)) {
            second += random.OneIn(40) ? 3600 : 0;
            if (second >= 86400) {
                break;
            }
            log += Two(day) + "." + Two(month) + ".2026\t" + Two(second / 3600) + ":" +
                   Two(second / 60 % 60) + ":" + Two(second % 60) + "\tP\t" +
                   names[random.Below(std::size(names))] + "\t30\r\n";
        }
    }
    return log;
}

// Lines of five clients: exact names, patterns and "*", windows and periods that overlap.
std::string RandomBooking(Random& random) {
    const char* spots[] = {"a.avi", "B.AVI", "spot_0*", "*", "spot_01.avi", "D:\\x\\a.avi"};
    const char* panels[] = {"", "p1", "p2", "p3", "p4"};  // p4 is not given
    std::string rows = "Klient;Kampaň;Spot;Od;Do;Čas od;Čas do;Přehrání za den;Panel\r\n";
    for (int i = 0; i < 40; ++i) {
        const size_t first = 1 + random.Below(75);  // days from 1.10., some into December
        const size_t last = first + random.Below(30);
        const size_t from = random.Below(20);
        const auto date = [](size_t day) {
            return day <= 31
                       ? std::to_string(day) + ".10.2026"
                       : (day <= 61 ? std::to_string(day - 31) + ".11.2026"
                                    : std::to_string(std::min<size_t>(day - 61, 31)) + ".12.2026");
        };
        rows += "K" + std::to_string(random.Below(5)) + ";C;" +
                spots[random.Below(std::size(spots))] + ";" + date(first) + ";" + date(last) + ";" +
                std::to_string(from) + ":00;" + std::to_string(from + 1 + random.Below(24 - from)) +
                ":00;" + std::to_string(1 + random.Below(60)) + ";" +
                panels[random.Below(std::size(panels))] + "\r\n";
    }
    return rows;
}

// Every field of a share, one line per record.
std::string ShareText(const ClientShare& share) {
    std::string text;
    const auto add = [&](auto... values) {
        ((text += std::to_string(values) + " "), ...);
        text += "\n";
    };
    for (const BookingLine& line : share.lines) {
        text += line.client + line.campaign + line.spot + line.panel + line.contract + " ";
        add(line.lineNumber, line.firstDay, line.lastDay, line.from.hour, line.from.minute,
            line.to.hour, line.to.minute, line.playsPerDay);
    }
    const CampaignResult& r = share.result;
    for (const LineFigures& f : r.figures) {
        add(f.line, f.panel, f.daysLeft);
        for (const uint32_t plays : f.delivered) {
            add(plays);
        }
    }
    for (const Outage& o : r.outages) {
        add(o.panel, o.day, o.start, o.end, o.seconds, o.realStart);
    }
    for (const SilentDay& d : r.silentDays) {
        add(d.panel, d.day);
    }
    for (const MissingLog& m : r.missingLogs) {
        text += m.path + " ";
        add(m.panel, m.year, m.month);
    }
    for (const LogEvidence& g : r.logs) {
        text += g.path + " " + HexDigest(g.digest) + " ";
        add(g.panel, g.size, g.hasPlays, StampKey(g.first), StampKey(g.last));
        for (const LogFinding& finding : g.findings) {
            add(finding.count, finding.worstDay, finding.firstSecond);
        }
    }
    for (const BookingOverlap& o : r.overlaps) {
        add(o.first, o.second, o.sharedPlays);
    }
    for (const size_t line : r.linesWithoutPanel) {
        add(line);
    }
    for (const ShortDay& d : r.shortDays) {
        add(d.figures, d.day, d.logMissing, d.noPlayAtAll, d.afterLogEnd, d.outages.size());
        for (const size_t o : d.outages) {
            add(o);
        }
    }
    for (const LogEnd& e : r.logEnds) {
        add(e.panel, e.day, e.second);
    }
    add(r.asOfDay);
    return text;
}

TEST(ClientShares, EachShareIsTheOneAWalkOfTheWholeResultGives) {
    for (const uint64_t seed : {1u, 2u, 3u, 4u}) {
        SCOPED_TRACE(seed);
        Random random(seed);
        const fs::path root = TestScratchPath("kv_client_share");
        fs::remove_all(root);
        std::vector<CampaignPanel> panels;
        for (const std::string name : {"p1", "p2", "p3"}) {
            fs::create_directories(root / name / "log");
            panels.push_back({name, (root / name).string()});
            std::ofstream(root / name / "log" / "AVI_2026-10.txt", std::ios::binary)
                << RandomMonth(random, 10, 31);
            if (name != "p2") {  // p2 misses November; p3 ends early in it
                std::ofstream(root / name / "log" / "AVI_2026-11.txt", std::ios::binary)
                    << RandomMonth(random, 11, name == "p3" ? 20 : 30);
            }
        }
        const Booking booking = ParseBooking(Utf8ToCp1250(RandomBooking(random)));
        ASSERT_TRUE(booking.errors.empty()) << booking.errors[0].message;
        const int32_t asOf = DayNumber({2026, 11, 25});
        const CampaignOutcome outcome =
            EvaluateCampaign(booking.lines, panels, CampaignSettings{15, asOf});
        const auto* result = std::get_if<CampaignResult>(&outcome);
        ASSERT_NE(result, nullptr);
        EXPECT_FALSE(result->missingLogs.empty());
        const ClientShares shares(booking.lines, panels, *result, 15);
        EXPECT_EQ(shares.Clients(), ClientsOf(booking.lines));
        CampaignResult seen;  // something of each kind in some share, or the cases miss it
        for (size_t c = 0; c < shares.Clients().size(); ++c) {
            const std::string& client = shares.Clients()[c];
            const ClientShare share = shares.ShareOf(c);
            EXPECT_EQ(ShareText(share),
                      ShareText(ShareByWalk(booking.lines, panels, *result, client, 15)))
                << client;
            const CampaignResult& r = share.result;
            seen.outages.insert(seen.outages.end(), r.outages.begin(), r.outages.end());
            seen.silentDays.insert(seen.silentDays.end(), r.silentDays.begin(), r.silentDays.end());
            seen.overlaps.insert(seen.overlaps.end(), r.overlaps.begin(), r.overlaps.end());
            seen.logEnds.insert(seen.logEnds.end(), r.logEnds.begin(), r.logEnds.end());
            seen.linesWithoutPanel.insert(seen.linesWithoutPanel.end(), r.linesWithoutPanel.begin(),
                                          r.linesWithoutPanel.end());
            for (const ShortDay& day : r.shortDays) {
                if (!day.outages.empty()) {
                    seen.shortDays.push_back(day);
                }
            }
        }
        EXPECT_FALSE(seen.outages.empty() || seen.silentDays.empty() || seen.overlaps.empty() ||
                     seen.logEnds.empty() || seen.linesWithoutPanel.empty() ||
                     seen.shortDays.empty());
        EXPECT_EQ(ShareText(ShareOf(booking.lines, panels, *result, "nobody", 15)),
                  ShareText(ShareByWalk(booking.lines, panels, *result, "nobody", 15)));
        fs::remove_all(root);
    }
}

}  // namespace
