// The plays lists of a small campaign, counted from logs and written with the proof.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <sstream>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "base/cp1250.h"
#include "base/system_files.h"
#include "campaign/campaign.h"
#include "digest/sha256.h"
#include "reports/campaign_files.h"
#include "reports/campaign_run.h"
#include "reports/play_lists.h"
#include "reports/play_rows.h"
#include "tests/reports/report_test_support.h"

namespace {

std::string LogLine(const std::string& date, const std::string& time, const std::string& name,
                    const std::string& length = "10") {
    return date + "\t" + time + "\tP\t" + name + "\t" + length + "\r\n";
}

std::vector<std::string> Lines(const std::string& text, const std::string& end) {
    std::vector<std::string> lines;
    for (size_t at = 0; at < text.size();) {
        const size_t next = text.find(end, at);
        lines.push_back(text.substr(at, next - at));
        at = next == std::string::npos ? text.size() : next + end.size();
    }
    return lines;
}

std::vector<std::string> Fields(const std::string& record) {
    std::vector<std::string> fields;
    std::stringstream in(record);
    for (std::string field; std::getline(in, field, ',');) {
        fields.push_back(field);
    }
    if (!record.empty() && record.back() == ',') {
        fields.emplace_back();
    }
    return fields;
}

class PlayLists : public InScratchFolder {
protected:
    // Counts the booking (UTF-8 rows after the header) on panel p1 and writes the proof;
    // betweenCountAndWrite sees the parts the count left.
    void Write(const std::string& rows, const std::string& log, bool perClient = true,
               const std::function<void()>& betweenCountAndWrite = {}) {
        std::filesystem::create_directories("p1/log");
        WriteBytes("p1/log/AVI_2026-10.txt", log);
        file_.path = "kampan.csv";
        file_.bytes = Utf8ToCp1250(
            "Klient;Kampaň;Spot;Od;Do;Čas od;Čas do;Přehrání za den;Panel;Smlouva\r\n" + rows);
        WriteBytes(file_.path, file_.bytes);
        file_.booking = ParseBooking(file_.bytes);
        ASSERT_TRUE(file_.booking.errors.empty());
        panels_ = {{"p1", "p1"}};
        PlayListParts parts("kampan", file_.booking.lines, panels_);
        const CampaignSettings settings{15, kEveryBookedDay, INT64_MAX, &parts};
        CampaignOutcome outcome = EvaluateCampaign(file_.booking.lines, panels_, settings);
        ASSERT_TRUE(std::holds_alternative<CampaignResult>(outcome));
        result_ = std::get<CampaignResult>(std::move(outcome));
        const CampaignReport report =
            MakeCampaignReport(file_, panels_, result_, settings, perClient);
        std::vector<std::string> written;
        if (betweenCountAndWrite) {
            betweenCountAndWrite();
        }
        result =
            WriteCampaignProofs(report, {2026, 11, 0, 1, 0, 0, 0, 0}, perClient, written, &parts);
        if (!betweenCountAndWrite) {
            EXPECT_TRUE(Succeeded(result));
        }
    }
    ReportResult result;
    // A list of the report named stem (UTF-8), read as the program names its files.
    static std::string ListBytes(const std::string& path) {
        std::string bytes, reason;
        EXPECT_TRUE(ReadWholeFile(path, bytes, reason)) << reason;
        return bytes;
    }
    std::vector<std::string> People(const std::string& stem = "kampan") const {
        return Lines(Cp1250ToUtf8(ListBytes(PeopleListPath(Utf8ToCp1250(stem)))), "\r\n");
    }
    std::vector<std::string> Playout(const std::string& stem = "kampan") const {
        const std::string bytes = ListBytes(PlayoutListPath(Utf8ToCp1250(stem)));
        EXPECT_TRUE(bytes.empty() || bytes.back() == '\n') << "each record ends in LF";
        return Lines(bytes, "\n");
    }

