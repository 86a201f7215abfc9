// The count of the campaign dialog: the booking read, the worker started and followed, the
// result written by the worker and shown; and the check of a page written earlier.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iterator>
#include <utility>
#include <variant>

#include "app/campaign_dlg.h"
#include "app/dialog_columns.h"
#include "app/resource.h"
#include "app/shell_pickers.h"
#include "app/text_list_dlg.h"
#include "base/cp1250.h"
#include "base/moment.h"
#include "base/win32_types.h"
#include "campaign/calendar.h"
#include "campaign/window_time.h"
#include "framework/font_cursor.h"
#include "framework/message_box.h"
#include "reports/campaign_files.h"
#include "reports/campaign_texts.h"
#include "reports/evidence_check.h"
#include "reports/page_time.h"
#include "reports/recount.h"
#include "reports/report_file.h"
#include "reports/report_messages.h"
#include "reports/report_paths.h"
#include "userlocale/user_decimal_separator.h"

namespace {

constexpr Cp1250Literal kNoBooking{"Zadejte soubor objednávky."};
constexpr Cp1250Literal kNoPanels{"Přidejte aspoň jeden panel: složku s log\\AVI_*.txt."};
constexpr Cp1250Literal kCannotReadBooking{"Objednávku nelze přečíst: "};
constexpr Cp1250Literal kBookingErrorsTitle{"Chyby v objednávce"};
constexpr Cp1250Literal kCannotReadFile{"Soubor nelze přečíst: "};
constexpr Cp1250Literal kOperatorErrorsTitle{"Chyby v registru panelů a v souboru publika"};
constexpr Cp1250Literal kNothingWritten{"Nic nebylo uloženo."};
constexpr Cp1250Literal kStopped{"Vyhodnocení bylo přerušeno; nic nebylo uloženo."};
constexpr Cp1250Literal kCannotReadLog{"Log nelze přečíst: "};
constexpr Cp1250Literal kCountFailed{"Vyhodnocení selhalo: "};
constexpr Cp1250Literal kSaved{"Uloženo: "};
constexpr Cp1250Literal kMissingLogs{"Chybí logy: "};
constexpr Cp1250Literal kOutages{"Výpadků: "};
constexpr Cp1250Literal kVerifyTitle{"Ověření stránky"};
constexpr Cp1250Literal kCannotReadPage{"Důkaz nelze přečíst: "};
constexpr Cp1250Literal kCannotCreateFolder{"Složku report nelze vytvořit: "};

// A row of the result list: a booking line on a panel.
struct ResultRow {
    const BookingLine& line;
    const LineFigures& figures;
    const CampaignPanel& panel;
    FiguresTotal total;
};

// The result list's columns, left to right: the campaign's title, the width in dialog units and
// the cell's text (Windows-1250). The counts stand right-aligned from the first of them on; the
// contacts, last, only when the count had audience data.
struct ResultColumn {
    CampaignColumn title;
    int width;
    std::string (*cell)(const ResultRow& row);
};
constexpr ResultColumn kResultColumns[] = {
    {kClientColumn, 55, [](const ResultRow& row) { return row.line.client; }},
    {kCampaignColumn, 55, [](const ResultRow& row) { return row.line.campaign; }},
    {kSpotColumn, 70, [](const ResultRow& row) { return row.line.spot; }},
    {kPanelColumn, 70, [](const ResultRow& row) { return PanelNameText(row.panel); }},
    {kTownColumn, 45, [](const ResultRow& row) { return PanelTownText(row.panel); }},
    {kBookedColumn, 42, [](const ResultRow& row) { return std::to_string(row.total.booked); }},
    {kDeliveredColumn, 45,
     [](const ResultRow& row) { return std::to_string(row.total.delivered); }},
    {kPercentColumn, 32,
     [](const ResultRow& row) { return PercentText(row.total, UserDecimalSeparator()); }},
    {kDaysShortColumn, 72,
     [](const ResultRow& row) { return std::to_string(row.total.daysShort); }},
    {kAvailabilityColumn, 45,
     [](const ResultRow& row) {
         return ShareText(Availability(row.figures.time), 1, UserDecimalSeparator());
     }},
    {kShareOfTimeColumn, 42,
     [](const ResultRow& row) {
         return ShareText(ShareOfTime(row.figures.playedSeconds, row.figures.time), 2,
                          UserDecimalSeparator());
     }},
    {kEstimatedContactsColumn, 58,
     [](const ResultRow& row) {
         return row.panel.audience.Empty() ? std::string()
                                           : std::to_string(std::llround(row.figures.impressions));
     }},
};
constexpr int kResultColumnCount = static_cast<int>(std::size(kResultColumns));
constexpr int kFirstCountColumn = 5;
static_assert(kResultColumns[kFirstCountColumn].title == kBookedColumn);
constexpr int kContactsColumn = kResultColumnCount - 1;
static_assert(kResultColumns[kContactsColumn].title == kEstimatedContactsColumn);

bool HasAudience(const std::vector<CampaignPanel>& panels) {
    return std::any_of(panels.begin(), panels.end(),
                       [](const CampaignPanel& panel) { return !panel.audience.Empty(); });
}

constexpr wchar_t kPageFilter[] = L"Stránka kampaně (*.html;*.sha256)\0*.html;*.sha256\0";

// The text of a result cell, Windows-1250.
std::string ResultCell(const CCampaignDlg& dialog, int row, int column) {
    if (column < 0 || column >= kResultColumnCount)
        return "";
    const LineFigures& figures = dialog.m_result.figures[static_cast<size_t>(row)];
    const BookingLine& line = dialog.m_booking.booking.lines[figures.line];
    const ResultRow cells{line, figures, dialog.m_countedPanels[figures.panel],
                          TotalOf(line, figures)};
    return kResultColumns[column].cell(cells);
}

void GetResultText(void* context, ListViewItem* item) {
    if ((item->mask & kListItemText) == 0 || item->pszText == nullptr || item->cchTextMax <= 0)
        return;
    const auto& dialog = *static_cast<const CCampaignDlg*>(context);
    item->pszText[0] = '\0';
    if (item->iItem >= 0 && item->iItem < static_cast<int>(dialog.m_result.figures.size()))
        std::snprintf(item->pszText, static_cast<size_t>(item->cchTextMax), "%s",
                      ResultCell(dialog, item->iItem, item->iSubItem).c_str());
}

// A booking line and panel that got less than booked on some day stands out in red.
void StyleResultCell(void* context, int32_t row, int32_t, COLORREF* text, COLORREF*, uint32_t*) {
    const auto& dialog = *static_cast<const CCampaignDlg*>(context);
    if (row < 0 || row >= static_cast<int32_t>(dialog.m_result.figures.size()))
        return;
    const LineFigures& figures = dialog.m_result.figures[static_cast<size_t>(row)];
    if (TotalOf(dialog.m_booking.booking.lines[figures.line], figures).daysShort > 0)
        *text = RGB(192, 0, 0);
}
}  // namespace

