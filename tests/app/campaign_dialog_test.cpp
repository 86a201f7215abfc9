// The campaign dialog on real controls: the panel list, the gap's range, the booking's errors,
// a count against the command line's files, a stopped count, a close asked for during the count,
// and the dialog over the main window. Each test works in a scratch folder of its own, with its
// logs written there.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/campaign_dlg.h"
#include "app/resource.h"
#include "app/tarvex_dlg.h"
#include "app/text_list_dlg.h"
#include "tests/acceptance/cli_process.h"
#include "tests/winsupport/gui_support.h"
#include "tests/winsupport/scratch_folder.h"
#include "tests/winsupport/scripted_dialog.h"
#include "userlocale/user_decimal_separator.h"

namespace fs = std::filesystem;
using winsupport::MessageBoxCatcher;

namespace {

constexpr UINT kAnswerPopup = WM_APP + 78;

// A scripted dialog that can look at the modal window its next step opens, from inside that
// window's own message loop: AnswerPopup, then the step that opens it.
template <class Base>
class PopupScripted : public winsupport::ScriptedDialog<Base> {
public:
    using winsupport::ScriptedDialog<Base>::ScriptedDialog;

    void AnswerPopup(std::function<void(HWND)> answer) {
        m_answer = std::move(answer);
        PostMessageW(this->m_hWnd, kAnswerPopup, 0, 0);
    }
    HWND Item(int id) const { return this->GetDlgItem(id); }
    void Click(int id) { ::SendMessageW(Item(id), BM_CLICK, 0, 0); }

    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override {
        if (message != kAnswerPopup)
            return winsupport::ScriptedDialog<Base>::OnWndMsg(message, wParam, lParam, result);
        HWND popup = GetLastActivePopup(this->m_hWnd);
        if (m_answer && popup != this->m_hWnd)
            m_answer(popup);
        m_answer = nullptr;
        return TRUE;
    }

private:
    std::function<void(HWND)> m_answer;
};

class CampaignDialog : public PopupScripted<CCampaignDlg> {
public:
    void Type(int id, const std::wstring& text) { SetDlgItemTextW(m_hWnd, id, text.c_str()); }
    void GoTo(int id) { SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(id)), TRUE); }
    int PanelRows() const { return m_panelList.GetItemCount(); }
    std::wstring PanelCell(int row, int column) const {
        return m_panelList.GetItemText(row, column);
    }
    // Until the worker has ended and its end has been handled, answering messages meanwhile.
    void WaitForCount() {
        while (CountRunning()) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 60000, QS_ALLINPUT);
            winsupport::PumpMessages();
        }
    }
};

class Scratch : public winsupport::ScratchFolder {
public:
    Scratch() : winsupport::ScratchFolder("kv-campaign", "gui") {}
    // Into the dialog's working folder gui/ and the command line's cli/ alike.
    void Write(const std::string& relative, const std::string& bytes) const {
        for (const char* side : {"gui", "cli"}) {
            const fs::path path = Path() / side / relative;
            fs::create_directories(path.parent_path());
            std::ofstream(path, std::ios::binary) << bytes;
        }
    }
    fs::path Gui() const { return Path() / "gui"; }
    fs::path Cli() const { return Path() / "cli"; }
};

std::string Plays(int day, int count, const char* name) {
    std::string log;
    for (int i = 0; i < count; ++i) {
        char line[96];
        std::snprintf(line, sizeof line, "%02d.11.2026\t%02d:%02d:00\tp\t%s\t15\r\n", day,
                      8 + i / 60, i % 60, name);
        log += line;
    }
    return log;
}

// UTF-8, as Notepad saves it.
constexpr char kHeader[] =
    "Klient;Kampa\xC5\x88;Spot;Od;Do;\xC4\x8C"
    "as od;\xC4\x8C"
    "as do;"
    "P\xC5\x99"
    "ehr\xC3\xA1n\xC3\xAD za den;Panel\r\n";

// Two panels: nadrazi short of its booking on the 2nd, namesti full.
void WriteTwoPanels(const Scratch& scratch) {
    scratch.Write("nadrazi/log/AVI_2026-11.txt", Plays(1, 6, "spot.avi") + Plays(2, 3, "spot.avi"));
    scratch.Write("namesti/log/AVI_2026-11.txt", Plays(1, 6, "spot.avi") + Plays(2, 6, "spot.avi"));
    scratch.Write("kampan.csv",
                  std::string(kHeader) +
                      "Pek\xC3\xA1rna;R\xC3\xA1no;spot.avi;1.11.2026;2.11.2026;6:00;12:00;5;\r\n");
}

