// Reading back what a proof names: the attribute escaping undone byte for byte, and pages and
// sums files that are whole, cut, empty or something else each told apart, never a crash.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/cp1250.h"
#include "reports/html_escape.h"
#include "reports/proof_files.h"

namespace {

const std::string kHash(64, 'a');

TEST(HtmlAttribute, ComesBackByteForByte) {
    const std::string hostile[] = {
        "log/AVI_2015-03.txt",          "a\"b' c&amp;<script>x</script>",
        "\r\n\t\x01\x1F\x7F end",       Utf8ToCp1250("Náměstí Míru/Žluťoučký kůň"),
        "\x81\x83\x88\x90\x98\xA0\xFF", "&#x41; &nbsp; &",
    };
    for (const std::string& name : hostile) {
        const std::string html = HtmlAttribute(name);
        EXPECT_EQ(html.find_first_of("\"<>"), std::string::npos) << html;
        std::string back;
        ASSERT_TRUE(HtmlAttributeText(html, back)) << html;
        EXPECT_EQ(back, name);
    }
}

TEST(HtmlAttribute, RefusesWhatItNeverWrites) {
    for (const char* html :
         {"&apos;", "&#65;", "&#x41;", "&#x00;", "&amp", "a\"b", "a\tb", "\xC3", "\xE2\x82"}) {
        std::string back;
        EXPECT_FALSE(HtmlAttributeText(html, back)) << html;
    }
}

std::string Row(const std::string& file, const std::string& size, const std::string& hash) {
    return "<tr data-file=\"" + file + "\" data-size=\"" + size + "\" data-sha256=\"" + hash +
           "\"><td></td></tr>\n";
}

TEST(ProofPage, ReadsItsEvidenceOrSaysWhyNot) {
    const std::string start = "<html>\n<section class=\"evidence\">\n<table>\n";
    const std::string end = "</table>\n</section>\n</html>\n";
    const struct {
        const char* what;
        std::string page;
        ProofReading outcome;
        size_t files;
    } cases[] = {
        {"whole", start + Row("k.csv", "12", kHash) + Row("a&amp;b", "0", kHash) + end,
         ProofReading::kRead, 2},
        {"cut inside a row", start + "<tr data-file=\"x\" data-size=\"1\" data-sha256=\"",
         ProofReading::kCut, 0},
        {"cut after the rows", start + Row("k.csv", "12", kHash), ProofReading::kCut, 0},
        {"no rows", start + end, ProofReading::kNoFiles, 0},
        {"not a campaign page", "<html><tr data-file=\"x\"></html>", ProofReading::kNotAProof, 0},
        {"empty", "", ProofReading::kNotAProof, 0},
        {"size not a number", start + Row("k.csv", "1x", kHash) + end, ProofReading::kDamaged, 0},
        {"size too large", start + Row("k.csv", "99999999999999999999", kHash) + end,
         ProofReading::kDamaged, 0},
        {"short hash", start + Row("k.csv", "1", "abc") + end, ProofReading::kDamaged, 0},
        {"unknown reference", start + Row("&x;", "1", kHash) + end, ProofReading::kDamaged, 0},
        {"unclosed quote", start + "<tr data-file=\"x>" + end, ProofReading::kDamaged, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const ProofFiles read = ReadProofPage(c.page);
        EXPECT_EQ(read.outcome, c.outcome);
        EXPECT_EQ(read.files.size(), c.files);
    }
    const ProofFiles whole = ReadProofPage(cases[0].page);
    EXPECT_EQ(whole.files[1].path, "a&b");
    EXPECT_EQ(whole.files[0].size, 12u);
    EXPECT_EQ(ReadProofPage(cases[6].page).line, 4u);
}

TEST(SumsFile, ReadsWhatItWrites) {
    const std::vector<ProofFile> files = {{"kampa\xF2.csv", 3, kHash},
                                          {"n\xE1m\xECst\xED\\log\\AVI_2015-03.txt", 9, kHash}};
    const std::string text = SumsFileText(files);
    EXPECT_EQ(text, kHash + "  kampaň.csv\r\n" + kHash + "  náměstí/log/AVI_2015-03.txt\r\n");
    const ProofFiles read = ReadSumsFile(text);
    ASSERT_EQ(read.outcome, ProofReading::kRead);
    ASSERT_EQ(read.files.size(), 2u);
    EXPECT_EQ(read.files[1].path, "n\xE1m\xECst\xED/log/AVI_2015-03.txt");
    EXPECT_FALSE(read.files[1].size.has_value());
}

TEST(SumsFile, SaysWhyItCannotBeRead) {
    const std::string line = kHash + "  a.txt\n";
    const struct {
        const char* what;
        std::string text;
        ProofReading outcome;
    } cases[] = {
        {"binary mode", kHash + " *a.txt\n", ProofReading::kRead},
        {"empty", "", ProofReading::kNoFiles},
        {"a page", "<!DOCTYPE html>\n", ProofReading::kNotAProof},
        {"cut", line + kHash.substr(0, 10), ProofReading::kCut},
        {"one space", line + kHash + " a.txt\n", ProofReading::kDamaged},
        {"no path", line + kHash + "  \n", ProofReading::kDamaged},
        {"upper-case hash", line + std::string(64, 'A') + "  a\n", ProofReading::kDamaged},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(ReadSumsFile(c.text).outcome, c.outcome);
    }
}

}  // namespace
