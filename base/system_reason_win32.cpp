// The Win32 error codes the tool meets, on the reasons of base/system_reason_table.h.
#include <windows.h>

#include "base/cp1250.h"
#include "base/system_reason.h"
#include "base/system_reason_table.h"

namespace {

struct Win32Reason {
    DWORD error;
    Reason reason;
};

constexpr Win32Reason kWin32Reasons[] = {
    {ERROR_FILE_NOT_FOUND, Reason::kNoSuchFile},
    {ERROR_PATH_NOT_FOUND, Reason::kNoSuchFile},
    {ERROR_BAD_NETPATH, Reason::kNoSuchFile},
    {ERROR_TOO_MANY_OPEN_FILES, Reason::kTooManyOpenFiles},
    {ERROR_ACCESS_DENIED, Reason::kAccessDenied},
    {ERROR_NOT_ENOUGH_MEMORY, Reason::kNoMemory},
    {ERROR_OUTOFMEMORY, Reason::kNoMemory},
    {ERROR_WRITE_PROTECT, Reason::kReadOnlyMedium},
    {ERROR_NOT_READY, Reason::kNotReady},
    {ERROR_CRC, Reason::kReadWriteError},
    {ERROR_READ_FAULT, Reason::kReadWriteError},
    {ERROR_WRITE_FAULT, Reason::kReadWriteError},
    {ERROR_GEN_FAILURE, Reason::kReadWriteError},
    {ERROR_SHARING_VIOLATION, Reason::kHeldByAnotherProgram},
    {ERROR_LOCK_VIOLATION, Reason::kHeldByAnotherProgram},
    {ERROR_USER_MAPPED_FILE, Reason::kHeldByAnotherProgram},
    {ERROR_UNABLE_TO_REMOVE_REPLACED, Reason::kHeldByAnotherProgram},
    {ERROR_UNABLE_TO_MOVE_REPLACEMENT, Reason::kHeldByAnotherProgram},
    {ERROR_HANDLE_DISK_FULL, Reason::kNoSpace},
    {ERROR_DISK_FULL, Reason::kNoSpace},
    {1295, Reason::kQuota},  // ERROR_DISK_QUOTA_EXCEEDED, which MinGW-w64 does not name
    {ERROR_FILE_EXISTS, Reason::kExists},
    {ERROR_ALREADY_EXISTS, Reason::kExists},
    {ERROR_INVALID_NAME, Reason::kBadName},
    {ERROR_FILENAME_EXCED_RANGE, Reason::kNameTooLong},
    {ERROR_BUFFER_OVERFLOW, Reason::kNameTooLong},
    {ERROR_DIRECTORY, Reason::kNotFolder},
    {ERROR_DIR_NOT_EMPTY, Reason::kFolderNotEmpty},
    {ERROR_NOT_SAME_DEVICE, Reason::kOtherDisk},
    {ERROR_DEV_NOT_EXIST, Reason::kNoDevice},
    {ERROR_NETNAME_DELETED, Reason::kNetworkLost},
    {ERROR_UNEXP_NET_ERR, Reason::kNetworkLost},
    {ERROR_INVALID_PARAMETER, Reason::kInvalidArgument},
    {ERROR_BROKEN_PIPE, Reason::kOutputClosed},
    {ERROR_NO_DATA, Reason::kOutputClosed},
};

// The system's own text, in the language of its installation.
std::string SystemText(DWORD error) {
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::u16string utf16(reinterpret_cast<const char16_t*>(text != nullptr ? text : L""), length);
    LocalFree(text);
    while (!utf16.empty() && (utf16.back() == u'\n' || utf16.back() == u'\r' ||
                              utf16.back() == u'.' || utf16.back() == u' ')) {
        utf16.pop_back();
    }
    return Utf16ToCp1250(utf16);
}

}  // namespace

std::string Win32ReasonText(unsigned long error) {
    for (const Win32Reason& known : kWin32Reasons) {
        if (known.error == error) {
            return ReasonText(known.reason);
        }
    }
    return UnknownReasonText(error, SystemText(error));
}
