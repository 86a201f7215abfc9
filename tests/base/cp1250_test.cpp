#include "base/cp1250.h"

#include <gtest/gtest.h>

namespace {

TEST(Cp1250, CzechLettersMapBothWays) {
    // "Počet přehrání" and "Čas celkem" as the reports write them.
    const std::string bytes =
        "Po\xE8"
        "et p\xF8"
        "ehr\xE1"
        "n\xED \xC8"
        "as";
    EXPECT_EQ(Cp1250ToUtf8(bytes), "Počet přehrání Čas");
    EXPECT_EQ(Utf16ToCp1250(u"Počet přehrání Čas"), bytes);
    EXPECT_EQ(Cp1250ToUtf16(bytes), u"Počet přehrání Čas");
}

TEST(Cp1250, EveryDefinedByteRoundTrips) {
    for (int byte = 0; byte < 256; ++byte) {
        const char16_t c = Cp1250ToUnicode(static_cast<unsigned char>(byte));
        if (c == 0xFFFD) {
            continue;
        }
        EXPECT_EQ(UnicodeToCp1250(c), byte) << byte;
    }
}

TEST(Cp1250, UndefinedBytesAndForeignCharacters) {
    for (const unsigned char undefined : {0x81, 0x83, 0x88, 0x90, 0x98}) {
        EXPECT_EQ(Cp1250ToUnicode(undefined), 0xFFFD);
    }
    EXPECT_EQ(Cp1250ToUtf8("\x81"), "\xEF\xBF\xBD");
    EXPECT_EQ(Cp1250ToUnicode(0x80), u'€');
    EXPECT_EQ(UnicodeToCp1250(U'ß'), 0xDF);
    EXPECT_EQ(UnicodeToCp1250(U'ø'), -1);
    EXPECT_EQ(Utf16ToCp1250(u"a\U0001F600b"), "a?b");
}

}  // namespace

TEST(Cp1250Literal, IsTheCodePageBytesOfTheUtf8Text) {
    static constexpr Cp1250Literal kText{"Přehled: žluťoučký kůň, €"};
    EXPECT_EQ(std::string(kText), Utf16ToCp1250(u"Přehled: žluťoučký kůň, €"));
    EXPECT_EQ(kText.c_str()[kText.size], '\0');
}