bool HasCampaignFiles(const fs::path& folder) {
    return fs::exists(folder / "report/KAMPAN_kampan.csv") ||
           fs::exists(folder / "report/KAMPAN_kampan.html");
}

std::string FileBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(CampaignDialog, PanelsStartFromTheWorkingFolderAndItsSubfoldersWithLogs) {
    Scratch scratch;
    scratch.Write("log/AVI_2026-10.txt", Plays(1, 1, "a.avi"));
    scratch.Write("log/AVI_2026-11.txt", Plays(1, 1, "a.avi"));
    WriteTwoPanels(scratch);
    scratch.Write("bez logu/readme.txt", "x");
    CampaignDialog dialog;
    dialog.Run({[&] {
        ASSERT_EQ(dialog.PanelRows(), 3);
        EXPECT_EQ(dialog.PanelCell(0, 0), L"gui");
        EXPECT_EQ(dialog.PanelCell(0, 4), L"2026-10, 2026-11");
        EXPECT_EQ(dialog.PanelCell(1, 0), L"nadrazi");
        EXPECT_EQ(dialog.PanelCell(1, 1), L"");  // no register
        EXPECT_EQ(dialog.PanelCell(1, 3), (scratch.Gui() / "nadrazi").wstring());
        EXPECT_EQ(dialog.PanelCell(2, 0), L"namesti");
        EXPECT_EQ(winsupport::WindowText(dialog.Item(IDC_BOOKING_PATH)), L"kampan.csv");
        EXPECT_EQ(winsupport::WindowText(dialog.Item(IDC_REGISTER_PATH)), L"");
        EXPECT_EQ(winsupport::WindowText(dialog.Item(IDC_AUDIENCE_PATH)), L"");
        // The last day counted starts as yesterday, in the picker and in its variable.
        SYSTEMTIME now{}, shown{};
        GetLocalTime(&now);
        FILETIME moment{};
        SystemTimeToFileTime(&now, &moment);
        ULARGE_INTEGER ticks{{moment.dwLowDateTime, moment.dwHighDateTime}};
        ticks.QuadPart -= 24ull * 3600 * 10000000;
        moment = {ticks.LowPart, ticks.HighPart};
        SYSTEMTIME yesterday{};
        FileTimeToSystemTime(&moment, &yesterday);
        SendMessageW(dialog.Item(IDC_AS_OF), DTM_GETSYSTEMTIME, 0,
                     reinterpret_cast<LPARAM>(&shown));
        EXPECT_EQ(shown.wDay, yesterday.wDay);
        EXPECT_EQ(dialog.m_asOf.day, yesterday.wDay);
        EXPECT_EQ(dialog.m_asOf.month, yesterday.wMonth);
        EXPECT_EQ(dialog.m_asOf.year, yesterday.wYear);
    }});
}

TEST(CampaignDialog, TypedPanelsAreCheckedAddedOnceAndRemoved) {
    Scratch scratch;
    WriteTwoPanels(scratch);
    scratch.Write("bez logu/readme.txt", "x");
    fs::current_path(scratch.Gui() / "nadrazi");  // starts with nadrazi alone
    CampaignDialog dialog;
    MessageBoxCatcher catcher;
    dialog.Run({[&] {
        ASSERT_EQ(dialog.PanelRows(), 1);
        for (const wchar_t* refused : {L"..\\bez logu", L".", L"..\\nadrazi"}) {
            dialog.Type(IDC_PANEL_PATH, refused);
            dialog.Click(IDC_ADD_PANEL);
        }
        ASSERT_EQ(catcher.Boxes().size(), 3u);
        EXPECT_NE(catcher.Boxes()[0].text.find(L"..\\bez logu nem\u00E1 log"), std::wstring::npos);
        EXPECT_NE(catcher.Boxes()[1].text.find(L"u\u017E v seznamu je"), std::wstring::npos);
        EXPECT_NE(catcher.Boxes()[2].text.find(L"u\u017E v seznamu je"), std::wstring::npos);
        dialog.Type(IDC_PANEL_PATH, L"..\\namesti");
        dialog.Click(IDC_ADD_PANEL);
        ASSERT_EQ(dialog.PanelRows(), 2);
        EXPECT_EQ(dialog.PanelCell(1, 0), L"namesti");
        EXPECT_EQ(winsupport::WindowText(dialog.Item(IDC_PANEL_PATH)), L"");
        dialog.m_panelList.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
        dialog.Click(IDC_REMOVE_PANELS);
        ASSERT_EQ(dialog.PanelRows(), 1);
        EXPECT_EQ(dialog.PanelCell(0, 0), L"namesti");
    }});
    fs::current_path(scratch.Gui());
}

