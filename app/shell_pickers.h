#pragma once
// The system's Open dialog and folder picker. Neither changes the working folder.
#include <windows.h>

#include <string>

// filter: pairs of NUL-terminated texts, ending in an extra NUL. False when cancelled.
bool PickOpenFile(HWND owner, const wchar_t* filter, std::wstring& path);
bool PickFolder(HWND owner, std::wstring& path);

// A path inside the working folder relative to it, so that reports name it as the command line
// would; any other path as it is.
std::wstring RelativeToWorkingFolder(const std::wstring& path);