    BookingFile file_;
    std::vector<CampaignPanel> panels_;
    CampaignResult result_;
};

// Line 2 books 8:00-10:00 two plays a day; line 3, another client's, every name all day on the
// day October's hour repeats, so that they overlap at 8:30.
const std::string kBooking =
    "Pekárna;Jaro;a.avi;24.10.2026;25.10.2026;8:00;10:00;2;;S-1\r\n"
    "Zoo;Podzim;*.avi;25.10.2026;25.10.2026;;;1;;\r\n";
const std::string kLog =
    LogLine("24.10.2026", "07:59:59", "a.avi") + LogLine("24.10.2026", "08:00:00", "a.avi") +
    LogLine("24.10.2026", "09:00:00", "a.avi") + LogLine("24.10.2026", "09:59:59", "a.avi", "7.5") +
    LogLine("24.10.2026", "10:00:00", "a.avi") + LogLine("25.10.2026", "02:50:00", "C:\\x\\b.avi") +
    LogLine("25.10.2026", "02:05:00", "C:\\x\\b.avi") + LogLine("25.10.2026", "08:30:00", "a.avi");

TEST_F(PlayLists, EveryPlayThatCountedIsARowUnderEachOfItsLines) {
    Write(kBooking, kLog);
    const std::string head = "Klient;Kampaň;Smlouva;Řádek;Spot;Panel;Datum;Čas;Délka [s];Navíc";
    EXPECT_EQ(People(), (std::vector<std::string>{
                            head,
                            "Pekárna;Jaro;S-1;2;a.avi;p1;2026-10-24;08:00:00;10;",
                            "Pekárna;Jaro;S-1;2;a.avi;p1;2026-10-24;09:00:00;10;",
                            "Pekárna;Jaro;S-1;2;a.avi;p1;2026-10-24;09:59:59;7,5;ano",
                            "Zoo;Podzim;;3;*.avi;p1;2026-10-25;02:50:00;10;",
                            "Zoo;Podzim;;3;*.avi;p1;2026-10-25;02:05:00;10;ano",
                            "Pekárna;Jaro;S-1;2;a.avi;p1;2026-10-25;08:30:00;10;",
                            "Zoo;Podzim;;3;*.avi;p1;2026-10-25;08:30:00;10;ano",
                        }));
    const struct {
        const char* start;
        const char* startOffset;
        const char* end;
        const char* length;
        const char* order;
        const char* line;
        const char* name;
    } expected[] = {
        {"2026-10-24T06:00:00.000", "+02:00", "2026-10-24T06:00:10.000", "10000", "S-1", "2",
         "a.avi"},
        {"2026-10-24T07:00:00.000", "+02:00", "2026-10-24T07:00:10.000", "10000", "S-1", "2",
         "a.avi"},
        {"2026-10-24T07:59:59.000", "+02:00", "2026-10-24T08:00:06.500", "7500", "S-1", "2",
         "a.avi"},
        // the repeated hour: its first pass still on summer time, its second on winter time
        {"2026-10-25T00:50:00.000", "+02:00", "2026-10-25T00:50:10.000", "10000", "kampan/3", "3",
         "C:\\x\\b.avi"},
        {"2026-10-25T01:05:00.000", "+01:00", "2026-10-25T01:05:10.000", "10000", "kampan/3", "3",
         "C:\\x\\b.avi"},
        {"2026-10-25T07:30:00.000", "+01:00", "2026-10-25T07:30:10.000", "10000", "S-1", "2",
         "a.avi"},
        {"2026-10-25T07:30:00.000", "+01:00", "2026-10-25T07:30:10.000", "10000", "kampan/3", "3",
         "a.avi"},
    };
    const std::vector<std::string> records = Playout();
    ASSERT_EQ(records.size(), std::size(expected));
    for (size_t i = 0; i < records.size(); ++i) {
        SCOPED_TRACE(records[i]);
        const std::vector<std::string> f = Fields(records[i]);
        ASSERT_EQ(f.size(), 19u);
        EXPECT_EQ(f[1], expected[i].start);
        EXPECT_EQ(f[2], expected[i].startOffset);
        EXPECT_EQ(f[3], expected[i].end);
        EXPECT_EQ(f[4], expected[i].startOffset);
        EXPECT_EQ(f[5], expected[i].length);
        EXPECT_EQ(f[7], expected[i].order);
        EXPECT_EQ(f[8], expected[i].line);
        EXPECT_EQ(f[12], f[8] == "2" ? "Jaro" : "Podzim");
        EXPECT_EQ(f[13], f[8] == "2" ? "a.avi" : "*.avi");
        EXPECT_EQ(f[14], expected[i].name);
        EXPECT_EQ(f[17], "p1");
        for (const size_t empty : {0, 6, 9, 10, 11, 15, 16}) {
            EXPECT_EQ(f[empty], "") << empty;
        }
    }
}

// Anyone with the log recomputes a record's reference from the offset of the play's line.
TEST_F(PlayLists, TheReferenceIsRecomputedFromTheLogsBytes) {
    Write(kBooking, kLog);
    const std::vector<std::string> records = Playout();
    const size_t logLineOf[] = {1, 2, 3, 5, 6, 7, 7};  // the log's lines, from 0, of the records
    ASSERT_EQ(records.size(), std::size(logLineOf));
    const std::vector<std::string> logLines = Lines(kLog, "\r\n");
    for (size_t i = 0; i < records.size(); ++i) {
        size_t offset = 0;
        for (size_t l = 0; l < logLineOf[i]; ++l) {
            offset += logLines[l].size() + 2;
        }
        const std::string key = "p1\tAVI_2026-10.txt\t" + std::to_string(offset);
        EXPECT_EQ(Fields(records[i])[18], HexDigest(Sha256Of(key)).substr(0, 32)) << i;
    }
    EXPECT_NE(Fields(records[0])[18], Fields(records[1])[18]);
}

TEST_F(PlayLists, AClientsListsHoldOnlyItsOwnLines) {
    Write(kBooking, kLog);
    const std::vector<std::string> people = People("kampan_Pekárna");
    const std::vector<std::string> playout = Playout("kampan_Pekárna");
    ASSERT_EQ(people.size(), 5u);  // the header and four plays
    EXPECT_EQ(playout.size(), 4u);
    const std::string stem = Utf8ToCp1250("kampan_Pekárna");
    for (const std::string& file :
         {ListBytes(PeopleListPath(stem)), ListBytes(PlayoutListPath(stem))}) {
        for (const char* other : {"Zoo", "Podzim", "b.avi", "*.avi", "kampan/3"}) {
            EXPECT_EQ(file.find(other), std::string::npos) << other;
        }
    }
    EXPECT_EQ(Playout("kampan_Zoo").size(), 3u);
    // The sums file beside each page lists its own lists.
    const std::string sums = ListBytes(InReport(Utf8ToCp1250("KAMPAN_kampan_Pekárna.sha256")));
    EXPECT_NE(sums.find("report/KAMPAN_kampan_Pekárna_prehrani.csv"), std::string::npos);
    EXPECT_EQ(sums.find("report/KAMPAN_kampan_prehrani.csv"), std::string::npos);
}

TEST_F(PlayLists, WithoutClientPairsOnlyTheOverviewHasListsAndNoPartIsLeft) {
    Write(kBooking, kLog, false);
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator("report")) {
        files.push_back(entry.path().filename().string());
    }
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files,
              (std::vector<std::string>{"KAMPAN_kampan.csv", "KAMPAN_kampan.html",
                                        "KAMPAN_kampan.sha256", "KAMPAN_kampan_playout.csv",
                                        "KAMPAN_kampan_prehrani.csv", "KAMPAN_kampan_stav.csv"}));
}