// The one place where the dialog's settings reach the count and the report writers.
CCampaignDlg::CoreSettings CCampaignDlg::SettingsForCore() const {
    CoreSettings settings{};
    settings.count.gapMinutes = m_nGapMinutes;
    settings.count.asOfDay = DayNumber({m_asOf.year, m_asOf.month, m_asOf.day});
    settings.perClientFiles = m_bPerClient != 0;
    settings.playLists = m_bPlayLists != 0;
    return settings;
}

// The contacts' column stands in the list only while the count shown had audience data.
void CCampaignDlg::SetUpResultList() {
    std::string_view titles[kResultColumnCount];
    int widths[kResultColumnCount];
    for (int i = 0; i < kResultColumnCount; ++i) {
        titles[i] = CampaignColumnTitle(kResultColumns[i].title);
        widths[i] = kResultColumns[i].width;
    }
    SetUpDialogColumns(m_resultList, titles, widths, kResultColumnCount, kFirstCountColumn);
    m_resultList.DeleteColumn(kContactsColumn);
    m_resultList.SetTextCallback(this, GetResultText);
    m_resultList.SetCellStyleCallback(StyleResultCell);
    m_resultList.SetItemCountEx(0);
}

void CCampaignDlg::ShowLines(const std::string& title, const std::string& lines) {
    CTextListDlg box(title, lines, this);
    box.DoModal();
}

