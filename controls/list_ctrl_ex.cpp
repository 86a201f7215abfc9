#include "controls/list_ctrl_ex.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <iterator>
#include <string>

#include <shellapi.h>
#include <shlobj.h>

#include "framework/ole_drag.h"
#include "base/cp1250.h"
#include "framework/scoped_win.h"

namespace {

// Custom-draw stages and answers as the list sends and reads them.
constexpr DWORD kCellPrePaint = CDDS_ITEMPREPAINT | CDDS_SUBITEM;
constexpr DWORD kCellPostPaint = CDDS_ITEMPOSTPAINT | CDDS_SUBITEM;

// Longest cell text the wide request takes over from the narrow callback.
constexpr int kNarrowTextMax = 1024;

}  // namespace

const CRuntimeClass ListCtrlEx::classListCtrlEx{"ListCtrlEx", &CListCtrl::classCListCtrl};

const CRuntimeClass* ListCtrlEx::GetRuntimeClass() const {
    return &classListCtrlEx;
}

const MessageMap* ListCtrlEx::ThisMessageMap() {
    static const MessageMapEntry entries[] = {
        OnNotifyReflect(LVN_GETDISPINFOW, &ListCtrlEx::OnGetDispInfoW),
        OnNotifyReflect(LVN_GETDISPINFOA, &ListCtrlEx::OnGetDispInfoA),
        OnNotifyReflect(NM_CUSTOMDRAW, &ListCtrlEx::OnCustomDraw),
        OnKeyMessage(WM_CHAR, &ListCtrlEx::OnChar),
        OnDropFilesMessage(&ListCtrlEx::OnDropFiles),
        OnNotifyReflect(LVN_BEGINDRAG, &ListCtrlEx::OnBeginDrag),
        OnNotifyRange(TTN_NEEDTEXTW, 0, 0xFFFF, &ListCtrlEx::OnToolTipText),
        OnNotifyRange(TTN_NEEDTEXTA, 0, 0xFFFF, &ListCtrlEx::OnToolTipText),
        OnKeyMessage(WM_KEYDOWN, &ListCtrlEx::OnKeyDown),
        OnNotifyReflect(LVN_ODFINDITEMW, &ListCtrlEx::OnFindItem),
    };
    static const MessageMap map{CWnd::ThisMessageMap(), entries, std::size(entries)};
    return &map;
}

const MessageMap* ListCtrlEx::GetMessageMap() const {
    return ThisMessageMap();
}

ListCtrlEx::~ListCtrlEx() {
    DestroyToolTip();  // the list's own destruction comes later and is not seen here
    m_Font4.DeleteObject();
    m_Font3.DeleteObject();
    m_Font2.DeleteObject();
    m_Font1.DeleteObject();
}

void ListCtrlEx::SetTextCallback(void* context, TextCallback callback) {
    m_pCallbackContext = context;
    if (callback != nullptr)
        m_pfnText = callback;
}

CFont& ListCtrlEx::StyleFont(int mode) {
    CFont* fonts[] = {&m_Font1, &m_Font2, &m_Font3, &m_Font4};
    return *fonts[mode >= 1 && mode <= 4 ? mode - 1 : 0];
}

// ---- Text requests --------------------------------------------------------------------

bool ListCtrlEx::OnGetDispInfoA(NMHDR* header, LRESULT* result) {
    auto* info = reinterpret_cast<NMLVDISPINFOA*>(header);
    if (m_pfnText != nullptr) {
        m_pfnText(m_pCallbackContext, reinterpret_cast<ListViewItem*>(&info->item));
    }
    *result = 0;
    return true;
}

