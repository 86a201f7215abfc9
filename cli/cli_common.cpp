#include "cli/cli_common.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "base/cp1250.h"
#include "base/moment.h"
#include "base/number_text.h"
#include "base/system_reason.h"
#include "campaign/booking.h"
#include "logdata/clock_text.h"
#include "logdata/playback_log.h"
#include "logdata/month_load.h"
#include "logdata/load_messages.h"
#include "logdata/scanners.h"
#include "reports/report_file.h"

namespace {

constexpr Cp1250Literal kUsageStart{
    "použití: kvimeter-cli [-C SLOŽKA] PŘÍKAZ [ARGUMENTY]\n"
    "\n"
    "  -C SLOŽKA  pracuje ve SLOŽCE: logy čte ze SLOŽKA/log, přehledy ukládá do "
    "SLOŽKA/report\n"
    "\n"
    "příkazy:\n"
    "  months\n"
    "      měsíce, pro které je log, po jednom RRRR-MM na řádek, v pořadí nalezení\n"
    "  list MĚSÍC [--day N] [--from H:M] [--to H:M] [--strip-paths]\n"
    "      načte MĚSÍC (ROK-MĚSÍC, např. 2015-03) a vypíše jeden řádek na animaci:\n"
    "      název, délku spotu, počet přehrání a celkový čas, oddělené tabulátorem\n"
    "  summary MĚSÍC [volby filtru] [--decimal-separator Z]\n"
    "      načte MĚSÍC a uloží sumární přehled report/SUM_AVI_RRRR-MM.txt a .csv\n"
    "  detail MĚSÍC (--row N | --all) [volby filtru] [--decimal-separator Z]\n"
    "      načte MĚSÍC a uloží report/NÁZEV_RRRR-MM.txt a .csv pro řádek N seznamu\n"
    "      (počítáno od 0) nebo pro každou animaci\n"
    "  html MĚSÍC [volby filtru]\n"
    "      načte MĚSÍC a uloží report/SUM_AVI_RRRR-MM.html, stránku pro klienta se\n"
    "      sumární tabulkou, jejími součty a grafy přehrání po dnech a po hodinách;\n"
    "      nese datum vytvoření, nebo SOURCE_DATE_EPOCH (sekundy od 1970), je-li nastaveno\n"
    "  campaign OBJEDNÁVKA [--panel SLOŽKA]... [--gap MIN] [--as-of DATUM]\n"
    "           [--panels REGISTR] [--audience PUBLIKUM] [--no-play-lists]\n"
    "      spočítá, co každý řádek objednávky (středníky, řádek záhlaví se sloupci\n"
    "      "};
constexpr Cp1250Literal kUsageOptional{" a volitelně "};
constexpr Cp1250Literal kUsageAnd{" a "};
constexpr Cp1250Literal kUsageEnd{
    ")\n"
    "      dostal v každém objednaném dni do DATA na každém panelu: SLOŽKA je složka\n"
    "      panelu s jeho log/ (výchozí: pracovní složka), její název je název panelu;\n"
    "      DATUM (RRRR-MM-DD nebo D.M.RRRR, poslední započítaný den) je výchozí včera,\n"
    "      den před datem SOURCE_DATE_EPOCH, je-li nastaveno; pozdější objednané dny\n"
    "      teprve přijdou. Uloží report/KAMPAN_NÁZEV.csv, .html a stav zvlášť jako\n"
    "      tabulku KAMPAN_NÁZEV_stav.csv (NÁZEV: název souboru objednávky bez přípony)\n"
    "      a u objednávky více klientů také KAMPAN_NÁZEV_KLIENT.csv, _stav.csv a .html\n"
    "      jen s řádky toho klienta, s výpadky (ticho delší než MIN minut, výchozí 15,\n"
    "      uvnitř objednaného okna), chybějícími logy, SHA-256\n"
    "      a věrohodností každého přečteného souboru, a vypíše stav každého řádku a panelu\n"
    "      a kolik přehrání za den potřebují řádky, které zatím nestačí; REGISTR\n"
    "      (výchozí panely.csv pracovní složky, je-li tam) dá panelům název a město,\n"
    "      PUBLIKUM (výchozí publikum.csv) kontakty za hodinu pro odhad kontaktů;\n"
    "      seznam přehrání KAMPAN_NÁZEV_prehrani.csv a _playout.csv (každé započítané\n"
    "      přehrání na řádek) vynechá --no-play-lists\n"
    "  verify STRÁNKA|SOUČTY\n"
    "      znovu spočítá SHA-256 každého souboru, který stránka důkazu kampaně nebo její\n"
    "      soubor .sha256 uvádí, hledaného od složky nad report/ stránky, a řekne, který\n"
    "      se změnil; s --recount pak kampaň z týchž souborů a nastavení spočítá znovu\n"
    "      a porovná s CSV souborem důkazu\n"
    "\n"
    "volby:\n"
    "  --day N        jen den N měsíce (1 až 31); 0, výchozí, jsou všechny dny\n"
    "  --from H:M     přehrání od H:M (výchozí 0:00); zapne časové okno\n"
    "  --to H:M       přehrání před H:M (výchozí 24:00); zapne časové okno\n"
    "  --strip-paths  jen název souboru každé animace, bez složek\n"
    "  --decimal-separator Z\n"
    "                 desetinný oddělovač textových přehledů (výchozí: uživatelův)\n"
    "  --help         tento text\n"
    "\n"
    "návratový kód: 0 úspěch, 1 log nelze přečíst nebo má chybné datum nebo soubor\n"
    "přehledu nelze uložit, 2 chyba použití (i řádek mimo seznam)\n"
    "campaign: 0 soubory byly uloženy, ať je plnění jakékoli; 1 log nelze přečíst nebo\n"
    "soubor nelze uložit (předchozí úplný důkaz pak zůstane beze změny); 2 chyba použití\n"
    "nebo chyby v objednávce (každá je vypsána, nic nebylo uloženo). verify: 0 žádný soubor\n"
    "se nezměnil (a přepočet souhlasí), 1 soubor se změnil nebo chybí, důkaz nelze přečíst\n"
    "nebo přepočet nesouhlasí, 2 soubor není\n"
    "celá stránka důkazu ani soubor součtů.\n"
    "Uložení, které selže, ponechá předchozí soubor beze změny.\n"};

}  // namespace

