#include "reports/report_messages.h"

#include <gtest/gtest.h>

#include "report_test_support.h"
#include "reports/failure_list.h"

namespace {

TEST(ReportMessages, ConfirmationsAreTheWindowsTextsInWindows1250) {
    EXPECT_EQ(SummarySavedMessage("report\\SUM_AVI_2015-03.csv"),
              Cp1250(u"Sumární přehled byl uložen do souboru:\n\nreport\\SUM_AVI_2015-03.csv"));
    EXPECT_EQ(DetailSavedMessage("report\\a_2015-03.csv"),
              Cp1250(u"Detailní přehled byl uložen do souboru\n\nreport\\a_2015-03.csv"));
    EXPECT_EQ(AllDetailsSavedMessage(),
              Cp1250(u"Detailní přehledy byly uloženy do adresáře report"));
}

TEST(ReportMessages, FailureMessageNamesEveryFileWithItsReason) {
    ReportResult result;
    result.failures.push_back({"report/a.txt", "No such file or directory"});
    result.failures.push_back({"report/b.csv", "Permission denied"});
    const std::string message = ReportFailureMessage(result);
    EXPECT_NE(message.find("report/a.txt: No such file or directory"), std::string::npos);
    EXPECT_NE(message.find("report/b.csv: Permission denied"), std::string::npos);
}

ReportResult Failures(size_t count, bool ownReasons = false) {
    ReportResult result;
    for (size_t i = 0; i < count; ++i) {
        const std::string n = std::to_string(i);
        result.failures.push_back({"report/" + n + ".txt", ownReasons ? "reason " + n : "refused"});
    }
    return result;
}

TEST(ReportMessages, TheBoxNamesAtMostFifteenFilesUnderTheirReasonsThenCountsTheRest) {
    const struct {
        ReportResult result;
        std::string listReason;
        std::u16string end;
    } cases[] = {
        {Failures(15), "", u"refused:\n    report/0.txt\n    report/1.txt"},
        {Failures(15), "", u"\n    report/14.txt"},
        {Failures(16), "",
         u"\n    report/14.txt\n\nDalší soubory, které se nepodařilo uložit: 1\n"
         u"Celý seznam je v souboru L"},
        {Failures(60), "disk full",
         u"uložit: 45\nCelý seznam se nepodařilo uložit do souboru L: disk full"},
        // Each file under a reason of its own takes two lines: eight fit.
        {Failures(10, true), "",
         u"reason 7:\n    report/7.txt\n\nDalší soubory, které se "
         u"nepodařilo uložit: 2\nCelý seznam je v souboru L"},
        {ReportResult{{{"report/" + std::string(200, 'x') + ".txt", "refused"}}, "", ""}, "",
         u"refused:\n    ...xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx.txt"},
    };
    for (const auto& c : cases) {
        const std::string box = ReportFailureBoxMessage(c.result, "L", c.listReason);
        EXPECT_TRUE(box.starts_with(FailureListHeading() + "\n")) << box;
        EXPECT_NE(box.find(Cp1250(c.end)), std::string::npos) << box;
        EXPECT_EQ(box.find("report/15.txt"), std::string::npos) << box;
        const bool all = FailuresNamedInBox(c.result) == c.result.failures.size();
        EXPECT_EQ(box.find(Cp1250(u"Další")) == std::string::npos, all) << box;
    }
}

using FailureList = InScratchFolder;

TEST_F(FailureList, HoldsEveryFailureOnALineOfItsOwn) {
    ReportResult result = Failures(2);
    result.failures.push_back({"", Cp1250(u"řádek 9 v seznamu není")});
    std::string reason;
    ASSERT_TRUE(WriteFailureList(result, FailureListPath(), &reason)) << reason;
    EXPECT_EQ(ReadBytes(FailureListPath()),
              Cp1250(u"Následující soubory přehledu se nepodařilo uložit:\r\n"
                     u"report/0.txt: refused\r\nreport/1.txt: refused\r\n"
                     u"řádek 9 v seznamu není\r\n"));
    EXPECT_EQ(FailureListPath(), InReport("neulozene_soubory.txt"));
    EXPECT_FALSE(WriteFailureList(result, InReport("none/list.txt"), &reason));
    EXPECT_FALSE(reason.empty());
}

}  // namespace
