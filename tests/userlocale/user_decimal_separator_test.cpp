#include "userlocale/user_decimal_separator.h"

#include <gtest/gtest.h>
#include <locale.h>
#include <stdlib.h>

#include <cstring>
#include <string>

namespace {

// Sets LC_ALL for one test and restores it afterwards.
class WithEnvironmentLocale : public ::testing::Test {
protected:
    void SetUp() override {
        const char* old = getenv("LC_ALL");
        hadOld_ = old != nullptr;
        old_ = hadOld_ ? old : "";
    }
    void TearDown() override {
        if (hadOld_) {
            setenv("LC_ALL", old_.c_str(), 1);
        } else {
            unsetenv("LC_ALL");
        }
    }
    bool hadOld_ = false;
    std::string old_;
};

TEST_F(WithEnvironmentLocale, CLocaleGivesPoint) {
    setenv("LC_ALL", "C", 1);
    EXPECT_EQ(UserDecimalSeparator(), '.');
}

TEST_F(WithEnvironmentLocale, UnknownLocaleFallsBackToPoint) {
    setenv("LC_ALL", "xx_NOWHERE.UTF-8", 1);
    EXPECT_EQ(UserDecimalSeparator(), '.');
}

TEST_F(WithEnvironmentLocale, CommaLocaleGivesCommaAndLeavesTheProcessLocaleAlone) {
    const char* commaLocale = nullptr;
    for (const char* name : {"cs_CZ.UTF-8", "cs_CZ.utf8", "de_DE.UTF-8", "de_DE.utf8"}) {
        locale_t probe = newlocale(LC_NUMERIC_MASK, name, static_cast<locale_t>(0));
        if (probe != static_cast<locale_t>(0)) {
            freelocale(probe);
            commaLocale = name;
            break;
        }
    }
    if (commaLocale == nullptr) {
        GTEST_SKIP() << "no locale with a decimal comma is installed";
    }
    setenv("LC_ALL", commaLocale, 1);
    EXPECT_EQ(UserDecimalSeparator(), ',');
    EXPECT_STREQ(setlocale(LC_NUMERIC, nullptr), "C");
}

}  // namespace