// The callback writes Windows-1250: it fills a narrow copy of the record, and the text is
// widened into the list's buffer afterwards.
bool ListCtrlEx::OnGetDispInfoW(NMHDR* header, LRESULT* result) {
    *result = 0;
    if (m_pfnText == nullptr)
        return true;
    LVITEMW& wide = reinterpret_cast<NMLVDISPINFOW*>(header)->item;
    const bool wantsText = (wide.mask & LVIF_TEXT) != 0 && wide.pszText != nullptr &&
                           wide.pszText != LPSTR_TEXTCALLBACKW && wide.cchTextMax > 0;
    char narrowText[kNarrowTextMax] = {};
    LVITEMA narrow;
    std::memcpy(&narrow, &wide, sizeof narrow);
    narrow.pszText = wantsText ? narrowText : nullptr;
    narrow.cchTextMax = wantsText ? std::min(wide.cchTextMax, kNarrowTextMax) : 0;
    m_pfnText(m_pCallbackContext, reinterpret_cast<ListViewItem*>(&narrow));

    wchar_t* wideText = wide.pszText;
    int capacity = wide.cchTextMax;
    std::memcpy(&wide, &narrow,
                sizeof wide);  // fields other than the text, as the callback left them
    wide.pszText = wideText;
    wide.cchTextMax = capacity;
    if (!wantsText)
        return true;
    int i = 0;
    for (; i < narrow.cchTextMax - 1 && narrowText[i] != '\0'; ++i) {
        wideText[i] =
            static_cast<wchar_t>(Cp1250ToUnicode(static_cast<unsigned char>(narrowText[i])));
    }
    wideText[i] = L'\0';
    return true;
}

// ---- Type-ahead: the list asks its owner-data owner to find the typed text ------------

