#include "base/system_reason_table.h"

#include "base/cp1250.h"

namespace {

constexpr Cp1250Literal kNoSuchFileText{"soubor nebo složka neexistuje"};
constexpr Cp1250Literal kAccessDeniedText{"přístup byl odepřen"};
constexpr Cp1250Literal kNotPermittedText{"operace není povolena"};
constexpr Cp1250Literal kNoSpaceText{"na disku není dost místa"};
constexpr Cp1250Literal kQuotaText{"byla překročena kvóta disku"};
constexpr Cp1250Literal kReadWriteErrorText{"chyba při čtení nebo zápisu na disk"};
constexpr Cp1250Literal kReadOnlyMediumText{"médium je jen pro čtení"};
constexpr Cp1250Literal kIsFolderText{"na místě souboru je složka"};
constexpr Cp1250Literal kNotFolderText{"na místě složky je soubor"};
constexpr Cp1250Literal kNameTooLongText{"název je příliš dlouhý"};
constexpr Cp1250Literal kBadNameText{"název souboru není platný"};
constexpr Cp1250Literal kTooManyOpenFilesText{"je otevřeno příliš mnoho souborů"};
constexpr Cp1250Literal kHeldByAnotherProgramText{"soubor používá jiný program"};
constexpr Cp1250Literal kExistsText{"soubor už existuje"};
constexpr Cp1250Literal kFolderNotEmptyText{"složka není prázdná"};
constexpr Cp1250Literal kTooLargeText{"soubor je příliš velký"};
constexpr Cp1250Literal kNoMemoryText{"nedostatek paměti"};
constexpr Cp1250Literal kOtherDiskText{"soubory jsou na různých discích"};
constexpr Cp1250Literal kNoDeviceText{"zařízení není k dispozici"};
constexpr Cp1250Literal kNotReadyText{"zařízení není připraveno"};
constexpr Cp1250Literal kNetworkLostText{"síťové připojení bylo přerušeno"};
constexpr Cp1250Literal kInvalidArgumentText{"neplatný argument"};
constexpr Cp1250Literal kOutputClosedText{"výstup byl uzavřen"};
constexpr Cp1250Literal kNotRegularFileText{
    "na místě souboru je zařízení nebo jiný zvláštní soubor"};

}  // namespace

std::string ReasonText(Reason reason) {
    switch (reason) {
        case Reason::kNoSuchFile:
            return kNoSuchFileText.str();
        case Reason::kAccessDenied:
            return kAccessDeniedText.str();
        case Reason::kNotPermitted:
            return kNotPermittedText.str();
        case Reason::kNoSpace:
            return kNoSpaceText.str();
        case Reason::kQuota:
            return kQuotaText.str();
        case Reason::kReadWriteError:
            return kReadWriteErrorText.str();
        case Reason::kReadOnlyMedium:
            return kReadOnlyMediumText.str();
        case Reason::kIsFolder:
            return kIsFolderText.str();
        case Reason::kNotFolder:
            return kNotFolderText.str();
        case Reason::kNameTooLong:
            return kNameTooLongText.str();
        case Reason::kBadName:
            return kBadNameText.str();
        case Reason::kTooManyOpenFiles:
            return kTooManyOpenFilesText.str();
        case Reason::kHeldByAnotherProgram:
            return kHeldByAnotherProgramText.str();
        case Reason::kExists:
            return kExistsText.str();
        case Reason::kFolderNotEmpty:
            return kFolderNotEmptyText.str();
        case Reason::kTooLarge:
            return kTooLargeText.str();
        case Reason::kNoMemory:
            return kNoMemoryText.str();
        case Reason::kOtherDisk:
            return kOtherDiskText.str();
        case Reason::kNoDevice:
            return kNoDeviceText.str();
        case Reason::kNotReady:
            return kNotReadyText.str();
        case Reason::kNetworkLost:
            return kNetworkLostText.str();
        case Reason::kInvalidArgument:
            return kInvalidArgumentText.str();
        case Reason::kOutputClosed:
            return kOutputClosedText.str();
        case Reason::kNotRegularFile:
            return kNotRegularFileText.str();
    }
    return UnknownReasonText(0, "");
}

std::string UnknownReasonText(unsigned long code, const std::string& systemText) {
    static constexpr Cp1250Literal kSystemError{"chyba systému "};
    std::string text = kSystemError.str() + std::to_string(code);
    return systemText.empty() ? text : text + " (" + systemText + ")";
}
