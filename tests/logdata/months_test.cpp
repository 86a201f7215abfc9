// The month list: file names read as year and month, the 1000-entry cap, the texts and paths.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "logdata/log_months.h"

namespace {

namespace fs = std::filesystem;

class MonthList : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::path("months_test") /
                  ::testing::UnitTest::GetInstance()->current_test_info()->name();
        fs::remove_all(folder_);
        fs::create_directories(folder_ / "log");
    }
    void TearDown() override { fs::remove_all(folder_); }

    void Touch(const std::string& name) { std::ofstream(folder_ / "log" / name) << "x"; }

    std::vector<std::string> Texts() {
        static LogMonthList list;
        FindLogMonths(list, (folder_ / "log").string().c_str());
        std::vector<std::string> texts;
        for (int i = 0; i < list.count; ++i) {
            texts.push_back(MonthComboText(list.entries[i]));
        }
        std::sort(texts.begin(), texts.end());  // the enumeration order is the platform's
        return texts;
    }

    fs::path folder_;
};

TEST_F(MonthList, ReadsYearAndMonthFromTheFileName) {
    Touch("AVI_2015-03.txt");
    Touch("AVI_2015-3.txt");
    Touch("AVI_abc.txt");
    Touch("AVI_2016.txt");
    Touch("AVI_2015-04.dat");
    Touch("notes.txt");
    EXPECT_EQ(Texts(), (std::vector<std::string>{"0000-00", "2015-03", "2015-03", "2016-00"}));
}

#ifndef _WIN32
TEST_F(MonthList, NamesMatchCaseSensitivelyOnThisPlatform) {
    Touch("avi_2015-03.txt");
    Touch("AVI_2015-04.TXT");
    Touch("AVI_2015-05.txt");
    EXPECT_EQ(Texts(), std::vector<std::string>{"2015-05"});
}
#endif

TEST_F(MonthList, MissingFolderGivesAnEmptyList) {
    LogMonthList list{};
    list.count = 5;
    FindLogMonths(list, "no/such/folder");
    EXPECT_EQ(list.count, 0);
}

TEST_F(MonthList, HoldsAtMost1000Entries) {
    for (int i = 0; i < 1005; ++i) {
        Touch("AVI_" + std::to_string(1000 + i) + "-01.txt");
    }
    EXPECT_EQ(Texts().size(), 1000u);
}

TEST(MonthText, FormatsAndPaths) {
    EXPECT_EQ(MonthComboText({2015, 3}), "2015-03");
    EXPECT_EQ(MonthComboText({0, 0}), "0000-00");
    EXPECT_EQ(MonthComboText({123456, 100}), "123456-100");
#ifdef _WIN32
    EXPECT_EQ(LogFilePath({2015, 3}), "log\\AVI_2015-03.txt");
#else
    EXPECT_EQ(LogFilePath({2015, 3}), "log/AVI_2015-03.txt");
#endif
}

TEST(MonthText, TheProcessWideListIsOneObject) {
    EXPECT_EQ(&LogMonths(), &LogMonths());
}

}  // namespace