TEST(CampaignDialog, AGapOutsideOneToADayIsRefusedAndNothingCounts) {
    Scratch scratch;
    WriteTwoPanels(scratch);
    CampaignDialog dialog;
    MessageBoxCatcher catcher;
    dialog.Run({[&] {
        EXPECT_EQ(winsupport::WindowText(dialog.Item(IDC_GAP)), L"15");
        dialog.Type(IDC_BOOKING_PATH, L"kampan.csv");
        dialog.GoTo(IDC_GAP);
        dialog.Type(IDC_GAP, L"1441");
        dialog.GoTo(IDC_PER_CLIENT);
        ASSERT_EQ(catcher.Boxes().size(), 1u);
        EXPECT_NE(catcher.Boxes()[0].text.find(L"1440"), std::wstring::npos);
        dialog.Click(IDC_EVALUATE);
        EXPECT_FALSE(dialog.CountRunning());
        for (const winsupport::CaughtMessageBox& box : catcher.Boxes())
            EXPECT_NE(box.text.find(L"1440"), std::wstring::npos) << box.text;
        dialog.Type(IDC_GAP, L"1440");
        EXPECT_EQ(dialog.SettingsForCore().count.gapMinutes, 1440);
    }});
    EXPECT_FALSE(HasCampaignFiles(scratch.Gui()));
}

TEST(CampaignDialog, BookingErrorsAreListedInTheirBoxAndNothingIsWritten) {
    Scratch scratch;
    WriteTwoPanels(scratch);
    scratch.Write("chyby.csv", std::string(kHeader) +
                                   "A;B;x.avi;31.2.2026;1.3.2026;;;5;\r\n"
                                   "A;B;y.avi;1.3.2026;2.3.2026;;;mnoho;\r\n");
    CampaignDialog dialog;
    std::wstring title, text;
    dialog.Run({[&] {
        dialog.Type(IDC_BOOKING_PATH, L"chyby.csv");
        dialog.AnswerPopup([&](HWND box) {
            title = winsupport::WindowText(box);
            text = winsupport::WindowText(GetDlgItem(box, IDC_LINES));
            SendMessageW(box, WM_COMMAND, IDOK, 0);
        });
        dialog.Click(IDC_EVALUATE);
    }});
    EXPECT_EQ(title, L"Chyby v objedn\u00E1vce");
    EXPECT_NE(text.find(L"chyby.csv:2:"), std::wstring::npos) << text;
    EXPECT_NE(text.find(L"chyby.csv:3:"), std::wstring::npos) << text;
    EXPECT_NE(text.find(L"Nic nebylo ulo\u017Eeno."), std::wstring::npos);
    EXPECT_FALSE(HasCampaignFiles(scratch.Gui()));
}

