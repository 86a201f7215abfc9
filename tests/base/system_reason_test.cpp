#include "base/system_reason.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>

#include "base/cp1250.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

struct KnownReason {
    int error;
    const char* text;  // UTF-8
};

TEST(SystemReason, TheErrorsTheToolMeetsAreSaidInCzech) {
    const KnownReason reasons[] = {
        {ENOENT, "soubor nebo složka neexistuje"},    {EACCES, "přístup byl odepřen"},
        {ENOSPC, "na disku není dost místa"},         {EIO, "chyba při čtení nebo zápisu na disk"},
        {EROFS, "médium je jen pro čtení"},           {EISDIR, "na místě souboru je složka"},
        {ENOTDIR, "na místě složky je soubor"},       {ENAMETOOLONG, "název je příliš dlouhý"},
        {EMFILE, "je otevřeno příliš mnoho souborů"}, {EBUSY, "soubor používá jiný program"},
    };
    for (const KnownReason& reason : reasons) {
        EXPECT_EQ(Cp1250ToUtf8(SystemReasonText(reason.error)), reason.text) << reason.error;
        EXPECT_EQ(SystemReasonText(SystemError{reason.error, false}),
                  SystemReasonText(reason.error));
    }
}

TEST(SystemReason, AnErrorOutsideTheTableGivesItsNumberAndTheSystemsText) {
    const std::string text = Cp1250ToUtf8(SystemReasonText(EDOM));
    EXPECT_EQ(text.find("chyba systému " + std::to_string(EDOM) + " ("), 0u) << text;
    EXPECT_GT(text.size(), std::string("chyba systému 33 ()").size()) << text;
}

#ifdef _WIN32
TEST(SystemReason, TheWin32ErrorsTheToolMeetsAreSaidInCzech) {
    const KnownReason reasons[] = {
        {ERROR_FILE_NOT_FOUND, "soubor nebo složka neexistuje"},
        {ERROR_PATH_NOT_FOUND, "soubor nebo složka neexistuje"},
        {ERROR_ACCESS_DENIED, "přístup byl odepřen"},
        {ERROR_SHARING_VIOLATION, "soubor používá jiný program"},
        {ERROR_LOCK_VIOLATION, "soubor používá jiný program"},
        {ERROR_DISK_FULL, "na disku není dost místa"},
        {ERROR_HANDLE_DISK_FULL, "na disku není dost místa"},
        {ERROR_WRITE_PROTECT, "médium je jen pro čtení"},
        {ERROR_READ_FAULT, "chyba při čtení nebo zápisu na disk"},
        {ERROR_FILENAME_EXCED_RANGE, "název je příliš dlouhý"},
        {ERROR_TOO_MANY_OPEN_FILES, "je otevřeno příliš mnoho souborů"},
    };
    for (const KnownReason& reason : reasons) {
        EXPECT_EQ(Cp1250ToUtf8(Win32ReasonText(static_cast<unsigned long>(reason.error))),
                  reason.text)
            << reason.error;
        EXPECT_EQ(SystemReasonText(SystemError{reason.error, true}),
                  Win32ReasonText(static_cast<unsigned long>(reason.error)));
    }
}

TEST(SystemReason, AWin32ErrorOutsideTheTableGivesItsNumberAndTheSystemsText) {
    const std::string text = Cp1250ToUtf8(Win32ReasonText(ERROR_TIMEOUT));
    EXPECT_EQ(text.find("chyba systému 1460 ("), 0u) << text;
    EXPECT_EQ(text.back(), ')') << "the system's text without its line end: " << text;
}
#endif

}  // namespace