// More clients than one pass over the parts writes: each pass's lists go with their own pages.
TEST_F(PlayLists, ManyClientsEachGetTheirOwnListsBesideTheirOwnPage) {
    std::string rows;
    for (int c = 0; c < 205; ++c) {
        rows += "K" + std::to_string(1000 + c) + ";Jaro;a.avi;24.10.2026;24.10.2026;;;1;;\r\n";
    }
    Write(rows, kLog);
    EXPECT_EQ(People().size(), 1u + 205 * 5);
    for (const std::string client : {"K1000", "K1099", "K1100", "K1204"}) {
        SCOPED_TRACE(client);
        const std::vector<std::string> people = People("kampan_" + client);
        ASSERT_EQ(people.size(), 6u);
        for (size_t row = 1; row < people.size(); ++row) {
            EXPECT_EQ(people[row].rfind(client + ";", 0), 0u) << people[row];
        }
        const std::string sums = ListBytes(InReport("KAMPAN_kampan_" + client + ".sha256"));
        EXPECT_NE(sums.find("report/KAMPAN_kampan_" + client + "_playout.csv"), std::string::npos);
        EXPECT_EQ(Playout("kampan_" + client).size(), 5u);
    }
}

TEST_F(PlayLists, APartCutShortReplacesNoListAndSaysWhich) {
    Write(kBooking, kLog);
    const std::vector<std::string> before = Playout();
    Write(kBooking, kLog + LogLine("25.10.2026", "09:00:00", "a.avi"), true, [] {
        for (const auto& entry : std::filesystem::directory_iterator("report")) {
            if (entry.path().extension() == ".tmp") {
                std::filesystem::resize_file(entry.path(), entry.file_size() - 3);
            }
        }
    });
    ASSERT_EQ(result.failures.size(), 1u);
    EXPECT_EQ(result.failures[0].path, PeopleListPath("kampan"));
    EXPECT_EQ(Playout(), before);
}

