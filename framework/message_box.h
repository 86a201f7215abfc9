#pragma once
// The one way the program shows a message box, the one place of the boxes' titles, and the box
// of an error that ended a message handler.
#include <windows.h>

#include <string_view>

enum class BoxTitle {
    kProduct,      // "Vintaro Kvimeter": the exit question and a load that failed
    kReport,       // "Přehled": what writing a report came to
    kProgramFile,  // the program file's name: an error that ended a handler, a refused value
};

// text: Windows-1250. Returns what MessageBoxW returns.
int ShowMessageBox(HWND owner, std::string_view text, BoxTitle title, UINT type);
int ShowMessageBox(HWND owner, std::wstring_view text, BoxTitle title, UINT type);

// An error that ended a message handler: a message box with the stop icon, titled with the
// application's name. Handlers report by throwing; the window procedure catches and calls this.
void ReportHandlerError(HWND owner, std::string_view cp1250);
