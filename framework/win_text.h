#pragma once
// Text at the Win32 boundary: Windows-1250 to UTF-16 and back, a window's text, the program's
// name and the system's text for an error code.
#include <windows.h>

#include <string>
#include <string_view>

// Text crosses into the window as UTF-16 and comes back as Windows-1250, never through the
// system's ANSI code page.
std::wstring ToWide(std::string_view cp1250);
std::string ToCp1250(std::wstring_view text);
// A window's whole text as the window holds it.
std::wstring WindowText(HWND window);

// The program file's name without its extension: the title of the program's message boxes.
std::wstring ApplicationName();

// The system's text for an error code (GetLastError), with the code.
std::wstring SystemErrorText(DWORD error);
