// The file properties of both executables, read back as Explorer reads them.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The Czech block's value, or "<none>" when the file has no such value.
std::wstring VersionValue(const std::vector<BYTE>& info, const wchar_t* name) {
    void* value = nullptr;
    UINT length = 0;
    const std::wstring path = std::wstring(L"\\StringFileInfo\\040504E2\\") + name;
    if (!VerQueryValueW(info.data(), path.c_str(), &value, &length) || length == 0)
        return L"<none>";
    return std::wstring(static_cast<const wchar_t*>(value));
}

std::vector<BYTE> VersionInfo(const std::wstring& file) {
    DWORD ignored = 0;
    std::vector<BYTE> info(GetFileVersionInfoSizeW(file.c_str(), &ignored));
    if (info.empty() ||
        !GetFileVersionInfoW(file.c_str(), 0, static_cast<DWORD>(info.size()), info.data()))
        info.clear();
    return info;
}

TEST(FileProperties, BothExecutablesCarryTheCzechBlockWithTheProjectsVersion) {
    const struct {
        const wchar_t* path;
        const wchar_t* name;
        const wchar_t* description;
    } files[] = {
        {KV_WINDOW_EXE, L"kvimeter.exe",
         L"Vintaro Kvimeter \u2013 vyhodnocen\u00ED z\u00E1znam\u016F o "
         L"p\u0159ehr\u00E1v\u00E1n\u00ED"},
        {KV_CLI_EXE, L"kvimeter-cli.exe",
         L"Vintaro Kvimeter \u2013 p\u0159\u00EDkazov\u00E1 \u0159\u00E1dka pro d\u00E1vkov\u00E9 "
         L"zpracov\u00E1n\u00ED"},
    };
    for (const auto& file : files) {
        SCOPED_TRACE(file.name);
        const std::vector<BYTE> info = VersionInfo(file.path);
        ASSERT_FALSE(info.empty());
        EXPECT_EQ(VersionValue(info, L"CompanyName"), L"Vintaro");
        EXPECT_EQ(VersionValue(info, L"ProductName"), L"Vintaro Kvimeter");
        EXPECT_EQ(VersionValue(info, L"FileDescription"), file.description);
        EXPECT_EQ(VersionValue(info, L"FileVersion"), KV_VERSION);
        EXPECT_EQ(VersionValue(info, L"ProductVersion"), KV_VERSION);
        EXPECT_EQ(VersionValue(info, L"LegalCopyright"), L"\u00A9 2026 Vintaro");
        EXPECT_EQ(VersionValue(info, L"OriginalFilename"), file.name);

        struct {
            WORD language, codePage;
        }* translation = nullptr;
        UINT length = 0;
        ASSERT_TRUE(VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation",
                                   reinterpret_cast<void**>(&translation), &length));
        EXPECT_EQ(translation->language, 0x0405);
        EXPECT_EQ(translation->codePage, 1250);
        VS_FIXEDFILEINFO* fixed = nullptr;
        ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
        EXPECT_EQ(std::to_wstring(HIWORD(fixed->dwFileVersionMS)) + L"." +
                      std::to_wstring(LOWORD(fixed->dwFileVersionMS)) + L"." +
                      std::to_wstring(HIWORD(fixed->dwFileVersionLS)) + L"." +
                      std::to_wstring(LOWORD(fixed->dwFileVersionLS)),
                  KV_VERSION);
    }
}

}  // namespace
