// The main dialog as a user drives it: real controls, real notifications, keys through the
// dialog's own message loop, message boxes answered by the catcher. Each test runs in a
// scratch working directory of its own with the logs it writes there.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "app/resource.h"
#include "app/tarvex_app.h"
#include "app/tarvex_dlg.h"
#include "tests/winsupport/gui_support.h"
#include "tests/winsupport/scratch_folder.h"
#include "tests/winsupport/scripted_dialog.h"

namespace fs = std::filesystem;
using winsupport::CaughtMessageBox;
using winsupport::MessageBoxCatcher;

namespace {

class MainDialog : public winsupport::ScriptedDialog<CTarvexDlg> {
public:
    HWND Item(int id) const { return GetDlgItem(id); }
    bool Enabled(int id) const { return IsWindowEnabled(Item(id)) != FALSE; }
    std::wstring Text(int id) const { return winsupport::WindowText(Item(id)); }
    void Click(int id) { ::SendMessageW(Item(id), BM_CLICK, 0, 0); }
    // As the user picks an item: the selection, then the notification the combo box sends.
    void Choose(int comboId, const wchar_t* text) {
        HWND combo = Item(comboId);
        const LRESULT index = ::SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                             reinterpret_cast<LPARAM>(text));
        ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        SendMessage(WM_COMMAND, MAKEWPARAM(comboId, CBN_SELCHANGE),
                    reinterpret_cast<LPARAM>(combo));
    }
    void GoTo(int id) { SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(id)), TRUE); }
    std::vector<std::wstring> Row(int row) const {
        std::vector<std::wstring> cells;
        for (int column = 0; column < 4; ++column)
            cells.push_back(m_list.GetItemText(row, column));
        return cells;
    }
    int Rows() const { return m_list.GetItemCount(); }
};

// A working directory of the test's own, with its log/ folder, left again at the end.
class ScratchFolder : public winsupport::ScratchFolder {
public:
    ScratchFolder() : winsupport::ScratchFolder("kv-app", ".") {
        fs::create_directories(Path() / "log");
    }
    void Write(const std::string& relative, const std::string& bytes) {
        std::ofstream(Path() / relative, std::ios::binary) << bytes;
    }
    bool Exists(const std::string& relative) const { return fs::exists(Path() / relative); }
};

// October: one spot twice on the 1st and once on the 2nd; November: two spots.
const char kOctober[] =
    "01.10.2026\t08:00:05\tp\tintro.avi\t12.5\r\n"
    "01.10.2026\t09:00:05\tp\tintro.avi\t12.5\r\n"
    "02.10.2026\t08:00:05\tp\tintro.avi\t12.5\r\n";
const char kNovember[] =
    "01.11.2026\t07:00:00\tp\tC:\\spots\\b.avi\t30\r\n"
    "01.11.2026\t12:00:00\tp\ta.avi\t7\r\n"
    "02.11.2026\t12:00:00\tp\ta.avi\t7\r\n";

void WriteTwoMonths(ScratchFolder& folder) {
    folder.Write("log/AVI_2026-10.txt", kOctober);
    folder.Write("log/AVI_2026-11.txt", kNovember);
}

const int kTimeWindow[] = {IDC_FROM_HOUR, IDC_FROM_MINUTE, IDC_TO_HOUR, IDC_TO_MINUTE};

bool WindowEnabledAll(const MainDialog& dialog, bool enabled) {
    // From the first edit to the last, labels included.
    HWND last = dialog.Item(IDC_TO_MINUTE);
    for (HWND w = dialog.Item(IDC_FROM_HOUR);; w = GetWindow(w, GW_HWNDNEXT)) {
        if ((IsWindowEnabled(w) != FALSE) != enabled)
            return false;
        if (w == last)
            return true;
    }
}

