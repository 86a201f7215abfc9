#include "base/system_reason.h"

#include <cerrno>
#include <cstring>
#include <iterator>

#include "base/cp1250.h"
#include "base/system_reason_table.h"

namespace {

struct ErrnoReason {
    int error;
    Reason reason;
};

constexpr ErrnoReason kErrnoReasons[] = {
    {ENOENT, Reason::kNoSuchFile},
    {EACCES, Reason::kAccessDenied},
    {EPERM, Reason::kNotPermitted},
    {ENOSPC, Reason::kNoSpace},
#ifdef EDQUOT
    {EDQUOT, Reason::kQuota},
#endif
    {EIO, Reason::kReadWriteError},
    {EROFS, Reason::kReadOnlyMedium},
    {EISDIR, Reason::kIsFolder},
    {ENOTDIR, Reason::kNotFolder},
    {ENAMETOOLONG, Reason::kNameTooLong},
    {EILSEQ, Reason::kBadName},
    {EMFILE, Reason::kTooManyOpenFiles},
    {ENFILE, Reason::kTooManyOpenFiles},
    {EBUSY, Reason::kHeldByAnotherProgram},
#ifdef ETXTBSY
    {ETXTBSY, Reason::kHeldByAnotherProgram},
#endif
    {EEXIST, Reason::kExists},
    {ENOTEMPTY, Reason::kFolderNotEmpty},
    {EFBIG, Reason::kTooLarge},
    {ENOMEM, Reason::kNoMemory},
    {EXDEV, Reason::kOtherDisk},
    {ENODEV, Reason::kNotRegularFile},  // what the file layer says of a device in a file's place
    {ENXIO, Reason::kNoDevice},
    {EINVAL, Reason::kInvalidArgument},
    {EPIPE, Reason::kOutputClosed},
};

}  // namespace

std::string SystemReasonText(int error) {
    for (const ErrnoReason& known : kErrnoReasons) {
        if (known.error == error) {
            return ReasonText(known.reason);
        }
    }
    // The C library's own text is ASCII in the C locale both builds run in.
    return UnknownReasonText(static_cast<unsigned long>(error), Utf8ToCp1250(std::strerror(error)));
}

std::string SystemReasonText(SystemError error) {
#ifdef _WIN32
    if (error.win32) {
        return Win32ReasonText(static_cast<unsigned long>(error.code));
    }
#endif
    return SystemReasonText(error.code);
}
