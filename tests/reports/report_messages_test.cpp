#include "reports/report_messages.h"

#include <gtest/gtest.h>

#include "report_test_support.h"

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

}  // namespace