// --- the count ----------------------------------------------------------------------------

// A gap refused as the edit lost the focus has been said already; the caret is back there.
bool CCampaignDlg::GapAccepted() {
    if (m_nGapMinutes >= kShortestGap && m_nGapMinutes <= kLongestGap)
        return true;
    if (GetFocus() == GetDlgItem(IDC_GAP))
        return false;
    for (int32_t i = 0; i < BindingCount(); ++i) {
        if (Binding(i).controlId == IDC_GAP)
            ReadControl(i, true);  // says why, and puts the caret there
    }
    return false;
}

// The panel register and audience file of their fields, none where a field is empty; their
// errors are listed as the booking's are, and nothing is counted then.
bool CCampaignDlg::ReadChosenOperatorFiles() {
    OperatorFiles& files = m_pendingOperatorFiles;
    files = OperatorFiles{};
    files.registerPath = ToCp1250(::WindowText(GetDlgItem(IDC_REGISTER_PATH)));
    files.audiencePath = ToCp1250(::WindowText(GetDlgItem(IDC_AUDIENCE_PATH)));
    std::string failed, reason;
    if (!ReadOperatorFiles(files, failed, reason)) {
        ShowMessageBox(m_hWnd, kCannotReadFile.str() + failed + ": " + reason, BoxTitle::kProduct,
                       MB_OK | MB_ICONSTOP);
        return false;
    }
    std::string lines;
    for (const BookingError& error : files.panelRegister.errors)
        lines += BookingErrorText(files.registerPath, error) + "\n";
    for (const BookingError& error : files.audience.errors)
        lines += BookingErrorText(files.audiencePath, error) + "\n";
    if (lines.empty())
        return true;
    ShowLines(kOperatorErrorsTitle.str(), lines + kNothingWritten.str());
    return false;
}

void CCampaignDlg::OnEvaluate() {
    if (m_count.Running() || !GapAccepted())
        return;
    const std::string path = ToCp1250(::WindowText(GetDlgItem(IDC_BOOKING_PATH)));
    if (path.empty()) {
        ShowMessageBox(m_hWnd, kNoBooking, BoxTitle::kProduct, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    if (m_panels.Folders().empty()) {
        ShowMessageBox(m_hWnd, kNoPanels, BoxTitle::kProduct, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    std::string reason;
    if (!ReadBookingFile(path, m_pendingBooking, reason)) {
        ShowMessageBox(m_hWnd, kCannotReadBooking.str() + path + ": " + reason, BoxTitle::kProduct,
                       MB_OK | MB_ICONSTOP);
        return;
    }
    if (!m_pendingBooking.booking.errors.empty()) {
        std::string lines;
        for (const BookingError& error : m_pendingBooking.booking.errors)
            lines += BookingErrorText(path, error) + "\n";
        ShowLines(kBookingErrorsTitle.str(), lines + kNothingWritten.str());
        return;
    }
    if (!ReadChosenOperatorFiles())
        return;
    CoreSettings settings = SettingsForCore();
    settings.count.madeAt = ReproducibleNow();
    m_pendingPanels = m_panels.Panels();
    // A panel the register lacks keeps its folder's name, as on the command line.
    static_cast<void>(ApplyOperatorFiles(m_pendingOperatorFiles, m_pendingPanels));
    m_playLists.reset();
    if (settings.playLists)
        m_playLists = std::make_unique<PlayListParts>(
            BookingName(m_pendingBooking.path), m_pendingBooking.booking.lines, m_pendingPanels);
    settings.count.plays = m_playLists.get();
    m_pendingCount = settings.count;
    m_pendingPerClient = settings.perClientFiles;
    SetCounting(true);
    m_count.Start(m_hWnd, m_pendingBooking.booking.lines, m_pendingPanels, settings.count,
                  [this](const CampaignResult& result) { WriteCounted(result); });
}

// On the worker thread, so that a network's thousands of files keep no message waiting: it
// touches no control, only what the dialog reads once the worker has ended.
void CCampaignDlg::WriteCounted(const CampaignResult& result) {
    const CampaignReport report =
        MakeCampaignReport(m_pendingBooking, m_pendingPanels, result, m_pendingCount,
                           m_pendingPerClient, m_pendingOperatorFiles);
    // A folder that cannot be made is the files' reason.
    static_cast<void>(EnsureReportFolder(nullptr));
    m_writtenName = report.name;
    m_writtenPaths.clear();
    m_written =
        WriteCampaignProofs(report, PageTimeAt(static_cast<std::time_t>(m_pendingCount.madeAt)),
                            m_pendingPerClient, m_writtenPaths, m_playLists.get());
}

// While counting, only "Přerušit" and "Zavřít" can be pressed.
void CCampaignDlg::SetCounting(bool counting) {
    for (HWND control = GetWindow(m_hWnd, GW_CHILD); control != nullptr;
         control = GetWindow(control, GW_HWNDNEXT)) {
        const int id = GetDlgCtrlID(control);
        if (id == IDC_STOP)
            ::EnableWindow(control, counting);
        else if (id != IDCANCEL && id != IDC_PROGRESS && id != IDC_OPEN_PAGE)
            ::EnableWindow(control, !counting);
    }
    ::EnableWindow(GetDlgItem(IDC_OPEN_PAGE), !counting && !m_pagePath.empty());
    SendDlgItemMessageW(m_hWnd, IDC_PROGRESS, PBM_SETPOS, 0, 0);
    if (counting)
        SetDlgItemTextW(m_hWnd, IDC_RESULT_NOTE, L"");
    // The focus leaves the button that is disabled now, or keys would reach no control.
    const int focus = counting ? IDC_STOP : IDC_RESULTS;
    SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(focus)), TRUE);
}

void CCampaignDlg::OnStop() {
    m_count.RequestStop();
}

// Counted: the files are written now, unless the dialog is asking whether to close. A stop could
// no longer come between, so "Přerušit" is greyed.
void CCampaignDlg::OnCounted() {
    if (!m_count.Running())
        return;
    m_countedUnwritten = true;
    if (m_askingToClose)
        return;
    m_countedUnwritten = false;
    if (GetFocus() == GetDlgItem(IDC_STOP))
        SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(IDCANCEL)), TRUE);
    ::EnableWindow(GetDlgItem(IDC_STOP), FALSE);
    m_writing = true;
    m_count.Write();
}

