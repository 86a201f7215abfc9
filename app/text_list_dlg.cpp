#include "app/text_list_dlg.h"

#include <cstring>
#include <iterator>
#include <utility>

#include "app/resource.h"

namespace {

// Margin and button size in pixels of the box as the template lays it out.
struct Layout {
    int margin;
    SIZE button;
};

Layout LayoutOf(HWND box) {
    RECT button{};
    GetWindowRect(GetDlgItem(box, IDOK), &button);
    RECT units{7, 0, 0, 0};
    MapDialogRect(box, &units);
    return {units.left, {button.right - button.left, button.bottom - button.top}};
}

// An edit control wants CR LF between lines.
std::wstring WithCrLf(const std::wstring& text) {
    std::wstring shown;
    for (const wchar_t c : text) {
        if (c == L'\n')
            shown += L'\r';
        shown += c;
    }
    return shown;
}

}  // namespace

CTextListDlg::CTextListDlg(std::string title, std::string lines, CWnd* parent)
    : CDialog(IDD_TEXT_LIST, parent), m_title(std::move(title)), m_lines(std::move(lines)) {}

const MessageMap* CTextListDlg::ThisMessageMap() {
    static const MessageMapEntry entries[] = {
        OnControl(BN_CLICKED, IDC_COPY, &CTextListDlg::OnCopy),
    };
    static const MessageMap map{CDialog::ThisMessageMap(), entries, std::size(entries)};
    return &map;
}

const MessageMap* CTextListDlg::GetMessageMap() const {
    return ThisMessageMap();
}

BOOL CTextListDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetWindowText(m_title);
    SetDlgItemTextW(m_hWnd, IDC_LINES, WithCrLf(ToWide(m_lines)).c_str());
    RECT window{};
    GetWindowRect(m_hWnd, &window);
    m_minimum = {(window.right - window.left) / 2, (window.bottom - window.top) / 2};
    return TRUE;
}

std::wstring CTextListDlg::ShownText() const {
    return ::WindowText(GetDlgItem(IDC_LINES));
}

// The edit fills the box above the row of buttons: Kopírovat on the left, OK on the right.
void CTextListDlg::LayOut(int width, int height) {
    const Layout layout = LayoutOf(m_hWnd);
    const int buttonTop = height - layout.margin - layout.button.cy;
    MoveWindow(GetDlgItem(IDC_LINES), layout.margin, layout.margin, width - 2 * layout.margin,
               buttonTop - 2 * layout.margin, TRUE);
    MoveWindow(GetDlgItem(IDC_COPY), layout.margin, buttonTop, layout.button.cx, layout.button.cy,
               TRUE);
    MoveWindow(GetDlgItem(IDOK), width - layout.margin - layout.button.cx, buttonTop,
               layout.button.cx, layout.button.cy, TRUE);
}

BOOL CTextListDlg::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_SIZE && m_hWnd != nullptr && GetDlgItem(IDOK) != nullptr) {
        LayOut(LOWORD(lParam), HIWORD(lParam));
    } else if (message == WM_GETMINMAXINFO && m_minimum.cx > 0) {
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        info->ptMinTrackSize = {m_minimum.cx, m_minimum.cy};
        *result = 0;
        return TRUE;
    }
    return CDialog::OnWndMsg(message, wParam, lParam, result);
}

void CTextListDlg::OnCopy() {
    const std::wstring text = ShownText();
    if (!OpenClipboard(m_hWnd))
        return;
    EmptyClipboard();
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
        std::memcpy(GlobalLock(memory), text.c_str(), bytes);
        GlobalUnlock(memory);
        if (SetClipboardData(CF_UNICODETEXT, memory) == nullptr)
            GlobalFree(memory);
    }
    CloseClipboard();
}
