#pragma once
// The system's reason for a failure in Czech, Windows-1250: one table for every message that
// gives a reason, on both builds, whatever language the system's own texts are in.
#include <string>

// errno, as the C library sets it on every platform.
[[nodiscard]] std::string SystemReasonText(int error);

#ifdef _WIN32
// A Win32 error code, as GetLastError returns it.
[[nodiscard]] std::string Win32ReasonText(unsigned long error);
#endif

// A failure of either kind, as the file layer keeps it.
struct SystemError {
    int code = 0;  // 0: none
    bool win32 = false;
};

[[nodiscard]] std::string SystemReasonText(SystemError error);
