#pragma once
// The reasons both builds name, and their Czech texts; the platforms map their codes onto them.
#include <string>

enum class Reason {
    kNoSuchFile,
    kAccessDenied,
    kNotPermitted,
    kNoSpace,
    kQuota,
    kReadWriteError,
    kReadOnlyMedium,
    kIsFolder,
    kNotFolder,
    kNameTooLong,
    kBadName,
    kTooManyOpenFiles,
    kHeldByAnotherProgram,
    kExists,
    kFolderNotEmpty,
    kTooLarge,
    kNoMemory,
    kOtherDisk,
    kNoDevice,
    kNotReady,
    kNetworkLost,
    kInvalidArgument,
    kOutputClosed,
    kNotRegularFile,
};

std::string ReasonText(Reason reason);

// "chyba systému N (the system's own text)" for a code outside the table.
std::string UnknownReasonText(unsigned long code, const std::string& systemText);