namespace {

std::wstring Folded(std::wstring text) {
    if (!text.empty())
        CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

}  // namespace

std::wstring ListCtrlEx::FirstColumnText(int row) const {
    char text[kNarrowTextMax] = {};
    ListViewItem item{};
    item.mask = kListItemText;
    item.iItem = row;
    item.pszText = text;
    item.cchTextMax = kNarrowTextMax;
    m_pfnText(m_pCallbackContext, &item);
    return ToWide(std::string_view(text, strnlen(text, kNarrowTextMax)));
}

int ListCtrlEx::FindRowByText(int start, const LVFINDINFOW& find) const {
    const int count = GetItemCount();
    if ((find.flags & (LVFI_STRING | LVFI_PARTIAL)) == 0 || find.psz == nullptr ||
        m_pfnText == nullptr || count <= 0) {
        return -1;
    }
    const std::wstring wanted = Folded(find.psz);
    const bool partial = (find.flags & LVFI_PARTIAL) != 0;
    if (start < 0 || start >= count)
        start = 0;
    const int rows = (find.flags & LVFI_WRAP) != 0 ? count : count - start;
    for (int i = 0; i < rows; ++i) {
        const int row = (start + i) % count;
        const std::wstring text = Folded(FirstColumnText(row));
        if (partial ? text.starts_with(wanted) : text == wanted)
            return row;
    }
    return -1;
}

// Unanswered, the request would select row 0 whatever was typed.
bool ListCtrlEx::OnFindItem(NMHDR* header, LRESULT* result) {
    const auto& request = *reinterpret_cast<const NMLVFINDITEMW*>(header);
    *result = FindRowByText(request.iStart, request.lvfi);
    return true;
}

// ---- Custom draw ----------------------------------------------------------------------

bool ListCtrlEx::OnCustomDraw(NMHDR* header, LRESULT* result) {
    auto& draw = *reinterpret_cast<NMLVCUSTOMDRAW*>(header);
    switch (draw.nmcd.dwDrawStage) {
        case CDDS_PREPAINT:
            *result = CDRF_NOTIFYITEMDRAW;
            break;
        case CDDS_ITEMPREPAINT:
            *result = CDRF_NOTIFYSUBITEMDRAW;
            break;
        case kCellPrePaint:
            *result = CellPrePaint(draw);
            break;
        case kCellPostPaint:
            if (m_hSavedFont != nullptr) {
                SelectObject(draw.nmcd.hdc, m_hSavedFont);
                m_hSavedFont = nullptr;
            }
            *result = CDRF_DODEFAULT;
            break;
        default:
            *result = CDRF_DODEFAULT;
            break;
    }
    return true;
}

LRESULT ListCtrlEx::CellPrePaint(NMLVCUSTOMDRAW& draw) {
    COLORREF text = draw.clrText;
    COLORREF background = draw.clrTextBk;
    uint32_t style = 0;
    const int row = static_cast<int>(draw.nmcd.dwItemSpec);
    if (m_pfnCellStyle != nullptr) {
        m_pfnCellStyle(m_pCallbackContext, row, draw.iSubItem, &text, &background, &style);
    }
    draw.clrText = text;
    draw.clrTextBk = background;
    const uint32_t mode = style & kStyleModeMask;
    if (mode >= 1 && mode <= 4) {
        HFONT font = StyleFont(static_cast<int>(mode)).GetSafeHandle();
        // An empty font object selects nothing, so there is nothing to put back either.
        HGDIOBJ replaced = font != nullptr ? SelectObject(draw.nmcd.hdc, font) : nullptr;
        m_hSavedFont = replaced != HGDI_ERROR ? static_cast<HFONT>(replaced) : nullptr;
        return CDRF_NEWFONT | CDRF_NOTIFYPOSTPAINT;
    }
    if (mode == kStyleBar) {
        DrawBarCell(draw.nmcd.hdc, row, draw.iSubItem, text, background, style);
        return CDRF_SKIPDEFAULT;
    }
    return CDRF_DODEFAULT;
}

void ListCtrlEx::DrawBarCell(HDC dc, int row, int column, COLORREF text, COLORREF background,
                             uint32_t style) {
    RECT cell{};
    GetSubItemRect(row, column, LVIR_BOUNDS, cell);
    const std::wstring label = GetItemText(row, column);
    const bool selected = (GetItemState(row, LVIS_SELECTED) & LVIS_SELECTED) != 0;
    COLORREF textColour = text;
    COLORREF fill = background;
    if (selected) {
        const bool focused = GetFocus() == m_hWnd;
        textColour = GetSysColor(focused ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
        fill = GetSysColor(focused ? COLOR_HIGHLIGHT : COLOR_BTNFACE);
    }
    if (IsRectEmpty(&cell))
        return;

    cell.bottom -= 1;  // keep the grid lines visible
    cell.left += 1;
    const ScopedBrush ground(CreateSolidBrush(selected ? fill : GetSysColor(COLOR_WINDOW)));
    FillRect(dc, &cell, ground.get());

    const uint32_t numerator = (style >> 16) & 0xFF;
    const uint32_t denominator = (style >> 24) & 0xFF;
    if (numerator > 0 && denominator > 0) {
        RECT bar = cell;
        const double share = static_cast<double>(numerator) / denominator;
        bar.right = bar.left + static_cast<LONG>(std::trunc(share * (cell.right - cell.left)));
        const ScopedBrush brush(CreateSolidBrush(fill));
        FillRect(dc, &bar, brush.get());
    }

    RECT textRect = cell;
    InflateRect(&textRect, -1, -1);
    const ScopedTextSettings settings(dc, TRANSPARENT, textColour);
    DrawTextW(dc, label.c_str(), static_cast<int>(label.size()), &textRect,
              DT_SINGLELINE | DT_VCENTER | DT_CENTER);
}

// ---- Interaction hooks: with none installed the list behaves as the platform's -------

namespace {

// True when the code is in the table: the message then ends here, callback or not.
bool DivertKey(const KeyHookTable& table, uint32_t code) {
    const uint32_t count = std::min<uint32_t>(table.count, std::size(table.codes));
    for (uint32_t i = 0; i < count; ++i) {
        if (table.codes[i] == code) {
            if (table.callback != nullptr)
                table.callback(table.context, code);
            return true;
        }
    }
    return false;
}

bool FillKeyHooks(KeyHookTable& table, void* context, KeyHookCallback callback,
                  std::initializer_list<uint32_t> codes) {
    if (codes.size() > std::size(table.codes))
        return false;
    table = KeyHookTable{context, callback, {}, static_cast<uint32_t>(codes.size())};
    std::copy(codes.begin(), codes.end(), table.codes);
    return true;
}

// The drag payload: the file-list header, one narrow path and the zero that ends the list.
constexpr size_t kDragPathBytes = MAX_PATH;
static_assert(sizeof(DROPFILES) == 20);
constexpr size_t kDragBlockBytes = sizeof(DROPFILES) + kDragPathBytes + 1;

// A point packed into 32 bits as in mouse messages, each coordinate signed.
POINT UnpackPoint(DWORD packed) {
    return POINT{static_cast<short>(LOWORD(packed)), static_cast<short>(HIWORD(packed))};
}

constexpr WPARAM kTipMaxWidth = 600;        // pixels; longer texts wrap
constexpr LPARAM kTipAutoPopDelay = 20000;  // milliseconds

}  // namespace

bool ListCtrlEx::SetCharHooks(void* context, KeyHookCallback callback,
                              std::initializer_list<uint32_t> codes) {
    return FillKeyHooks(m_CharHooks, context, callback, codes);
}

bool ListCtrlEx::SetKeyDownHooks(void* context, KeyHookCallback callback,
                                 std::initializer_list<uint32_t> codes) {
    return FillKeyHooks(m_KeyDownHooks, context, callback, codes);
}

void ListCtrlEx::OnChar(UINT code, UINT, UINT) {
    if (!DivertKey(m_CharHooks, code))
        Default();
}

void ListCtrlEx::OnKeyDown(UINT code, UINT, UINT) {
    if (!DivertKey(m_KeyDownHooks, code))
        Default();
}

LVHITTESTINFO ListCtrlEx::HitCell(POINT point) const {
    LVHITTESTINFO hit{};
    hit.pt = point;
    SendMessage(LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    return hit;
}

void ListCtrlEx::AcceptDroppedFiles(bool accept) {
    DragAcceptFiles(m_hWnd, accept ? TRUE : FALSE);
}

// The drop handle stays the owner's and the platform's: not read here, not released.
void ListCtrlEx::OnDropFiles(HDROP drop) {
    if (m_pfnDrop != nullptr) {
        POINT point{};
        DragQueryPoint(drop, &point);
        const LVHITTESTINFO hit = HitCell(point);
        m_pfnDrop(m_pCallbackContext, hit.iItem, hit.iSubItem, drop);
    }
    Default();
}

bool ListCtrlEx::OnBeginDrag(NMHDR* header, LRESULT* result) {
    *result = 0;
    if (m_pfnDrag == nullptr)
        return true;
    const auto& view = *reinterpret_cast<const NMLISTVIEW*>(header);
    char path[kDragPathBytes] = {};
    if (m_pfnDrag(m_pCallbackContext, view.iItem, view.iSubItem, path) == 0)
        return true;

    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT | GMEM_DDESHARE, kDragBlockBytes);
    if (block == nullptr)
        return true;
    auto* files = static_cast<DROPFILES*>(GlobalLock(block));
    if (files == nullptr) {
        GlobalFree(block);
        return true;
    }
    files->pFiles = sizeof(DROPFILES);
    files->fWide = FALSE;
    // A callback that filled all 260 bytes still leaves the zero at the block's end.
    std::memcpy(reinterpret_cast<char*>(files) + sizeof(DROPFILES), path,
                strnlen(path, kDragPathBytes));
    GlobalUnlock(block);

    COleDataSource source;  // owns the block from here on and frees it when it goes
    FORMATETC description{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    source.CacheGlobalData(CF_HDROP, block, &description);
    source.DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE);
    return true;
}

// ---- Tool tips ------------------------------------------------------------------------

// One tool per cell, all covering the whole list: a new cell means a new tool, and the tip
// window asks for the new cell's text.
INT_PTR ListCtrlEx::OnToolHitTest(POINT point, TTTOOLINFOW* info) const {
    const LVHITTESTINFO hit = HitCell(point);
    if ((hit.flags & m_wHitMask) == 0)
        return -1;
    const INT_PTR id = static_cast<INT_PTR>(hit.iItem) * 100 + hit.iSubItem;
    if (info != nullptr) {
        info->hwnd = m_hWnd;
        info->uId = static_cast<UINT_PTR>(id);
        GetClientRect(m_hWnd, &info->rect);
        info->lpszText = LPSTR_TEXTCALLBACKW;
    }
    return id;
}

bool ListCtrlEx::OnToolTipText(NMHDR* header, LRESULT* result) {
    *result = 0;
    if (m_pfnTip == nullptr)
        return false;
    const bool wide = header->code == TTN_NEEDTEXTW;
    const UINT flags = wide ? reinterpret_cast<const NMTTDISPINFOW*>(header)->uFlags
                            : reinterpret_cast<const NMTTDISPINFOA*>(header)->uFlags;
    // The list's own tips (for cut-off labels) are the list's business.
    if (header->idFrom == reinterpret_cast<UINT_PTR>(m_hWnd) && (flags & TTF_IDISHWND) != 0)
        return false;

    POINT point = UnpackPoint(GetMessagePos());
    ScreenToClient(m_hWnd, &point);
    const LVHITTESTINFO hit = HitCell(point);
    if ((hit.flags & m_wHitMask) == 0)
        return false;
    const wchar_t* text = m_pfnTip(m_pCallbackContext, hit.iItem, hit.iSubItem);
    // A narrow request cannot take the wide text; it gets nothing.
    if (wide && text != nullptr) {
        reinterpret_cast<NMTTDISPINFOW*>(header)->lpszText = const_cast<wchar_t*>(text);
        ::SendMessageW(header->hwndFrom, TTM_SETMAXTIPWIDTH, 0, kTipMaxWidth);
        ::SendMessageW(header->hwndFrom, TTM_SETDELAYTIME, TTDT_AUTOPOP, kTipAutoPopDelay);
    }
    return false;  // the request goes on to the list's default handling
}

bool ListCtrlEx::EnableToolTips(bool enable) {
    if (!enable) {
        DestroyToolTip();
        return true;
    }
    if (m_hToolTip == nullptr && m_hWnd != nullptr) {
        m_hToolTip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                     WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                     CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_hWnd, nullptr,
                                     GetModuleHandleW(nullptr), nullptr);
    }
    return m_hToolTip != nullptr;
}

void ListCtrlEx::DestroyToolTip() {
    // The tip window belongs to the dialog, which may have destroyed it already.
    if (m_hToolTip != nullptr && IsWindow(m_hToolTip))
        DestroyWindow(m_hToolTip);
    m_hToolTip = nullptr;
    m_nToolId = -1;
}

BOOL ListCtrlEx::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_DESTROY) {
        DestroyToolTip();
    } else if (m_hToolTip != nullptr && message >= WM_MOUSEFIRST && message <= WM_MBUTTONDBLCLK) {
        RelayToToolTip(message, wParam, lParam);
    }
    return CListCtrl::OnWndMsg(message, wParam, lParam, result);
}

// What a frame's message filter does for tool tips, for the list's own mouse messages.
void ListCtrlEx::RelayToToolTip(UINT message, WPARAM wParam, LPARAM lParam) {
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;  // older tip windows refuse the larger record
    const INT_PTR id = OnToolHitTest(UnpackPoint(static_cast<DWORD>(lParam)), &tool);
    if (id != m_nToolId) {
        if (m_nToolId != -1) {
            TTTOOLINFOW old{};
            old.cbSize = TTTOOLINFOW_V2_SIZE;
            old.hwnd = m_hWnd;
            old.uId = static_cast<UINT_PTR>(m_nToolId);
            ::SendMessageW(m_hToolTip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&old));
        }
        if (id != -1)
            ::SendMessageW(m_hToolTip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        m_nToolId = id;
    }
    if (id == -1)
        return;
    MSG relayed{m_hWnd,
                message,
                wParam,
                lParam,
                static_cast<DWORD>(GetMessageTime()),
                UnpackPoint(GetMessagePos())};
    ::SendMessageW(m_hToolTip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}