// Both changes of the year, a play crossing each: the end takes the offset of its own moment.
TEST_F(PlayLists, UtcTimesAndOffsetsAtBothChangesOfTheYear) {
    std::filesystem::create_directories("p1/log");
    WriteBytes("p1/log/AVI_2026-03.txt", LogLine("29.03.2026", "01:59:50", "s.avi", "20") +
                                             LogLine("29.03.2026", "03:00:00", "s.avi"));
    Write("A;Jaro;s.avi;29.3.2026;25.10.2026;;;100;;\r\n",
          LogLine("25.10.2026", "02:59:55", "s.avi", "10") +
              LogLine("25.10.2026", "02:10:00", "s.avi") +
              LogLine("25.10.2026", "02:59:55", "s.avi", "10") +
              LogLine("25.10.2026", "03:00:00", "s.avi"));
    const struct {
        const char *start, *startOffset, *end, *endOffset;
    } expected[] = {
        {"2026-03-29T00:59:50.000", "+01:00", "2026-03-29T01:00:10.000", "+02:00"},
        {"2026-03-29T01:00:00.000", "+02:00", "2026-03-29T01:00:10.000", "+02:00"},
        {"2026-10-25T00:59:55.000", "+02:00", "2026-10-25T01:00:05.000", "+01:00"},
        {"2026-10-25T01:10:00.000", "+01:00", "2026-10-25T01:10:10.000", "+01:00"},
        {"2026-10-25T01:59:55.000", "+01:00", "2026-10-25T02:00:05.000", "+01:00"},
        {"2026-10-25T02:00:00.000", "+01:00", "2026-10-25T02:00:10.000", "+01:00"},
    };
    const std::vector<std::string> records = Playout();
    ASSERT_EQ(records.size(), std::size(expected));
    for (size_t i = 0; i < records.size(); ++i) {
        const std::vector<std::string> f = Fields(records[i]);
        EXPECT_EQ(f[1] + " " + f[2] + " " + f[3] + " " + f[4],
                  std::string(expected[i].start) + " " + expected[i].startOffset + " " +
                      expected[i].end + " " + expected[i].endOffset)
            << i;
    }
}

TEST(PlayoutTexts, AreCutAtAWholeCharacter) {
    const std::string czech = "žluťoučký";  // 9 characters, 14 bytes
    EXPECT_EQ(CutUtf8(czech, 3), "žlu");
    EXPECT_EQ(CutUtf8(czech, 9), czech);
    EXPECT_EQ(CutUtf8(czech, 20), czech);
    EXPECT_EQ(CutUtf8("", 0), "");
    EXPECT_EQ(UtcStampText(-1), "1969-12-31T23:59:59.999");
    EXPECT_EQ(UtcOffsetText(-5400), "-01:30");
}

}  // namespace