TEST(CampaignDialog, ACountWritesTheCommandLinesFilesByteForByte) {
    Scratch scratch;
    WriteTwoPanels(scratch);
    _putenv_s("SOURCE_DATE_EPOCH", "1796112000");
    SetEnvironmentVariableW(L"SOURCE_DATE_EPOCH", L"1796112000");
    CampaignDialog dialog;
    std::wstring note;
    dialog.Run({[&] {
        dialog.Type(IDC_BOOKING_PATH, L"kampan.csv");
        dialog.Click(IDC_EVALUATE);
        dialog.WaitForCount();
        ASSERT_EQ(dialog.m_resultList.GetItemCount(), 2);
        EXPECT_EQ(dialog.m_resultList.GetItemText(0, 3), L"nadrazi");
        EXPECT_EQ(dialog.m_resultList.GetItemText(0, 4), L"bez uveden\u00ED m\u011Bsta");
        EXPECT_EQ(dialog.m_resultList.GetItemText(0, 6), L"9");
        EXPECT_EQ(dialog.m_resultList.GetItemText(0, 8), L"1");
        EXPECT_EQ(dialog.m_resultList.GetItemText(1, 6), L"12");
        EXPECT_EQ(dialog.m_resultList.GetItemText(1, 8), L"0");
        note = winsupport::WindowText(dialog.Item(IDC_RESULT_NOTE));
        EXPECT_TRUE(IsWindowEnabled(dialog.Item(IDC_OPEN_PAGE)));
    }});
    // The page's evidence checked again, as "Ověřit stránku…" does once a page is picked.
    std::ofstream(scratch.Gui() / "namesti/log/AVI_2026-11.txt", std::ios::app) << "x";
    std::wstring verified;
    CampaignDialog checker;
    checker.Run({[&] {
        checker.AnswerPopup([&](HWND box) {
            verified = winsupport::WindowText(GetDlgItem(box, IDC_LINES));
            SendMessageW(box, WM_COMMAND, IDOK, 0);
        });
        checker.VerifyPage("report\\KAMPAN_kampan.html");
    }});
    EXPECT_NE(verified.find(L"v po\u0159\u00E1dku: nadrazi\\log\\AVI_2026-11.txt"),
              std::wstring::npos)
        << verified;
    EXPECT_NE(verified.find(L"zm\u011Bn\u011Bn: namesti\\log\\AVI_2026-11.txt"), std::wstring::npos)
        << verified;
    const acceptance::CliResult cli = acceptance::RunCli(
        scratch.Cli(), {"campaign", "kampan.csv", "--panel", "nadrazi", "--panel", "namesti"});
    _putenv_s("SOURCE_DATE_EPOCH", "");
    SetEnvironmentVariableW(L"SOURCE_DATE_EPOCH", nullptr);
    ASSERT_EQ(cli.status, 0) << cli.err;
    EXPECT_NE(note.find(L"report\\KAMPAN_kampan.html, report\\KAMPAN_kampan_prehrani.csv, "
                        L"report\\KAMPAN_kampan_playout.csv"),
              std::wstring::npos)
        << note;
    for (const char* file :
         {"report/KAMPAN_kampan.csv", "report/KAMPAN_kampan.html",
          "report/KAMPAN_kampan_prehrani.csv", "report/KAMPAN_kampan_playout.csv"}) {
        const std::string gui = FileBytes(scratch.Gui() / file);
        EXPECT_FALSE(gui.empty()) << file;
        EXPECT_EQ(gui, FileBytes(scratch.Cli() / file)) << file;
    }
}

TEST(CampaignDialog, TheRecountBoxCountsThePageAgainInTheVerifysBox) {
    Scratch scratch;
    WriteTwoPanels(scratch);
    CampaignDialog dialog;
    dialog.Run({[&] {
        dialog.Type(IDC_BOOKING_PATH, L"kampan.csv");
        dialog.Click(IDC_EVALUATE);
        dialog.WaitForCount();
    }});
    ASSERT_TRUE(HasCampaignFiles(scratch.Gui()));
    // Checked as it was written, then with a play more in a log the proof rests on.
    std::wstring agreed, differed, unticked;
    CampaignDialog checker;
    checker.Run({[&] {
        const auto verify = [&](std::wstring& lines) {
            checker.AnswerPopup([&](HWND box) {
                lines = winsupport::WindowText(GetDlgItem(box, IDC_LINES));
                SendMessageW(box, WM_COMMAND, IDOK, 0);
            });
            checker.VerifyPage("report\\KAMPAN_kampan.html");
        };
        EXPECT_EQ(SendMessageW(checker.Item(IDC_RECOUNT), BM_GETCHECK, 0, 0), BST_UNCHECKED);
        verify(unticked);
        checker.Click(IDC_RECOUNT);
        verify(agreed);
        std::ofstream(scratch.Gui() / "nadrazi/log/AVI_2026-11.txt", std::ios::app)
            << Plays(2, 1, "spot.avi");
        verify(differed);
    }});
    EXPECT_EQ(unticked.find(L"p\u0159epo\u010Det"), std::wstring::npos) << unticked;
    EXPECT_NE(agreed.find(L"v po\u0159\u00E1dku: nadrazi\\log\\AVI_2026-11.txt\r\n"),
              std::wstring::npos)
        << agreed;
    EXPECT_NE(agreed.find(L"\r\np\u0159epo\u010Det souhlas\u00ED"), std::wstring::npos) << agreed;
    EXPECT_NE(differed.find(L"zm\u011Bn\u011Bn: nadrazi\\log\\AVI_2026-11.txt"), std::wstring::npos)
        << differed;
    EXPECT_NE(differed.find(L"p\u0159epo\u010Det nesouhlas\u00ED: "), std::wstring::npos)
        << differed;
    EXPECT_NE(
        differed.find(L"p\u0159epo\u010Det, \u0159\u00E1dek 3: Pek\u00E1rna;R\u00E1no;spot.avi;"
                      L"nadrazi;2026-11-02;5;4;-1"),
        std::wstring::npos)
        << differed;
}

