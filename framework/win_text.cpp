#include "framework/win_text.h"

#include "base/cp1250.h"
#include "base/paths.h"

// The window's UTF-16 is read as char16_t.
static_assert(sizeof(wchar_t) == sizeof(char16_t));

std::wstring ToWide(std::string_view cp1250) {
    std::wstring text(cp1250.size(), L'\0');
    for (size_t i = 0; i < cp1250.size(); ++i) {
        text[i] = static_cast<wchar_t>(Cp1250ToUnicode(static_cast<unsigned char>(cp1250[i])));
    }
    return text;
}

std::string ToCp1250(std::wstring_view text) {
    return Utf16ToCp1250(
        std::u16string_view(reinterpret_cast<const char16_t*>(text.data()), text.size()));
}

std::wstring WindowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<size_t>(length > 0 ? length : 0) + 1, L'\0');
    const int copied = GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return text;
}

std::wstring ApplicationName() {
    wchar_t path[MAX_PATH] = {};
    DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring name(NameWithoutFolders(std::wstring_view(path, length)));
    size_t dot = name.rfind(L'.');
    if (dot != std::wstring::npos)
        name.erase(dot);
    return name;
}

std::wstring SystemErrorText(DWORD error) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text(buffer != nullptr ? buffer : L"", length);
    LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' '))
        text.pop_back();
    return text + (text.empty() ? L"" : L" ") + L"(" + std::to_wstring(error) + L")";
}