std::string UsageText() {
    return kUsageStart.str() + BookingColumnNames(true, ";") + kUsageOptional.str() +
           BookingColumnNames(false, kUsageAnd) + kUsageEnd.str();
}

ExitStatus UsageError(const std::string& message) {
    std::fprintf(stderr, "kvimeter-cli: %s\n%s", Cp1250ToUtf8(message).c_str(),
                 Cp1250ToUtf8(UsageText()).c_str());
    return ExitStatus::kUsage;
}

ExitStatus RefusedArgument(const std::string& utf8) {
    static constexpr Cp1250Literal kArgument{"argument "};
    static constexpr Cp1250Literal kLacks{" obsahuje znak, který Windows-1250 nemá"};
    std::fprintf(stderr, "kvimeter-cli: %s%s%s\n%s", Cp1250ToUtf8(kArgument).c_str(), utf8.c_str(),
                 Cp1250ToUtf8(kLacks).c_str(), Cp1250ToUtf8(UsageText()).c_str());
    return ExitStatus::kUsage;
}

ExitStatus Failure(const std::string& message) {
    Note(message);
    return ExitStatus::kFailure;
}

void Note(const std::string& message) {
    std::fprintf(stderr, "kvimeter-cli: %s\n", Cp1250ToUtf8(message).c_str());
}

bool ParseMonth(const std::string& text, LogMonth& month) {
    const char* p = text.c_str();
    LogMonth read{};
    if (!ScanUnsigned(p, read.year) || !ScanLiteral(p, '-') || !ScanUnsigned(p, read.month) ||
        p != text.c_str() + text.size()) {
        return false;
    }
    month = read;
    return true;
}