// "Seznam přehrání" is ticked at the start; cleared, the count writes the pairs without lists.
TEST(CampaignDialog, ThePlaysListsCheckBoxIsOnAndClearedLeavesThemOut) {
    Scratch scratch;
    WriteTwoPanels(scratch);
    CampaignDialog dialog;
    std::wstring note;
    dialog.Run({[&] {
        EXPECT_EQ(winsupport::WindowText(dialog.Item(IDC_PLAY_LISTS)),
                  L"Seznam p\u0159e&hr\u00E1n\u00ED");
        EXPECT_EQ(SendMessageW(dialog.Item(IDC_PLAY_LISTS), BM_GETCHECK, 0, 0), BST_CHECKED);
        EXPECT_TRUE(dialog.SettingsForCore().playLists);
        dialog.Click(IDC_PLAY_LISTS);
        EXPECT_FALSE(dialog.SettingsForCore().playLists);
        dialog.Type(IDC_BOOKING_PATH, L"kampan.csv");
        dialog.Click(IDC_EVALUATE);
        dialog.WaitForCount();
        note = winsupport::WindowText(dialog.Item(IDC_RESULT_NOTE));
    }});
    EXPECT_TRUE(HasCampaignFiles(scratch.Gui()));
    EXPECT_FALSE(fs::exists(scratch.Gui() / "report/KAMPAN_kampan_prehrani.csv"));
    EXPECT_FALSE(fs::exists(scratch.Gui() / "report/KAMPAN_kampan_playout.csv"));
    EXPECT_EQ(note.find(L"prehrani"), std::wstring::npos) << note;
}

TEST(CampaignDialog, AStoppedCountWritesNothing) {
    Scratch scratch;
    WriteTwoPanels(scratch);
    // Enough plays that the count is still reading when the stop comes.
    std::string month;
    for (int day = 3; day <= 30; ++day)
        for (int hour = 0; hour < 4; ++hour)
            month += Plays(day, 600, "jiny.avi");
    scratch.Write("nadrazi/log/AVI_2026-11.txt", month);
    CampaignDialog dialog;
    std::wstring note;
    dialog.Run({[&] {
        dialog.Type(IDC_BOOKING_PATH, L"kampan.csv");
        dialog.Click(IDC_EVALUATE);
        EXPECT_TRUE(IsWindowEnabled(dialog.Item(IDC_STOP)));
        EXPECT_FALSE(IsWindowEnabled(dialog.Item(IDC_EVALUATE)));
        dialog.Click(IDC_STOP);
        dialog.WaitForCount();
        note = winsupport::WindowText(dialog.Item(IDC_RESULT_NOTE));
        EXPECT_TRUE(IsWindowEnabled(dialog.Item(IDC_EVALUATE)));
    }});
    EXPECT_EQ(note, L"Vyhodnocen\u00ED bylo p\u0159eru\u0161eno; nic nebylo ulo\u017Eeno.");
    EXPECT_FALSE(HasCampaignFiles(scratch.Gui()));
}

TEST(CampaignDialog, ClosingDuringACountAsksStopsItAndWritesNothing) {
    Scratch scratch;
    WriteTwoPanels(scratch);
    CampaignDialog dialog;
    MessageBoxCatcher catcher(IDYES);
    const INT_PTR ended = dialog.Run({[&] {
        dialog.Type(IDC_BOOKING_PATH, L"kampan.csv");
        dialog.Click(IDC_EVALUATE);
        dialog.SendMessage(WM_COMMAND, IDCANCEL, 0);
    }});
    EXPECT_EQ(ended, IDCANCEL);
    ASSERT_EQ(catcher.Boxes().size(), 1u);
    EXPECT_EQ(catcher.Boxes()[0].buttons, static_cast<UINT>(MB_YESNO));
    EXPECT_FALSE(HasCampaignFiles(scratch.Gui()));
}