void CCampaignDlg::OnCountProgress(WPARAM permille) {
    if (m_count.Running())
        SendDlgItemMessageW(m_hWnd, IDC_PROGRESS, PBM_SETPOS, permille, 0);
}

void CCampaignDlg::OnCountDone() {
    if (!m_count.Running())
        return;
    m_count.Join();
    m_playLists.reset();  // its parts go, joined into the lists or not
    m_writing = false;
    SetCounting(false);
    if (!m_count.Failure().empty()) {
        ShowMessageBox(m_hWnd,
                       kCountFailed.str() + m_count.Failure() + "\n" + kNothingWritten.str(),
                       BoxTitle::kProduct, MB_OK | MB_ICONSTOP);
        return;
    }
    std::visit([this](auto&& outcome) { OnOutcome(std::move(outcome)); }, m_count.TakeOutcome());
}

void CCampaignDlg::OnOutcome(const CampaignStopped&) {
    SetDlgItemTextW(m_hWnd, IDC_RESULT_NOTE, ToWide(kStopped.str()).c_str());
}

void CCampaignDlg::OnOutcome(const UnreadableLog& log) {
    ShowMessageBox(
        m_hWnd, kCannotReadLog.str() + log.path + ": " + log.reason + "\n" + kNothingWritten.str(),
        BoxTitle::kProduct, MB_OK | MB_ICONSTOP);
}

// Shows the rows of the proof the worker has written.
void CCampaignDlg::OnOutcome(CampaignResult&& result) {
    m_booking = std::move(m_pendingBooking);
    m_countedPanels = std::move(m_pendingPanels);
    m_result = std::move(result);
    m_pagePath =
        Succeeded(m_written) ? CampaignReportPath(m_writtenName, ReportFileType::kHtml) : "";
    ShowResult();
    SetDlgItemTextW(m_hWnd, IDC_RESULT_NOTE, ToWide(ResultNote()).c_str());
    ::EnableWindow(GetDlgItem(IDC_OPEN_PAGE), !m_pagePath.empty());
    if (!Succeeded(m_written))
        ShowMessageBox(m_hWnd, ReportFailureMessage(m_written), BoxTitle::kReport,
                       MB_OK | MB_ICONSTOP);
}