namespace {

bool ParseTime(const std::string& text, int32_t& hour, int32_t& minute) {
    const std::optional<TimeOfDay> time = ParseClockText(text, ClockSyntax::kAnyNumbers);
    if (time) {
        hour = time->hour;
        minute = time->minute;
    }
    return time.has_value();
}

// One character as typed: a single byte, or one UTF-8 character that the code page has.
bool ParseSeparator(const std::string& text, char& separator) {
    if (text.size() == 1) {
        separator = text[0];
        return true;
    }
    size_t end = 0;
    char32_t c = 0;
    if (!DecodeUtf8(text, end, c) || end != text.size()) {
        return false;
    }
    const int byte = c >= 0x80 ? UnicodeToCp1250(c) : -1;
    separator = static_cast<char>(byte);
    return byte >= 0;
}

// The texts of the usage errors, Windows-1250.
constexpr Cp1250Literal kOption{"volba "};
constexpr Cp1250Literal kNeedsAValue{" potřebuje hodnotu"};
constexpr Cp1250Literal kDayTakes{"--day: den v měsíci 1 až 31, nebo 0 pro všechny dny: "};
constexpr Cp1250Literal kTakesATime{": čas H:M: "};
constexpr Cp1250Literal kSeparatorTakes{"--decimal-separator: jeden znak: "};
constexpr Cp1250Literal kSeparatorOnly{"--decimal-separator je volba jen příkazů summary a detail"};
constexpr Cp1250Literal kMonthIs{"MĚSÍC je ROK-MĚSÍC, například 2015-03: "};
constexpr Cp1250Literal kMonthMissing{"chybí MĚSÍC"};
constexpr Cp1250Literal kCannotWriteOutput{"výstup nelze zapsat: "};
constexpr Cp1250Literal kCannotCreateReport{"složku report nelze vytvořit: "};

bool TakeValue(const Arguments& args, size_t& i, std::string& value, std::string& error) {
    if (i + 1 >= args.size()) {
        error = OptionNeedsAValue(args[i]);
        return false;
    }
    value = args[++i];
    return true;
}

bool ParseFilterOption(const Arguments& args, size_t& i, const RequestSyntax& syntax,
                       MonthRequest& request, std::string& error) {
    const std::string& option = args[i];
    std::string value;
    ScanFilter& filter = request.filter;
    if (option == "--strip-paths") {
        filter.stripPaths = 1;
        return true;
    }
    if (option == "--day") {
        if (!TakeValue(args, i, value, error)) {
            return false;
        }
        const std::optional<int32_t> day = ParseWholeNumber(value, 0, 31);
        if (!day) {
            error = kDayTakes.str() + value;
            return false;
        }
        filter.day = *day;
        return true;
    }
    if (option == "--from" || option == "--to") {
        if (!TakeValue(args, i, value, error)) {
            return false;
        }
        const bool from = option == "--from";
        if (!ParseTime(value, from ? filter.fromHour : filter.toHour,
                       from ? filter.fromMinute : filter.toMinute)) {
            error = option + kTakesATime.str() + value;
            return false;
        }
        filter.timeFilterOn = true;
        return true;
    }
    if (option == "--decimal-separator" && syntax.decimalSeparator) {
        if (!TakeValue(args, i, value, error)) {
            return false;
        }
        char separator = '.';
        if (!ParseSeparator(value, separator)) {
            error = kSeparatorTakes.str() + value;
            return false;
        }
        request.decimalSeparator = separator;
        return true;
    }
    if (option == "--decimal-separator") {
        error = kSeparatorOnly.str();
        return false;
    }
    if (syntax.other && syntax.other(args, i, error)) {
        return true;
    }
    if (error.empty()) {
        error = UnknownOption(option);
    }
    return false;
}

}  // namespace

bool ParseMonthRequest(const Arguments& args, const RequestSyntax& syntax, MonthRequest& request,
                       std::string& error) {
    bool haveMonth = false;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i].size() > 1 && args[i][0] == '-' && args[i][1] == '-') {
            if (!ParseFilterOption(args, i, syntax, request, error)) {
                return false;
            }
        } else if (!haveMonth) {
            if (!ParseMonth(args[i], request.month)) {
                error = kMonthIs.str() + args[i];
                return false;
            }
            haveMonth = true;
        } else {
            error = UnexpectedArgument(args[i]);
            return false;
        }
    }
    if (!haveMonth) {
        error = kMonthMissing.str();
        return false;
    }
    return true;
}

ExitStatus LoadMonthForCli(const MonthRequest& request, PlaybackLog& log) {
    log.filter = request.filter;
    const std::string path = LogFilePath(request.month);
    const LoadResult result = LoadSortAndGroup(path.c_str(), log);
    if (result.status == LoadStatus::kLoaded) {
        return ExitStatus::kOk;
    }
    // The memory message is the window's too, which names no file; here it names the log.
    const std::string message = LoadOutcomeMessage(result, path);
    return Failure(result.status == LoadStatus::kOutOfMemory ? message + " " + path : message);
}

ExitStatus ParseAndLoad(const Arguments& args, const RequestSyntax& syntax, MonthRequest& request) {
    std::string error;
    if (!ParseMonthRequest(args, syntax, request, error)) {
        return UsageError(error);
    }
    return LoadMonthForCli(request, ThePlaybackLog());
}

ExitStatus PrintCp1250(const std::string& text) {
    const std::string utf8 = Cp1250ToUtf8(text);
    const bool written = std::fwrite(utf8.data(), 1, utf8.size(), stdout) == utf8.size();
    if (std::fflush(stdout) != 0 || !written) {
        return Failure(kCannotWriteOutput.str() + SystemReasonText(errno));
    }
    return ExitStatus::kOk;
}

ExitStatus MakeReportFolder() {
    std::string reason;
    if (!EnsureReportFolder(&reason)) {
        return Failure(kCannotCreateReport.str() + reason);
    }
    return ExitStatus::kOk;
}

std::string OptionNeedsAValue(const std::string& option) {
    return kOption.str() + option + kNeedsAValue.str();
}

std::string UnknownOption(const std::string& option) {
    static constexpr Cp1250Literal kUnknown{"neznámá volba "};
    return kUnknown.str() + option;
}

std::string UnexpectedArgument(const std::string& argument) {
    static constexpr Cp1250Literal kUnexpected{"nadbytečný argument "};
    return kUnexpected.str() + argument;
}
