// The panel register as operators write it, and every error it can hold.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/cp1250.h"
#include "campaign/panel_register.h"

namespace {

const std::string kHeader = "Panel;Název\r\n";

std::vector<std::string> ErrorTexts(const std::vector<BookingError>& errors) {
    std::vector<std::string> texts;
    for (const BookingError& error : errors) {
        texts.push_back(Cp1250ToUtf8(BookingErrorText("p.csv", error)));
    }
    return texts;
}

TEST(PanelRegister, ReadsEveryColumnInAnyOrderAndFindsAFolderInEitherCase) {
    const PanelRegister panels = ParsePanelRegister(Utf8ToCp1250(
        "# panely v Brně\r\n"
        "ID;Délka;Šířka;Město;Adresa;název;Panel\r\n"
        "0042;16,6068;49.1951;Brno;\"Náměstí Svobody 1\";\"Brno, Náměstí Svobody – LED 6×3 m\";"
        "namesti\r\n"
        ";;;;;Nádraží;nadrazi\r\n"));
    ASSERT_TRUE(panels.errors.empty()) << ErrorTexts(panels.errors)[0];
    ASSERT_EQ(panels.panels.size(), 2u);
    const RegisteredPanel& first = panels.panels[0];
    EXPECT_EQ(first.lineNumber, 3);
    EXPECT_EQ(Cp1250ToUtf8(first.name), "Brno, Náměstí Svobody – LED 6×3 m");
    EXPECT_EQ(Cp1250ToUtf8(first.town), "Brno");
    EXPECT_EQ(first.id, "0042");
    EXPECT_TRUE(first.hasPosition);
    EXPECT_DOUBLE_EQ(first.latitude, 49.1951);
    EXPECT_DOUBLE_EQ(first.longitude, 16.6068);
    EXPECT_FALSE(panels.panels[1].hasPosition);
    EXPECT_EQ(FindRegistered(panels, "NAMESTI"), &first);
    EXPECT_EQ(FindRegistered(panels, "nadrazi"), &panels.panels[1]);
    EXPECT_EQ(FindRegistered(panels, "namesti2"), nullptr);
}

TEST(PanelRegister, EveryErrorIsNamedWithItsLineAndColumn) {
    const std::string position = "Panel;Název;Šířka;Délka\r\n";
    const struct {
        std::string file;
        std::vector<std::string> errors;
    } cases[] = {
        {"", {"p.csv: soubor je prázdný: chybí záhlaví i řádky panelů"}},
        {kHeader, {"p.csv: soubor má jen záhlaví, žádný řádek panelu"}},
        {"Panel;Ulice\r\n",
         {"p.csv:1: neznámý sloupec „Ulice“ (sloupce jsou Panel, Název, Adresa, Město, Šířka, "
          "Délka a ID)",
          "p.csv:1: sloupec „Název“: sloupec chybí v záhlaví"}},
        {"Panel;Název;Adresa\r\n;;Masarykova 1\r\n",
         {"p.csv:2: sloupec „Panel“: chybí hodnota", "p.csv:2: sloupec „Název“: chybí hodnota"}},
        {kHeader + "a;A\r\nb;B\r\nA;C\r\n",
         {"p.csv:4: sloupec „Panel“: panel „A“ je v registru už na řádku 2"}},
        {position + "a;A;90,0001;0\r\nb;B;-90;180.5\r\nc;C;-90;-180\r\n",
         {"p.csv:2: sloupec „Šířka“: „90,0001“ není zeměpisná šířka ve stupních od -90 do 90",
          "p.csv:3: sloupec „Délka“: „180.5“ není zeměpisná délka ve stupních od -180 do 180"}},
        {position + "a;A;49°12';16\r\nb;B;1.;2\r\nc;C;,5;1\r\nd;D;1,2,3;1\r\n",
         {"p.csv:2: sloupec „Šířka“: „49°12'“ není zeměpisná šířka ve stupních od -90 do 90",
          "p.csv:3: sloupec „Šířka“: „1.“ není zeměpisná šířka ve stupních od -90 do 90",
          "p.csv:4: sloupec „Šířka“: „,5“ není zeměpisná šířka ve stupních od -90 do 90",
          "p.csv:5: sloupec „Šířka“: „1,2,3“ není zeměpisná šířka ve stupních od -90 do 90"}},
        {position + "a;A;49;\r\nb;B;;16\r\n",
         {"p.csv:2: sloupec „Délka“: chybí hodnota: poloha potřebuje šířku i délku",
          "p.csv:3: sloupec „Šířka“: chybí hodnota: poloha potřebuje šířku i délku"}},
        {"Panel;Název;ID\r\na;A;12345678901\r\nb;B;12a\r\nc;C;-1\r\nd;D;1234567890\r\n",
         {"p.csv:2: sloupec „ID“: „12345678901“ není číslo panelu: jen číslice, nejvýš 10",
          "p.csv:3: sloupec „ID“: „12a“ není číslo panelu: jen číslice, nejvýš 10",
          "p.csv:4: sloupec „ID“: „-1“ není číslo panelu: jen číslice, nejvýš 10"}},
        {kHeader + "a;A;x\r\n\"b;B\r\n",
         {"p.csv:2: 3 polí místo 2 podle záhlaví", "p.csv:3: neukončené uvozovky"}},
    };
    for (const auto& c : cases) {
        const PanelRegister panels = ParsePanelRegister(Utf8ToCp1250(c.file));
        EXPECT_EQ(ErrorTexts(panels.errors), c.errors) << c.file;
        EXPECT_TRUE(panels.panels.empty());
    }
}

}  // namespace
