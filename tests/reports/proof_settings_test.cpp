// The record of what a proof was made from: it comes back whole from a page and from a sums file
// whatever the names hold, never closes the page's script element, and a record that is damaged
// or lacks a value is no record.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "base/cp1250.h"
#include "reports/proof_files.h"
#include "reports/proof_settings.h"

namespace {

ProofSettings Hostile() {
    ProofSettings settings;
    settings.version = "2.2.0.0";
    settings.booking = Utf8ToCp1250("objednávky\\\"září\" </script><b>&amp;.csv");
    settings.panels = {"", ".", Utf8ToCp1250("Náměstí Míru"), "C:\\panely\\\t\r\n"};
    settings.panelRegister = "panely.csv";
    settings.gapMinutes = 1440;
    settings.asOfDay = INT32_MAX;
    settings.perClient = true;
    settings.client = Utf8ToCp1250("Žluťoučký kůň");
    settings.madeAt = 1796112000;
    return settings;
}

void ExpectSame(const ProofSettings& read, const ProofSettings& written) {
    EXPECT_EQ(read.version, written.version);
    EXPECT_EQ(read.booking, written.booking);
    EXPECT_EQ(read.panels, written.panels);
    EXPECT_EQ(read.panelRegister, written.panelRegister);
    EXPECT_EQ(read.audience, written.audience);
    EXPECT_EQ(read.gapMinutes, written.gapMinutes);
    EXPECT_EQ(read.asOfDay, written.asOfDay);
    EXPECT_EQ(read.perClient, written.perClient);
    EXPECT_EQ(read.client, written.client);
    EXPECT_EQ(read.madeAt, written.madeAt);
}

TEST(ProofSettings, ComeBackWholeFromThePageAndTheSumsFile) {
    const ProofSettings written = Hostile();
    const std::string block = ProofSettingsBlock(written);
    // The JSON itself holds no markup: only the block's own tags do.
    EXPECT_EQ(block.find('<', 1), block.rfind("</script>"));
    const std::string sums =
        ProofSettingsSumsLine(written) + SumsFileText({{"kampan.csv", 3, std::string(64, 'a')}});
    for (const std::string& proof : {"<html><body>" + block + "</body></html>", sums}) {
        const std::optional<ProofSettings> read = FindProofSettings(proof);
        ASSERT_TRUE(read.has_value()) << proof;
        ExpectSame(*read, written);
    }
    // The comment line is no file of the sums file's.
    const ProofFiles files = ReadSumsFile(sums);
    EXPECT_EQ(files.outcome, ProofReading::kRead);
    ASSERT_EQ(files.files.size(), 1u);
    EXPECT_EQ(files.files[0].path, "kampan.csv");
}

TEST(ProofSettings, ADamagedOrIncompleteRecordIsNone) {
    const std::string json = ProofSettingsJson(Hostile());
    const auto without = [&](const std::string& key) {
        std::string text = json;
        text.replace(text.find("\"" + key + "\""), 1, "\"x");
        return text;
    };
    const std::string cases[] = {
        "",
        "{",
        json.substr(0, json.size() - 1),
        without("booking"),
        without("made"),
        without("panels"),
        "{\"version\":\"2.2.0.0\"}",
        "[1,2]",
        // A gap out of its range, a character the code page lacks, and one unescaped.
        std::string(json).replace(json.find("\"client\":\""), 10, "\"client\":\"\t"),
        std::string(json).replace(json.find("\"gap\":1440"), 10, "\"gap\":0"),
        std::string(json).replace(json.find("\"client\":\""), 10, "\"client\":\"\\u4e2d"),
    };
    for (const std::string& text : cases) {
        EXPECT_FALSE(ParseProofSettings(text).has_value()) << text;
    }
    // A newer program's values it does not know are read over.
    std::string newer = json;
    newer.insert(1, "\"lists\":{\"a\":[1,{\"b\":null}],\"c\":-2.5e3},");
    EXPECT_TRUE(ParseProofSettings(newer).has_value());
}

}  // namespace