TEST(MainDialog, OpensWithTheFirstMonthAllDaysTheTimeWindowGreyedAndTheSaveButtonsOff) {
    ScratchFolder folder;
    WriteTwoMonths(folder);
    MainDialog dialog;
    dialog.Run({[&] {
        EXPECT_EQ(SendMessageW(dialog.Item(IDC_MONTH), CB_GETCOUNT, 0, 0), 2);
        EXPECT_EQ(SendMessageW(dialog.Item(IDC_MONTH), CB_GETCURSEL, 0, 0), 0);
        EXPECT_EQ(SendMessageW(dialog.Item(IDC_DAY), CB_GETCOUNT, 0, 0), 32);
        EXPECT_EQ(dialog.Text(IDC_DAY), L"<V\u0160E>");
        for (int id : kTimeWindow)
            EXPECT_FALSE(dialog.Enabled(id));
        EXPECT_EQ(dialog.Text(IDC_TO_HOUR), L"24");
        EXPECT_TRUE(WindowEnabledAll(dialog, false));
        for (int id : {IDC_SAVE_SUMMARY, IDC_SAVE_DETAIL_SELECTED, IDC_SAVE_DETAIL_ALL})
            EXPECT_FALSE(dialog.Enabled(id));
        EXPECT_EQ(dialog.m_list.SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE), 0x21);
        HWND header = reinterpret_cast<HWND>(dialog.m_list.SendMessage(LVM_GETHEADER));
        EXPECT_EQ(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0), 4);
        std::vector<LRESULT> widths;
        for (int column = 0; column < 4; ++column)
            widths.push_back(dialog.m_list.SendMessage(LVM_GETCOLUMNWIDTH, column));
        EXPECT_EQ(widths, (std::vector<LRESULT>{450, 100, 100, 140})) << "at 96 DPI";
        EXPECT_TRUE(folder.Exists("report"));

        dialog.Click(IDC_TIME_FILTER);
        EXPECT_TRUE(WindowEnabledAll(dialog, true));
        dialog.Click(IDC_TIME_FILTER);
        EXPECT_TRUE(WindowEnabledAll(dialog, false));
        EXPECT_TRUE(dialog.Enabled(IDC_TIME_FILTER));
    }});
}

// The About box belongs to the main window, found as the application's main window or, without
// an application, as the active window: the main window is disabled while it is open, and the
// box gets no taskbar button of its own.
TEST(MainDialog, TheSystemMenuEndsWithTheAboutBoxWhichTheMainWindowOwns) {
    for (const bool asApplication : {true, false}) {
        ScratchFolder folder;
        MainDialog dialog;
        std::optional<CWinApp> app;
        if (asApplication)
            app.emplace().m_pMainWnd = &dialog;
        std::wstring aboutText;
        HWND owner = nullptr;
        HWND main = nullptr;
        LONG aboutExStyle = -1;
        bool mainEnabledDuring = true;
        bool mainEnabledAfter = false;
        dialog.Run({
            [&] {
                HMENU menu = GetSystemMenu(dialog.m_hWnd, FALSE);
                const int count = GetMenuItemCount(menu);
                wchar_t text[64] = {};
                GetMenuStringW(menu, count - 1, text, 64, MF_BYPOSITION);
                EXPECT_STREQ(text, L"&About Tarvex...");
                EXPECT_EQ(GetMenuItemID(menu, count - 1), 16u);
                EXPECT_EQ(GetMenuState(menu, count - 2, MF_BYPOSITION) & MF_SEPARATOR,
                          MF_SEPARATOR);
                PostMessageW(dialog.m_hWnd, WM_SYSCOMMAND, 16, 0);
            },
            // Runs inside the About box's modal loop.
            [&] {
                HWND about = FindWindowW(L"#32770", L"About Tarvex");
                ASSERT_NE(about, nullptr);
                aboutText = winsupport::WindowText(GetDlgItem(about, IDOK));
                owner = GetWindow(about, GW_OWNER);
                main = dialog.m_hWnd;
                aboutExStyle = GetWindowLongW(about, GWL_EXSTYLE);
                mainEnabledDuring = IsWindowEnabled(dialog.m_hWnd) != FALSE;
                PostMessageW(about, WM_COMMAND, IDOK, 0);
            },
            [&] {
                EXPECT_EQ(FindWindowW(L"#32770", L"About Tarvex"), nullptr);
                mainEnabledAfter = IsWindowEnabled(dialog.m_hWnd) != FALSE;
            },
        });
        SCOPED_TRACE(asApplication ? "main window of the application" : "active window");
        EXPECT_EQ(aboutText, L"OK");
        EXPECT_EQ(owner, main);
        EXPECT_EQ(aboutExStyle & WS_EX_APPWINDOW, 0);
        EXPECT_FALSE(mainEnabledDuring);
        EXPECT_TRUE(mainEnabledAfter);
    }
}

int IconWidth(HICON icon) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info))
        return 0;
    BITMAP bitmap{};
    GetObjectW(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return bitmap.bmWidth;
}