// The count ends while the dialog asks whether to close: "Ne" keeps the dialog open, and the
// files it held back are written then.
TEST(CampaignDialog, ACountEndedWhileAskingToCloseIsWrittenOnNo) {
    Scratch scratch;
    WriteTwoPanels(scratch);
    CampaignDialog dialog;
    bool askedAfterTheCount = false;
    std::wstring note;
    const INT_PTR ended =
        dialog.Run({[&] {
                        dialog.Type(IDC_BOOKING_PATH, L"kampan.csv");
                        // Posted before the click, so that the worker's messages come after it.
                        dialog.AnswerPopup([&](HWND box) {
                            // Answered once the worker has counted, so that the box's own loop
                            // hands that on first.
                            MSG msg;
                            while (!PeekMessageW(&msg, dialog.m_hWnd, kCountCounted, kCountCounted,
                                                 PM_NOREMOVE))
                                MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_POSTMESSAGE);
                            askedAfterTheCount = true;
                            PostMessageW(box, WM_COMMAND, IDNO, 0);
                        });
                        dialog.Click(IDC_EVALUATE);
                        dialog.SendMessage(WM_COMMAND, IDCANCEL, 0);
                    },
                    [&] {
                        dialog.WaitForCount();
                        note = winsupport::WindowText(dialog.Item(IDC_RESULT_NOTE));
                        EXPECT_EQ(dialog.m_resultList.GetItemCount(), 2);
                        EXPECT_FALSE(IsWindowEnabled(dialog.Item(IDC_STOP)));
                    }});
    EXPECT_EQ(ended, winsupport::kScriptLeftOpen);
    EXPECT_TRUE(askedAfterTheCount);
    EXPECT_NE(note.find(L"report\\KAMPAN_kampan.html"), std::wstring::npos) << note;
    EXPECT_TRUE(fs::exists(scratch.Gui() / "report/KAMPAN_kampan.csv"));
}

// Once counted the files are being written: a close asks nothing, waits for them and ends.
TEST(CampaignDialog, ClosingWhileTheFilesAreWrittenWaitsForThem) {
    Scratch scratch;
    WriteTwoPanels(scratch);
    CampaignDialog dialog;
    MessageBoxCatcher catcher(IDYES);
    const INT_PTR ended = dialog.Run({[&] {
        dialog.Type(IDC_BOOKING_PATH, L"kampan.csv");
        dialog.Click(IDC_EVALUATE);
        MSG msg;
        while (!PeekMessageW(&msg, dialog.m_hWnd, kCountCounted, kCountCounted, PM_REMOVE))
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_POSTMESSAGE);
        DispatchMessageW(&msg);
        dialog.SendMessage(WM_COMMAND, IDCANCEL, 0);
    }});
    EXPECT_EQ(ended, IDCANCEL);
    EXPECT_TRUE(catcher.Boxes().empty());
    for (const char* file : {"KAMPAN_kampan.csv", "KAMPAN_kampan.html", "KAMPAN_kampan.sha256"})
        EXPECT_TRUE(fs::exists(scratch.Gui() / "report" / file)) << file;
}

// The panel register and audience file: nadrazi is in the register, in Brno, with 3600 passers-by
// an hour every day; namesti is in neither.
void WriteOperatorFiles(const Scratch& scratch) {
    scratch.Write("panely.csv", "Panel;Název;Město\r\nnadrazi;Brno, Nádraží;Brno\r\n");
    scratch.Write("publikum.csv",
                  "Panel;Dny;Čas od;Čas do;Kontaktů za hodinu\r\nnadrazi;po-ne;;;3600\r\n");
}

// The cells of a line's state on the panel, from the command line's CSV file.
std::vector<std::string> StatusRow(const fs::path& csv, const std::string& panel) {
    std::istringstream in(FileBytes(csv));
    std::string row;
    while (std::getline(in, row)) {
        std::vector<std::string> cells(1);
        for (const char c : row.substr(0, row.find('\r'))) {
            if (c == ';')
                cells.emplace_back();
            else
                cells.back() += c;
        }
        if (cells.size() > 13 && cells[6] == panel)
            return cells;
    }
    return {};
}

// A CSV cell as the list shows it: Windows-1250 to UTF-16, the user's decimal separator.
std::wstring AsListed(const std::string& cell) {
    std::wstring text = ToWide(cell);
    std::replace(text.begin(), text.end(), L',', static_cast<wchar_t>(UserDecimalSeparator()));
    return text;
}

