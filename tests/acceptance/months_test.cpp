// `months`: one line per log file found, in the order the folder listing yields them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>

#include "tests/acceptance/cli_process.h"

namespace acceptance {
namespace {

namespace fs = std::filesystem;

class Months : public CliTest {
protected:
    // The expected output: the text of each listed file, in the folder's own listing order.
    std::string InListingOrder(const std::map<std::string, std::string>& textOfFile,
                               std::size_t limit = 1000) const {
        std::string expected;
        std::size_t lines = 0;
        for (const auto& entry : fs::directory_iterator(folder_.Path() / "log")) {
            const auto found = textOfFile.find(entry.path().filename().string());
            if (found != textOfFile.end() && lines < limit) {
                expected += found->second + "\n";
                ++lines;
            }
        }
        return expected;
    }

    void WriteEmptyLogs(const std::map<std::string, std::string>& textOfFile) const {
        for (const auto& [file, text] : textOfFile) {
            folder_.WriteLog(file, "");
        }
    }
};

TEST_F(Months, FileNamesAreReadAsYearDashMonthWithZeroForWhatDoesNotRead) {
    const std::map<std::string, std::string> listed = {
        {"AVI_2015-03.txt", "2015-03"},     {"AVI_2015-3.txt", "2015-03"},
        {"AVI_abc.txt", "0000-00"},         {"AVI_15-1.txt", "0015-01"},
        {"AVI_2015.txt", "2015-00"},        {"AVI_2015-04-old.txt", "2015-04"},
        {"AVI_99999-123.txt", "99999-123"}, {"AVI_+2016-+4.txt", "2016-04"},
    };
    WriteEmptyLogs(listed);
    folder_.WriteLog("other.txt", "");
    folder_.WriteLog("AVI_2015-05.csv", "");
    folder_.WriteLog("XAVI_2015-06.txt", "");
    const std::string expected = InListingOrder(listed);
    ASSERT_EQ(std::count(expected.begin(), expected.end(), '\n'), 8);
    ExpectPrinted(Run({"months"}), expected);
}

TEST_F(Months, PrefixAndExtensionMatchAsThePlatformMatchesFileNames) {
    std::map<std::string, std::string> listed = {{"AVI_2015-08.txt", "2015-08"}};
    const std::map<std::string, std::string> otherCase = {{"avi_2015-05.txt", "2015-05"},
                                                          {"AVI_2015-06.TXT", "2015-06"},
                                                          {"Avi_2015-07.Txt", "2015-07"}};
    WriteEmptyLogs(listed);
    WriteEmptyLogs(otherCase);
#ifdef _WIN32
    listed.insert(otherCase.begin(), otherCase.end());
#endif
    ExpectPrinted(Run({"months"}), InListingOrder(listed));
}

TEST_F(Months, NoLogFolderOrAnEmptyOneListsNothing) {
    ExpectPrinted(Run({"months"}), "");
    fs::create_directories(folder_.Path() / "log");
    ExpectPrinted(Run({"months"}), "");
}

TEST_F(Months, AtMost1000FilesAreListed) {
    std::map<std::string, std::string> listed;
    for (int year = 1; year <= 1005; ++year) {
        char file[32];
        char text[16];
        std::snprintf(file, sizeof(file), "AVI_%d-1.txt", year);
        std::snprintf(text, sizeof(text), "%04d-01", year);
        listed[file] = text;
    }
    WriteEmptyLogs(listed);
    const std::string expected = InListingOrder(listed);
    ASSERT_EQ(std::count(expected.begin(), expected.end(), '\n'), 1000);
    ExpectPrinted(Run({"months"}), expected);
}

TEST_F(Months, ListFindsTheLogAsThePlatformMatchesFileNames) {
    folder_.WriteLog("avi_2015-03.txt", Play("15.03.2015", "10:00:00", "spot", "1"));
#ifdef _WIN32
    ExpectPrinted(ListMarch(), Row("spot", "1.00", "1", "0 h  00 min  01 sec"));
#else
    ExpectFailedLoad(ListMarch());
#endif
}

}  // namespace
}  // namespace acceptance