TEST(MainDialog, TheSmallIconIsTheSixteenPixelImageAtTheWindowsDpi) {
    ScratchFolder folder;
    MainDialog dialog;
    std::vector<int> widths;
    dialog.Run({[&] {
        auto smallIconWidth = [&] {
            return IconWidth(reinterpret_cast<HICON>(dialog.SendMessage(WM_GETICON, ICON_SMALL)));
        };
        widths.push_back(smallIconWidth());
        RECT frame;
        GetWindowRect(dialog.m_hWnd, &frame);
        dialog.SendMessage(WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&frame));
        widths.push_back(smallIconWidth());
    }});
    EXPECT_EQ(widths, (std::vector<int>{16, 24})) << "at 96 DPI, then at 150 %";
}

TEST(MainDialog, LoadsTheChosenMonthAndDayAndReportsNameTheMonthSelectedAtThatMoment) {
    ScratchFolder folder;
    WriteTwoMonths(folder);
    MainDialog dialog;
    MessageBoxCatcher boxes;
    std::vector<std::vector<std::wstring>> rows;
    dialog.Run({
        [&] {
            dialog.Choose(IDC_MONTH, L"2026-11");
            dialog.Choose(IDC_DAY, L"1");
            dialog.Click(IDC_LOAD);
            rows = {dialog.Row(0), dialog.Row(1)};
            EXPECT_EQ(dialog.Rows(), 2);
            EXPECT_TRUE(dialog.Enabled(IDC_SAVE_SUMMARY));
            EXPECT_TRUE(dialog.Enabled(IDC_SAVE_DETAIL_ALL));
            dialog.Choose(IDC_MONTH, L"2026-10");
            EXPECT_EQ(dialog.Rows(), 2) << "a new month is shown only after a new load";
            EXPECT_EQ(dialog.Row(0), rows[0]);
            dialog.Click(IDC_SAVE_SUMMARY);
            dialog.Click(IDC_SAVE_DETAIL_SELECTED);  // no row selected: nothing happens
            dialog.m_list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
            dialog.Click(IDC_SAVE_DETAIL_SELECTED);
            dialog.Click(IDC_SAVE_DETAIL_ALL);
        },
    });
    EXPECT_EQ(rows[0], (std::vector<std::wstring>{L"C:\\spots\\b.avi", L"30.00", L"1",
                                                  L"0 h  00 min  30 sec"}));
    EXPECT_EQ(rows[1],
              (std::vector<std::wstring>{L"a.avi", L"7.00", L"1", L"0 h  00 min  07 sec"}));
    const std::vector<std::wstring> expected = {
        L"Sum\u00E1rn\u00ED p\u0159ehled byl ulo\u017Een do "
        L"souboru:\n\nreport\\SUM_AVI_2026-10.csv",
        L"Detailn\u00ED p\u0159ehled byl ulo\u017Een do souboru\n\nreport\\a.avi_2026-10.csv",
        L"Detailn\u00ED p\u0159ehledy byly ulo\u017Eeny do adres\u00E1\u0159e report",
    };
    ASSERT_EQ(boxes.Boxes().size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        const CaughtMessageBox& box = boxes.Boxes()[i];
        EXPECT_EQ(box.text, expected[i]);
        EXPECT_EQ(box.title, L"P\u0159ehled");
        EXPECT_EQ(box.buttons, static_cast<UINT>(MB_OK));
        EXPECT_EQ(box.icon, 0u);
    }
    EXPECT_TRUE(folder.Exists("report/SUM_AVI_2026-10.txt"));
    EXPECT_TRUE(folder.Exists("report/C__spots_b.avi_2026-10.txt"));
}

