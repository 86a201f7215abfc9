#include "framework/message_box.h"

#include <string>

#include "base/cp1250.h"
#include "framework/win_text.h"

namespace {

constexpr Cp1250Literal kProductTitle{"Vintaro Kvimeter"};
constexpr Cp1250Literal kReportTitle{"Přehled"};

std::wstring TitleText(BoxTitle title) {
    switch (title) {
        case BoxTitle::kProduct:
            return ToWide(kProductTitle);
        case BoxTitle::kReport:
            return ToWide(kReportTitle);
        case BoxTitle::kProgramFile:
            break;
    }
    return ApplicationName();
}

}  // namespace

int ShowMessageBox(HWND owner, std::string_view text, BoxTitle title, UINT type) {
    return ShowMessageBox(owner, std::wstring_view(ToWide(text)), title, type);
}

int ShowMessageBox(HWND owner, std::wstring_view text, BoxTitle title, UINT type) {
    return MessageBoxW(owner, std::wstring(text).c_str(), TitleText(title).c_str(), type);
}

void ReportHandlerError(HWND owner, std::string_view cp1250) {
    ShowMessageBox(owner, cp1250, BoxTitle::kProgramFile, MB_OK | MB_ICONSTOP);
}