TEST(CampaignDialog, TheWorkingFoldersRegisterAndAudienceAreOfferedNamedAndCounted) {
    Scratch scratch;
    WriteTwoPanels(scratch);
    WriteOperatorFiles(scratch);
    scratch.Write("jiny.txt", "Panel;Název;Město\r\nnamesti;Náměstí;Zlín\r\n");
    CampaignDialog dialog;
    MessageBoxCatcher catcher;
    dialog.Run({[&] {
        // The only booking beside them is still offered.
        EXPECT_EQ(winsupport::WindowText(dialog.Item(IDC_BOOKING_PATH)), L"kampan.csv");
        EXPECT_EQ(winsupport::WindowText(dialog.Item(IDC_REGISTER_PATH)), L"panely.csv");
        EXPECT_EQ(winsupport::WindowText(dialog.Item(IDC_AUDIENCE_PATH)), L"publikum.csv");
        ASSERT_EQ(dialog.PanelRows(), 2);
        EXPECT_EQ(dialog.PanelCell(0, 1), L"Brno, N\u00E1dra\u017E\u00ED");
        EXPECT_EQ(dialog.PanelCell(0, 2), L"Brno");
        EXPECT_EQ(dialog.PanelCell(1, 1), L"");
        // Another register, once its field is left.
        dialog.GoTo(IDC_REGISTER_PATH);
        dialog.Type(IDC_REGISTER_PATH, L"jiny.txt");
        dialog.GoTo(IDC_GAP);
        EXPECT_EQ(dialog.PanelCell(0, 1), L"");
        EXPECT_EQ(dialog.PanelCell(1, 1), L"N\u00E1m\u011Bst\u00ED");
        EXPECT_EQ(dialog.PanelCell(1, 2), L"Zl\u00EDn");
        dialog.Type(IDC_AUDIENCE_PATH, L"");
        dialog.Click(IDC_EVALUATE);
        dialog.WaitForCount();
        ASSERT_EQ(dialog.m_resultList.GetItemCount(), 2);
        EXPECT_EQ(dialog.m_resultList.GetItemText(1, 3), L"N\u00E1m\u011Bst\u00ED");
        EXPECT_EQ(dialog.m_resultList.GetItemText(1, 4), L"Zl\u00EDn");
    }});
    for (const winsupport::CaughtMessageBox& box : catcher.Boxes())
        ADD_FAILURE() << box.text;
    const std::string sums = FileBytes(scratch.Gui() / "report/KAMPAN_kampan.sha256");
    EXPECT_NE(sums.find("  jiny.txt\r\n"), std::string::npos) << sums;
    EXPECT_EQ(sums.find("panely.csv"), std::string::npos) << sums;
    EXPECT_EQ(sums.find("publikum.csv"), std::string::npos) << sums;
}

// Availability and share of time always, the estimated contacts only with audience data; each
// cell as the command line's CSV states it.
TEST(CampaignDialog, TheResultListGainsTheBuyersFiguresAndContactsWithAudienceData) {
    Scratch scratch;
    WriteTwoPanels(scratch);
    const acceptance::CliResult plain = acceptance::RunCli(
        scratch.Cli(), {"campaign", "kampan.csv", "--panel", "nadrazi", "--panel", "namesti"});
    ASSERT_EQ(plain.status, 0) << plain.err;
    const std::vector<std::string> withoutAudience =
        StatusRow(scratch.Cli() / "report/KAMPAN_kampan.csv", "nadrazi");
    WriteOperatorFiles(scratch);
    const acceptance::CliResult counted = acceptance::RunCli(
        scratch.Cli(), {"campaign", "kampan.csv", "--panel", "nadrazi", "--panel", "namesti"});
    ASSERT_EQ(counted.status, 0) << counted.err;
    const std::vector<std::string> nadrazi =
        StatusRow(scratch.Cli() / "report/KAMPAN_kampan.csv", "nadrazi");
    ASSERT_EQ(withoutAudience.size(), 21u);
    ASSERT_EQ(nadrazi.size(), 21u);
    ASSERT_EQ(nadrazi[19], "135");  // 9 plays of 15 s at 3600 an hour
    CampaignDialog dialog;
    MessageBoxCatcher catcher;
    dialog.Run({[&] {
        dialog.Type(IDC_AUDIENCE_PATH, L"");
        dialog.Click(IDC_EVALUATE);
        dialog.WaitForCount();
        EXPECT_EQ(dialog.m_resultList.GetColumnCount(), 11);
        EXPECT_EQ(dialog.m_resultList.GetItemText(0, 9), AsListed(withoutAudience[15]));
        EXPECT_EQ(dialog.m_resultList.GetItemText(0, 10), AsListed(withoutAudience[17]));
        dialog.Type(IDC_AUDIENCE_PATH, L"publikum.csv");
        dialog.Click(IDC_EVALUATE);
        dialog.WaitForCount();
        ASSERT_EQ(dialog.m_resultList.GetColumnCount(), 12);
        EXPECT_EQ(dialog.m_resultList.GetItemText(0, 3), L"Brno, N\u00E1dra\u017E\u00ED");
        EXPECT_EQ(dialog.m_resultList.GetItemText(0, 9), AsListed(nadrazi[15]));
        EXPECT_EQ(dialog.m_resultList.GetItemText(0, 10), AsListed(nadrazi[17]));
        EXPECT_EQ(dialog.m_resultList.GetItemText(0, 11), L"135");
        EXPECT_EQ(dialog.m_resultList.GetItemText(1, 11), L"");  // namesti has no audience
        dialog.Type(IDC_AUDIENCE_PATH, L"");
        dialog.Click(IDC_EVALUATE);
        dialog.WaitForCount();
        EXPECT_EQ(dialog.m_resultList.GetColumnCount(), 11);
    }});
}