void CCampaignDlg::ShowResult() {
    const bool shown = m_resultList.GetColumnCount() > kContactsColumn;
    if (HasAudience(m_countedPanels) && !shown) {
        const std::string_view title = CampaignColumnTitle(kEstimatedContactsColumn);
        RECT width{0, 0, kResultColumns[kContactsColumn].width, 0};
        MapDialogRect(m_hWnd, &width);
        m_resultList.InsertColumn(kContactsColumn, title, LVCFMT_RIGHT, width.right);
    } else if (!HasAudience(m_countedPanels) && shown) {
        m_resultList.DeleteColumn(kContactsColumn);
    }
    m_resultList.SetItemCountEx(static_cast<int>(m_result.figures.size()), 0);
    InvalidateRect(m_resultList.m_hWnd, nullptr, TRUE);
}

// The overview's plays lists, when they were written.
std::string CCampaignDlg::ListsNote() const {
    const std::string people = PeopleListPath(m_writtenName);
    if (std::find(m_writtenPaths.begin(), m_writtenPaths.end(), people) == m_writtenPaths.end())
        return "";
    return ", " + people + ", " + PlayoutListPath(m_writtenName);
}

std::string CCampaignDlg::ResultNote() const {
    std::string note;
    if (!m_pagePath.empty())
        note = kSaved.str() + CampaignReportPath(m_writtenName, ReportFileType::kCsv) + ", " +
               m_pagePath + ListsNote() + ". ";
    if (!m_result.missingLogs.empty()) {
        note += kMissingLogs.str();
        for (size_t i = 0; i < m_result.missingLogs.size(); ++i)
            note += (i == 0 ? "" : ", ") + m_result.missingLogs[i].path;
        note += ". ";
    }
    return note + kOutages.str() + std::to_string(m_result.outages.size()) + ".";
}

// --- pages and closing ----------------------------------------------------------------------

void CCampaignDlg::OnOpenPage() {
    if (!m_pagePath.empty())
        ShellExecuteW(m_hWnd, L"open", ToWide(m_pagePath).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void CCampaignDlg::OnOpenFolder() {
    std::string reason;
    if (!EnsureReportFolder(&reason)) {
        ShowMessageBox(m_hWnd, kCannotCreateFolder.str() + reason, BoxTitle::kProduct,
                       MB_OK | MB_ICONSTOP);
        return;
    }
    ShellExecuteW(m_hWnd, L"open", L"report", nullptr, nullptr, SW_SHOWNORMAL);
}

void CCampaignDlg::OnVerify() {
    std::wstring picked;
    if (!PickOpenFile(m_hWnd, kPageFilter, picked))
        return;
    VerifyPage(ToCp1250(RelativeToWorkingFolder(picked)));
}

void CCampaignDlg::VerifyPage(const std::string& path) {
    const ProofCheck check = CheckProof(path);
    switch (check.outcome) {
        case ProofCheckOutcome::kUnreadable:
            ShowMessageBox(m_hWnd,
                           kCannotReadPage.str() + path + ": " + Utf8ToCp1250(check.problem),
                           BoxTitle::kProduct, MB_OK | MB_ICONSTOP);
            return;
        case ProofCheckOutcome::kNotAProof:
            ShowMessageBox(m_hWnd, path + " " + Utf8ToCp1250(check.problem), BoxTitle::kProduct,
                           MB_OK | MB_ICONEXCLAMATION);
            return;
        case ProofCheckOutcome::kChecked:
            break;
    }
    std::string lines;
    for (const std::string& line : check.lines) {
        lines += Utf8ToCp1250(line) + "\n";
    }
    if (m_bRecount != 0) {
        const CWaitCursor wait;
        for (const std::string& line : RecountProof(path).lines)
            lines += Utf8ToCp1250(line) + "\n";
    }
    ShowLines(kVerifyTitle.str(), lines);
}

// Enter in the dialog presses no button unless a control takes it (the panel path adds).