TEST(MainDialog, TheTimeEditsTakeAnyNumberAndALetterCountsAsZero) {
    ScratchFolder folder;
    WriteTwoMonths(folder);
    MainDialog dialog;
    MessageBoxCatcher boxes;
    auto type = [](const wchar_t* text) {
        for (; *text != L'\0'; ++text)
            PostMessageW(GetFocus(), WM_CHAR, *text, 1);
    };
    dialog.Run({
        [&] { dialog.Click(IDC_TIME_FILTER); },
        [&] { dialog.GoTo(IDC_TO_HOUR); },
        [&] { type(L"25"); },
        [&] { dialog.GoTo(IDC_FROM_MINUTE); },
        [&] { type(L"x"); },
        [&] { dialog.GoTo(IDC_LOAD); },
    });
    EXPECT_EQ(dialog.m_nToHour, 25);
    EXPECT_EQ(dialog.m_nFromMinute, 0);
    EXPECT_EQ(dialog.m_bTimeFilter, 1);
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST(MainDialog, ButtonEscAndTheCloseBoxAskAndNoKeepsTheData) {
    ScratchFolder folder;
    WriteTwoMonths(folder);
    MainDialog dialog;
    MessageBoxCatcher no(IDNO);
    int rowsAfterNo = -1;
    const INT_PTR result = dialog.Run({
        [&] {
            dialog.Choose(IDC_MONTH, L"2026-10");
            dialog.Click(IDC_LOAD);
        },
        [&] { dialog.Click(IDCANCEL); },
        [&] { MainDialog::PostKey(VK_ESCAPE); },
        [&] { dialog.SendMessage(WM_CLOSE); },
        [&] {
            rowsAfterNo = dialog.Rows();
            MessageBoxCatcher yes(IDYES);
            dialog.Click(IDCANCEL);
        },
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(rowsAfterNo, 1);
    ASSERT_EQ(no.Boxes().size(), 3u);
    for (const CaughtMessageBox& box : no.Boxes()) {
        EXPECT_EQ(box.text, L"Ukon\u010Dit program ?");
        EXPECT_EQ(box.title, L"Vintaro Kvimeter");
        EXPECT_EQ(box.buttons, static_cast<UINT>(MB_YESNO));
        EXPECT_EQ(box.icon, static_cast<UINT>(MB_ICONEXCLAMATION));
    }
}

TEST(MainDialog, EnterInTheMonthComboClosesWithoutAQuestion) {
    ScratchFolder folder;
    WriteTwoMonths(folder);
    MainDialog dialog;
    MessageBoxCatcher boxes(IDNO);
    const INT_PTR result = dialog.Run({
        [&] { dialog.GoTo(IDC_MONTH); },
        [&] { MainDialog::PostKey(VK_RETURN); },
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST(MainDialog, WithoutLogsTheListStaysEmptyAndTheSummaryIsNamedAfterMonthZero) {
    ScratchFolder folder;
    MainDialog dialog;
    MessageBoxCatcher boxes;
    dialog.Run({[&] {
        EXPECT_EQ(SendMessageW(dialog.Item(IDC_MONTH), CB_GETCOUNT, 0, 0), 0);
        dialog.Click(IDC_LOAD);
        EXPECT_EQ(dialog.Rows(), 0);
        EXPECT_TRUE(dialog.Enabled(IDC_SAVE_SUMMARY));
        dialog.Click(IDC_SAVE_SUMMARY);
    }});
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_NE(boxes.Boxes()[0].text.find(L"report\\SUM_AVI_0000-00.csv"), std::wstring::npos);
}

TEST(MainDialog, ADateErrorIsShownWithTheStopIconAndLeavesNoRows) {
    ScratchFolder folder;
    WriteTwoMonths(folder);
    folder.Write("log/AVI_2026-12.txt",
                 "01.12.2026\t08:00:00\tp\tx.avi\t5\r\n"
                 "01.13.2026\t08:00:00\tp\tx.avi\t5\r\n");
    MainDialog dialog;
    MessageBoxCatcher boxes;
    dialog.Run({[&] {
        dialog.Choose(IDC_MONTH, L"2026-10");
        dialog.Click(IDC_LOAD);
        ASSERT_EQ(dialog.Rows(), 1);
        dialog.Choose(IDC_MONTH, L"2026-12");
        dialog.Click(IDC_LOAD);
        EXPECT_EQ(dialog.Rows(), 0);
        EXPECT_TRUE(dialog.Enabled(IDC_SAVE_SUMMARY)) << "the save buttons keep their state";
    }});
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    const CaughtMessageBox& box = boxes.Boxes()[0];
    EXPECT_EQ(box.icon, static_cast<UINT>(MB_ICONSTOP));
    EXPECT_NE(box.text.find(L"\"x.avi\": 1.13.2026 8:00:00"), std::wstring::npos) << box.text;
    EXPECT_NE(box.text.find(L"nebyla na\u010Dtena"), std::wstring::npos) << box.text;
}

TEST(MainDialog, AReportThatCannotBeWrittenShowsOneBoxNamingTheFiles) {
    ScratchFolder folder;
    WriteTwoMonths(folder);
    folder.Write("report", "a file where the folder should be");
    MainDialog dialog;
    MessageBoxCatcher boxes;
    dialog.Run({[&] {
        dialog.Choose(IDC_MONTH, L"2026-10");
        dialog.Click(IDC_LOAD);
        dialog.Click(IDC_SAVE_SUMMARY);
    }});
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    const CaughtMessageBox& box = boxes.Boxes()[0];
    EXPECT_EQ(box.title, L"P\u0159ehled");
    EXPECT_EQ(box.icon, static_cast<UINT>(MB_ICONEXCLAMATION));
    EXPECT_NE(box.text.find(L":\n    report\\SUM_AVI_2026-10.txt"), std::wstring::npos) << box.text;
    EXPECT_EQ(box.text.find(L"byl ulo\u017Een"), std::wstring::npos);
}

// A spreadsheet holds the summary's CSV file: the box gives the system's reason in Czech, and
// the file keeps what it had.
TEST(MainDialog, AReportHeldByAnotherProgramShowsTheReasonInCzechAndKeepsTheOldFile) {
    ScratchFolder folder;
    WriteTwoMonths(folder);
    fs::create_directories(folder.Path() / "report");
    folder.Write("report/SUM_AVI_2026-10.csv", "old");
    const HANDLE holder =
        CreateFileW(L"report\\SUM_AVI_2026-10.csv", GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    MainDialog dialog;
    MessageBoxCatcher boxes;
    dialog.Run({[&] {
        dialog.Choose(IDC_MONTH, L"2026-10");
        dialog.Click(IDC_LOAD);
        dialog.Click(IDC_SAVE_SUMMARY);
    }});
    CloseHandle(holder);
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_NE(boxes.Boxes()[0].text.find(L"\nsoubor pou\u017E\u00EDv\u00E1 jin\u00FD program:\n"
                                         L"    report\\SUM_AVI_2026-10.csv"),
              std::wstring::npos)
        << boxes.Boxes()[0].text;
    std::ifstream csv("report/SUM_AVI_2026-10.csv", std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(csv), {}), "old");
}

// Sixty animations whose names Windows refuses in a file name: the box names fifteen, counts the
// rest, names the file with the whole list, and fits a 768-pixel screen at 150 %.
TEST(MainDialog, ManyFailedReportsShowABoxThatFitsASmallScreenAndAFileWithTheWholeList) {
    ScratchFolder folder;
    std::string month;
    for (int i = 0; i < 60; ++i) {
        month += "01.10.2026\t08:00:05\tp\tC:\\Panel\\Animace\\reklama|" + std::to_string(i) +
                 " na podzimn\xED v\xFDprodej.avi\t12.5\r\n";
    }
    folder.Write("log/AVI_2026-10.txt", month);
    MainDialog dialog;
    MessageBoxCatcher boxes;
    dialog.Run({[&] {
        dialog.Click(IDC_LOAD);
        ASSERT_EQ(dialog.Rows(), 60);
        dialog.Click(IDC_SAVE_DETAIL_ALL);
    }});
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    const CaughtMessageBox& box = boxes.Boxes()[0];
    EXPECT_NE(box.text.find(L"|14 na podzimn"), std::wstring::npos) << box.text;  // sorted by name
    EXPECT_EQ(box.text.find(L"|23 na podzimn"), std::wstring::npos) << box.text;
    EXPECT_NE(box.text.find(L"nepoda\u0159ilo ulo\u017Eit: 45\n"), std::wstring::npos) << box.text;
    EXPECT_TRUE(box.text.ends_with(L"report\\neulozene_soubory.txt")) << box.text;
    const LONG height = box.frame.bottom - box.frame.top;
    EXPECT_LE(MulDiv(height, 150, 100), 768) << height << " pixels at 100 %";
    EXPECT_LE(box.frame.right - box.frame.left, 1024) << box.frame.right - box.frame.left;
    std::ifstream list("report/neulozene_soubory.txt", std::ios::binary);
    std::string line;
    int lines = 0;
    while (std::getline(list, line))
        lines += line.ends_with("\r") ? 1 : 0;
    EXPECT_EQ(lines, 61) << "the heading and every file";
}

TEST(Application, AMainDialogThatCannotBeCreatedIsSaidSoAndEndsWithStatusOne) {
    CTarvexApp app;
    CDialog missing(IDD_TARVEX_DIALOG + 999);
    MessageBoxCatcher boxes;
    app.RunMainDialog(missing);
    EXPECT_EQ(app.ExitInstance(), 1);
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    const CaughtMessageBox& box = boxes.Boxes()[0];
    EXPECT_EQ(box.icon, static_cast<UINT>(MB_ICONSTOP));
    const std::wstring heading =
        L"Hlavn\u00ED okno programu se nepoda\u0159ilo otev\u0159\u00EDt.\n\n";
    EXPECT_TRUE(box.text.starts_with(heading)) << box.text;
    EXPECT_GT(box.text.size(), heading.size() + 3) << "the system's reason follows";
}

}  // namespace