RECT PlaceIn(HWND dialog, HWND control) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

TEST(CampaignDialog, ResizingGrowsTheListsAndKeepsTheButtonsAtTheirEdges) {
    Scratch scratch;
    CampaignDialog dialog;
    dialog.Run({[&] {
        const HWND window = dialog.m_hWnd;
        RECT before{};
        GetWindowRect(window, &before);
        MINMAXINFO limits{};
        SendMessageW(window, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
        EXPECT_EQ(limits.ptMinTrackSize.x, before.right - before.left);
        EXPECT_EQ(limits.ptMinTrackSize.y, before.bottom - before.top);
        // How far each edge goes, left, top, right, bottom, as the dialog grows by 200 × 100.
        const struct {
            HWND control;
            LONG left, top, right, bottom;
        } cases[] = {
            {dialog.Item(IDC_PANELS), 0, 0, 200, 40},
            {dialog.Item(IDC_RESULTS), 0, 40, 200, 100},
            {GetWindow(dialog.Item(IDC_RESULTS), GW_HWNDPREV), 0, 40, 0, 40},  // its label
            {dialog.Item(IDC_BROWSE_REGISTER), 200, 0, 200, 0},
            {dialog.Item(IDC_GAP), 0, 40, 0, 40},
            {dialog.Item(IDCANCEL), 200, 100, 200, 100},
        };
        std::vector<RECT> was;
        for (const auto& c : cases)
            was.push_back(PlaceIn(window, c.control));
        SetWindowPos(window, nullptr, 0, 0, before.right - before.left + 200,
                     before.bottom - before.top + 100, SWP_NOMOVE | SWP_NOZORDER);
        for (size_t i = 0; i < std::size(cases); ++i) {
            const RECT now = PlaceIn(window, cases[i].control);
            EXPECT_EQ(now.left - was[i].left, cases[i].left) << i;
            EXPECT_EQ(now.top - was[i].top, cases[i].top) << i;
            EXPECT_EQ(now.right - was[i].right, cases[i].right) << i;
            EXPECT_EQ(now.bottom - was[i].bottom, cases[i].bottom) << i;
        }
    }});
}

class MainDialog : public PopupScripted<CTarvexDlg> {};

TEST(CampaignDialog, OpensFromTheMainWindowOwnedByItAndCentredOnIt) {
    Scratch scratch;
    WriteTwoPanels(scratch);
    MainDialog main;
    HWND owner = nullptr;
    RECT outer{}, inner{};
    std::wstring caption;
    HWND mainWindow = nullptr;
    main.Run({[&] {
        mainWindow = main.m_hWnd;
        main.AnswerPopup([&](HWND campaign) {
            owner = GetWindow(campaign, GW_OWNER);
            caption = winsupport::WindowText(campaign);
            GetWindowRect(main.m_hWnd, &outer);
            GetWindowRect(campaign, &inner);
            SendMessageW(campaign, WM_COMMAND, IDCANCEL, 0);
        });
        main.Click(IDC_CAMPAIGN);
    }});
    EXPECT_EQ(caption, L"D\u016Fkaz kampan\u011B");
    EXPECT_EQ(owner, mainWindow);
    EXPECT_NEAR((outer.left + outer.right) / 2, (inner.left + inner.right) / 2, 1);
    EXPECT_NEAR((outer.top + outer.bottom) / 2, (inner.top + inner.bottom) / 2, 1);
}

}  // namespace
