#include "app/shell_pickers.h"

#include <objbase.h>
#include <shlobj.h>

#include <cwctype>
#include <iterator>

bool PickOpenFile(HWND owner, const wchar_t* filter, std::wstring& path) {
    wchar_t file[MAX_PATH * 4] = {};
    OPENFILENAMEW open{};
    open.lStructSize = sizeof open;
    open.hwndOwner = owner;
    open.lpstrFilter = filter;
    open.lpstrFile = file;
    open.nMaxFile = static_cast<DWORD>(std::size(file));
    open.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
    if (!GetOpenFileNameW(&open))
        return false;
    path = file;
    return true;
}

bool PickFolder(HWND owner, std::wstring& path) {
    // The picker's new style needs COM on this thread.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    BROWSEINFOW browse{};
    browse.hwndOwner = owner;
    browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    PIDLIST_ABSOLUTE picked = SHBrowseForFolderW(&browse);
    wchar_t folder[MAX_PATH] = {};
    const bool chosen = picked != nullptr && SHGetPathFromIDListW(picked, folder);
    CoTaskMemFree(picked);
    if (SUCCEEDED(com))
        CoUninitialize();
    if (chosen)
        path = folder;
    return chosen;
}

std::wstring RelativeToWorkingFolder(const std::wstring& path) {
    wchar_t current[MAX_PATH * 4] = {};
    const DWORD length = GetCurrentDirectoryW(static_cast<DWORD>(std::size(current)), current);
    if (length == 0 || length >= std::size(current) || path.size() <= length + 1)
        return path;
    for (DWORD i = 0; i < length; ++i) {
        if (std::towlower(path[i]) != std::towlower(current[i]))
            return path;
    }
    const bool rootEnds = current[length - 1] == L'\\';
    if (!rootEnds && path[length] != L'\\')
        return path;
    return path.substr(rootEnds ? length : length + 1);
}
