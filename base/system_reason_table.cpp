#include "base/system_reason_table.h"

#include "base/cp1250.h"

std::string ReasonText(Reason reason) {
    switch (reason) {
        case Reason::kNoSuchFile:
            return Cp1250Literal{"soubor nebo složka neexistuje"}.str();
        case Reason::kAccessDenied:
            return Cp1250Literal{"přístup byl odepřen"}.str();
        case Reason::kNotPermitted:
            return Cp1250Literal{"operace není povolena"}.str();
        case Reason::kNoSpace:
            return Cp1250Literal{"na disku není dost místa"}.str();
        case Reason::kQuota:
            return Cp1250Literal{"byla překročena kvóta disku"}.str();
        case Reason::kReadWriteError:
            return Cp1250Literal{"chyba při čtení nebo zápisu na disk"}.str();
        case Reason::kReadOnlyMedium:
            return Cp1250Literal{"médium je jen pro čtení"}.str();
        case Reason::kIsFolder:
            return Cp1250Literal{"na místě souboru je složka"}.str();
        case Reason::kNotFolder:
            return Cp1250Literal{"na místě složky je soubor"}.str();
        case Reason::kNameTooLong:
            return Cp1250Literal{"název je příliš dlouhý"}.str();
        case Reason::kBadName:
            return Cp1250Literal{"název souboru není platný"}.str();
        case Reason::kTooManyOpenFiles:
            return Cp1250Literal{"je otevřeno příliš mnoho souborů"}.str();
        case Reason::kHeldByAnotherProgram:
            return Cp1250Literal{"soubor používá jiný program"}.str();
        case Reason::kExists:
            return Cp1250Literal{"soubor už existuje"}.str();
        case Reason::kFolderNotEmpty:
            return Cp1250Literal{"složka není prázdná"}.str();
        case Reason::kTooLarge:
            return Cp1250Literal{"soubor je příliš velký"}.str();
        case Reason::kNoMemory:
            return Cp1250Literal{"nedostatek paměti"}.str();
        case Reason::kOtherDisk:
            return Cp1250Literal{"soubory jsou na různých discích"}.str();
        case Reason::kNoDevice:
            return Cp1250Literal{"zařízení není k dispozici"}.str();
        case Reason::kNotReady:
            return Cp1250Literal{"zařízení není připraveno"}.str();
        case Reason::kNetworkLost:
            return Cp1250Literal{"síťové připojení bylo přerušeno"}.str();
        case Reason::kInvalidArgument:
            return Cp1250Literal{"neplatný argument"}.str();
        case Reason::kOutputClosed:
            return Cp1250Literal{"výstup byl uzavřen"}.str();
        case Reason::kNotRegularFile:
            return Cp1250Literal{"na místě souboru je zařízení nebo jiný zvláštní soubor"}.str();
    }
    return UnknownReasonText(0, "");
}

std::string UnknownReasonText(unsigned long code, const std::string& systemText) {
    static constexpr Cp1250Literal kSystemError{"chyba systému "};
    std::string text = kSystemError.str() + std::to_string(code);
    return systemText.empty() ? text : text + " (" + systemText + ")";
}
