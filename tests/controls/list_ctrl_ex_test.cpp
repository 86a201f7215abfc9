#include "controls/list_ctrl_ex.h"

#include <gtest/gtest.h>

#include <ole2.h>
#include <shlobj.h>

#include <cstring>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "tests/winsupport/scripted_dialog.h"
#include "tests/winsupport/test_resource.h"

using winsupport::kScriptLeftOpen;
using winsupport::ScriptedDialog;

namespace {

// "Žluťoučký kůň" in Windows-1250 and in UTF-16.
const char kCzech[] = "\x8Elu\x9Dou\xE8k\xFD k\xF9\xF2";
const wchar_t kCzechWide[] = L"\u017Dlu\u0165ou\u010Dk\u00FD k\u016F\u0148";

constexpr int kFirstColumnWidth = 60;
constexpr int kBarColumnWidth = 101;

// The owner: cell texts and styles, and what the list asked of it.
struct Owner {
    std::map<std::pair<int, int>, std::string> texts;
    int textCalls = 0;
    ListViewItem* lastItem = nullptr;
    int imageToSet = -1;
    std::vector<std::pair<int, int>> textCells;

    COLORREF styleText = RGB(0, 0, 200);
    COLORREF styleBackground = RGB(0, 160, 0);
    uint32_t style = 0;
    std::vector<std::pair<int, int>> styledCells;
    COLORREF seenText = 0;
    COLORREF seenBackground = 0;

    std::vector<std::pair<int, int>> hookCells;  // of drops, drags and tips
    std::vector<HDROP> drops;
    std::string dragPath;
    int32_t dragResult = 0;
    bool dragBufferZeroed = false;
    const wchar_t* tip = nullptr;
};

void OwnerText(void* context, ListViewItem* item) {
    auto& owner = *static_cast<Owner*>(context);
    ++owner.textCalls;
    owner.lastItem = item;
    if (owner.imageToSet >= 0)
        item->iImage = owner.imageToSet;
    if ((item->mask & kListItemText) == 0)
        return;
    owner.textCells.emplace_back(item->iItem, item->iSubItem);
    auto found = owner.texts.find({item->iItem, item->iSubItem});
    std::string text = found != owner.texts.end() ? found->second : "";
    size_t length = std::min(text.size(), static_cast<size_t>(item->cchTextMax - 1));
    std::memcpy(item->pszText, text.data(), length);
    item->pszText[length] = '\0';
}

void OtherText(void*, ListViewItem*) {}

void OwnerStyle(void* context, int32_t row, int32_t column, COLORREF* text, COLORREF* background,
                uint32_t* style) {
    auto& owner = *static_cast<Owner*>(context);
    owner.styledCells.emplace_back(row, column);
    owner.seenText = *text;
    owner.seenBackground = *background;
    *text = owner.styleText;
    *background = owner.styleBackground;
    *style = owner.style;
}

class ListHost : public CDialog {
public:
    ListHost() : CDialog(IDD_TEST_DIALOG) {}

    void DoDataExchange(CDataExchange* dx) override { DDX_Control(dx, IDC_LIST, list); }
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
        list.InsertColumn(0, "Animace", LVCFMT_LEFT, kFirstColumnWidth);
        list.InsertColumn(1, "D\xE9lka", LVCFMT_RIGHT, kBarColumnWidth);
        list.InsertColumn(2,
                          "Po\xE8"
                          "et",
                          LVCFMT_RIGHT, 80);
        list.SetTextCallback(&owner, &OwnerText);
        list.SetItemCountEx(0);
        return TRUE;
    }

    // A custom-draw record as the list sends it to its parent.
    LRESULT Draw(NMLVCUSTOMDRAW& draw) {
        draw.nmcd.hdr = NMHDR{list.m_hWnd, IDC_LIST, static_cast<UINT>(NM_CUSTOMDRAW)};
        return SendMessage(WM_NOTIFY, IDC_LIST, reinterpret_cast<LPARAM>(&draw));
    }
    LRESULT Draw(DWORD stage, int row, int column, HDC dc, NMLVCUSTOMDRAW* out = nullptr) {
        NMLVCUSTOMDRAW draw{};
        draw.nmcd.dwDrawStage = stage;
        draw.nmcd.hdc = dc;
        draw.nmcd.dwItemSpec = static_cast<DWORD_PTR>(row);
        draw.iSubItem = column;
        draw.clrText = RGB(10, 20, 30);
        draw.clrTextBk = RGB(40, 50, 60);
        LRESULT answer = Draw(draw);
        if (out != nullptr)
            *out = draw;
        return answer;
    }
    template <class Info>
    LRESULT Request(Info& info, UINT code) {
        info.hdr = NMHDR{list.m_hWnd, IDC_LIST, code};
        return SendMessage(WM_NOTIFY, IDC_LIST, reinterpret_cast<LPARAM>(&info));
    }

    ListCtrlEx list;
    Owner owner;
};

using Host = ScriptedDialog<ListHost>;

// A 32-bit memory bitmap filled with a colour that nothing draws.
class Canvas {
public:
    static constexpr COLORREF kUntouched = RGB(255, 0, 255);
    static constexpr int kWidth = 700;
    static constexpr int kHeight = 400;

    Canvas() {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = kWidth;
        info.bmiHeader.biHeight = -kHeight;  // top-down
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        dc = CreateCompatibleDC(nullptr);
        bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits),
                                  nullptr, 0);
        old = SelectObject(dc, bitmap);
        for (int i = 0; i < kWidth * kHeight; ++i)
            bits[i] = 0xFF00FF;
    }
    ~Canvas() {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    COLORREF At(int x, int y) const {
        GdiFlush();
        uint32_t p = bits[y * kWidth + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    // Pixels of `colour` from x on along row y.
    int RunFrom(int x, int y, COLORREF colour) const {
        int n = 0;
        while (x + n < kWidth && At(x + n, y) == colour)
            ++n;
        return n;
    }
    int Count(int left, int right, int top, int bottom, COLORREF colour) const {
        int n = 0;
        for (int y = top; y < bottom; ++y) {
            for (int x = left; x < right; ++x)
                n += At(x, y) == colour ? 1 : 0;
        }
        return n;
    }
    bool AllUntouched() const {
        return Count(0, kWidth, 0, kHeight, kUntouched) == kWidth * kHeight;
    }

    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ old;
    uint32_t* bits = nullptr;
};

// ---- Construction and identity --------------------------------------------------------

TEST(ListCtrlExConstruction, StartsWithoutHooksFontsOrSavedFont) {
    ListCtrlEx list;
    EXPECT_EQ(list.m_pCallbackContext, nullptr);
    EXPECT_EQ(list.m_pfnText, nullptr);
    EXPECT_EQ(list.m_pfnCellStyle, nullptr);
    EXPECT_EQ(list.m_pfnDrop, nullptr);
    EXPECT_EQ(list.m_pfnDrag, nullptr);
    EXPECT_EQ(list.m_pfnTip, nullptr);
    EXPECT_EQ(list.m_wHitMask, 4);
    EXPECT_EQ(list.m_CharHooks.count, 0u);
    EXPECT_EQ(list.m_CharHooks.callback, nullptr);
    EXPECT_EQ(list.m_KeyDownHooks.count, 0u);
    EXPECT_EQ(list.m_hSavedFont, nullptr);
    for (int mode = 1; mode <= 4; ++mode)
        EXPECT_EQ(list.StyleFont(mode).GetSafeHandle(), nullptr);
}

TEST(ListCtrlExConstruction, NamesItselfWithTheListAsBase) {
    ListCtrlEx list;
    const CRuntimeClass* type = list.GetRuntimeClass();
    EXPECT_STREQ(type->m_lpszClassName, "ListCtrlEx");
    EXPECT_EQ(type->m_pBaseClass, &CListCtrl::classCListCtrl);
}

TEST(ListCtrlExConstruction, DestructionDeletesTheFourFonts) {
    HFONT fonts[4] = {};
    {
        ListCtrlEx list;
        LOGFONTW description{};
        description.lfHeight = -11;
        for (int mode = 1; mode <= 4; ++mode) {
            description.lfWeight = 100 * mode;
            ASSERT_TRUE(list.StyleFont(mode).CreateFontIndirect(description));
            fonts[mode - 1] = list.StyleFont(mode);
        }
    }
    for (HFONT font : fonts)
        EXPECT_EQ(GetObjectType(font), 0u) << "font still alive";
}

TEST(ListCtrlExTextCallback, NullCallbackReplacesTheContextAndKeepsTheCallback) {
    ListCtrlEx list;
    int first = 0;
    int second = 0;
    list.SetTextCallback(&first, &OtherText);
    list.SetTextCallback(&second, nullptr);
    EXPECT_EQ(list.m_pCallbackContext, &second);
    EXPECT_EQ(list.m_pfnText, &OtherText);
}

// ---- Text requests --------------------------------------------------------------------

TEST(ListCtrlExText, RowCountAndWideTextsComeFromTheOwner) {
    Host host;
    std::wstring first;
    std::wstring czech;
    host.owner.texts[{0, 0}] = "spot.avi";
    host.owner.texts[{1, 2}] = kCzech;
    host.Run({[&] {
        host.list.SetItemCountEx(2, LVSICF_NOSCROLL);
        EXPECT_EQ(host.list.GetItemCount(), 2);
        first = host.list.GetItemText(0, 0);
        czech = host.list.GetItemText(1, 2);
    }});
    EXPECT_EQ(first, L"spot.avi");
    EXPECT_EQ(czech, kCzechWide) << "Windows-1250 from the callback, UTF-16 in the list";
}

TEST(ListCtrlExText, NarrowRequestHandsTheRecordToTheCallbackUnchanged) {
    Host host;
    host.owner.texts[{1, 0}] = kCzech;
    NMLVDISPINFOA info{};
    char buffer[32] = {};
    LRESULT answer = -1;
    host.Run({[&] {
        info.item.mask = LVIF_TEXT;
        info.item.iItem = 1;
        info.item.pszText = buffer;
        info.item.cchTextMax = sizeof buffer;
        answer = host.Request(info, LVN_GETDISPINFOA);
    }});
    EXPECT_EQ(answer, 0);
    EXPECT_EQ(host.owner.lastItem, reinterpret_cast<ListViewItem*>(&info.item));
    EXPECT_STREQ(buffer, kCzech);
}

TEST(ListCtrlExText, WideRequestIsCutToItsCapacity) {
    Host host;
    host.owner.texts[{0, 1}] = kCzech;
    NMLVDISPINFOW info{};
    wchar_t buffer[8];
    std::fill(std::begin(buffer), std::end(buffer), L'#');
    host.Run({[&] {
        info.item.mask = LVIF_TEXT;
        info.item.iSubItem = 1;
        info.item.pszText = buffer;
        info.item.cchTextMax = 5;
        host.Request(info, LVN_GETDISPINFOW);
    }});
    EXPECT_EQ(std::wstring(buffer), L"\u017Dlu\u0165");
    EXPECT_EQ(buffer[5], L'#') << "nothing written past the capacity";
    EXPECT_EQ(info.item.pszText, buffer);
    EXPECT_EQ(info.item.cchTextMax, 5);
}

TEST(ListCtrlExText, WideRequestWithoutTextMaskLeavesTheBufferButTakesOtherFields) {
    Host host;
    host.owner.texts[{0, 0}] = "abc";
    host.owner.imageToSet = 7;
    NMLVDISPINFOW info{};
    wchar_t buffer[8] = L"keep";
    host.Run({[&] {
        info.item.mask = LVIF_IMAGE;
        info.item.pszText = buffer;
        info.item.cchTextMax = 8;
        host.Request(info, LVN_GETDISPINFOW);
    }});
    EXPECT_EQ(host.owner.textCalls, 1);
    EXPECT_EQ(std::wstring(buffer), L"keep");
    EXPECT_EQ(info.item.iImage, 7);
}

TEST(ListCtrlExText, WithoutCallbackBothRequestsLeaveTheBuffersAlone) {
    Host host;
    NMLVDISPINFOA narrow{};
    NMLVDISPINFOW wide{};
    char narrowText[8] = "keep";
    wchar_t wideText[8] = L"keep";
    LRESULT answers[2] = {-1, -1};
    host.Run({[&] {
        host.list.m_pfnText = nullptr;
        narrow.item =
            LVITEMA{LVIF_TEXT, 0, 0, 0, 0, narrowText, 8, 0, 0, 0, 0, 0, nullptr, nullptr, 0};
        wide.item = LVITEMW{LVIF_TEXT, 0, 0, 0, 0, wideText, 8, 0, 0, 0, 0, 0, nullptr, nullptr, 0};
        answers[0] = host.Request(narrow, LVN_GETDISPINFOA);
        answers[1] = host.Request(wide, LVN_GETDISPINFOW);
    }});
    EXPECT_EQ(answers[0], 0);
    EXPECT_EQ(answers[1], 0);
    EXPECT_STREQ(narrowText, "keep");
    EXPECT_EQ(std::wstring(wideText), L"keep");
    EXPECT_EQ(host.owner.textCalls, 0);
}

// ---- Custom draw stages ---------------------------------------------------------------

TEST(ListCtrlExCustomDraw, WithoutStyleCallbackEveryStageGetsItsStandardAnswer) {
    Host host;
    Canvas canvas;
    std::vector<LRESULT> answers;
    NMLVCUSTOMDRAW cell{};
    host.Run({[&] {
        host.list.SetItemCountEx(1);
        answers.push_back(host.Draw(CDDS_PREPAINT, 0, 0, canvas.dc));
        answers.push_back(host.Draw(CDDS_ITEMPREPAINT, 0, 0, canvas.dc));
        answers.push_back(host.Draw(CDDS_ITEMPREPAINT | CDDS_SUBITEM, 0, 1, canvas.dc, &cell));
        answers.push_back(host.Draw(CDDS_ITEMPOSTPAINT | CDDS_SUBITEM, 0, 1, canvas.dc));
        answers.push_back(host.Draw(CDDS_ITEMPOSTPAINT, 0, 0, canvas.dc));
        answers.push_back(host.Draw(CDDS_POSTPAINT, 0, 0, canvas.dc));
    }});
    EXPECT_EQ(answers, (std::vector<LRESULT>{0x20, 0x20, 0, 0, 0, 0}));
    EXPECT_EQ(cell.clrText, RGB(10, 20, 30));
    EXPECT_EQ(cell.clrTextBk, RGB(40, 50, 60));
    EXPECT_TRUE(canvas.AllUntouched());
}

class ColourOnlyMode : public testing::TestWithParam<uint32_t> {};

TEST_P(ColourOnlyMode, WritesTheCallbacksColoursBackAndLetsTheListDraw) {
    Host host;
    Canvas canvas;
    host.owner.style = GetParam() | 0x05030000u;  // bar bits must not matter
    host.owner.styleText = RGB(1, 2, 3);
    host.owner.styleBackground = RGB(4, 5, 6);
    NMLVCUSTOMDRAW cell{};
    LRESULT answer = -1;
    host.Run({[&] {
        host.list.SetCellStyleCallback(&OwnerStyle);
        host.list.SetItemCountEx(3);
        answer = host.Draw(CDDS_ITEMPREPAINT | CDDS_SUBITEM, 2, 1, canvas.dc, &cell);
    }});
    EXPECT_EQ(answer, CDRF_DODEFAULT);
    EXPECT_EQ(cell.clrText, RGB(1, 2, 3));
    EXPECT_EQ(cell.clrTextBk, RGB(4, 5, 6));
    ASSERT_EQ(host.owner.styledCells.size(), 1u);
    EXPECT_EQ(host.owner.styledCells[0], std::make_pair(2, 1));
    EXPECT_EQ(host.owner.seenText, RGB(10, 20, 30))
        << "the callback starts from the list's colours";
    EXPECT_EQ(host.owner.seenBackground, RGB(40, 50, 60));
    EXPECT_TRUE(canvas.AllUntouched());
}

INSTANTIATE_TEST_SUITE_P(ListCtrlExCustomDraw, ColourOnlyMode,
                         testing::Values(0u, 5u, 199u, 201u, 255u));

TEST(ListCtrlExCustomDraw, FontModeSelectsItsFontUntilThePostPaint) {
    Host host;
    Canvas canvas;
    host.owner.style = 2;
    HGDIOBJ original = GetCurrentObject(canvas.dc, OBJ_FONT);
    LRESULT pre = -1;
    LRESULT post = -1;
    HGDIOBJ during = nullptr;
    HFONT saved = nullptr;
    HFONT font2 = nullptr;
    host.Run({[&] {
        LOGFONTW description{};
        description.lfHeight = -20;
        ASSERT_TRUE(host.list.StyleFont(2).CreateFontIndirect(description));
        font2 = host.list.StyleFont(2);
        host.list.SetCellStyleCallback(&OwnerStyle);
        host.list.SetItemCountEx(1);
        pre = host.Draw(CDDS_ITEMPREPAINT | CDDS_SUBITEM, 0, 0, canvas.dc);
        during = GetCurrentObject(canvas.dc, OBJ_FONT);
        saved = host.list.m_hSavedFont;
        post = host.Draw(CDDS_ITEMPOSTPAINT | CDDS_SUBITEM, 0, 0, canvas.dc);
    }});
    EXPECT_EQ(pre, CDRF_NEWFONT | CDRF_NOTIFYPOSTPAINT);
    EXPECT_EQ(during, font2);
    EXPECT_EQ(saved, original);
    EXPECT_EQ(post, 0);
    EXPECT_EQ(GetCurrentObject(canvas.dc, OBJ_FONT), original);
    EXPECT_EQ(host.list.m_hSavedFont, nullptr);
}

TEST(ListCtrlExCustomDraw, FontModeWithoutAFontSavesNothingButAsksForThePostPaint) {
    Host host;
    Canvas canvas;
    host.owner.style = 3;
    HGDIOBJ original = GetCurrentObject(canvas.dc, OBJ_FONT);
    LRESULT pre = -1;
    host.Run({[&] {
        host.list.SetCellStyleCallback(&OwnerStyle);
        host.list.SetItemCountEx(1);
        pre = host.Draw(CDDS_ITEMPREPAINT | CDDS_SUBITEM, 0, 0, canvas.dc);
        EXPECT_EQ(host.list.m_hSavedFont, nullptr);
        EXPECT_EQ(host.Draw(CDDS_ITEMPOSTPAINT | CDDS_SUBITEM, 0, 0, canvas.dc), 0);
    }});
    EXPECT_EQ(pre, 0x12);
    EXPECT_EQ(GetCurrentObject(canvas.dc, OBJ_FONT), original);
}

TEST(ListCtrlExCustomDraw, RealPaintingAsksTheStyleCallbackForEveryVisibleCell) {
    Host host;
    host.owner.texts[{0, 0}] = "a";
    host.owner.texts[{1, 2}] = "b";
    host.Run({[&] {
        host.list.SetCellStyleCallback(&OwnerStyle);
        host.list.SetItemCountEx(2);
        RedrawWindow(host.list.m_hWnd, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }});
    for (int row = 0; row < 2; ++row) {
        for (int column = 0; column < 3; ++column) {
            auto& cells = host.owner.styledCells;
            EXPECT_NE(std::find(cells.begin(), cells.end(), std::make_pair(row, column)),
                      cells.end())
                << "cell " << row << "," << column << " was not styled";
        }
    }
    EXPECT_GT(host.owner.textCalls, 0);
}

TEST(ListCtrlExCustomDraw, RealPaintingOfBarCellsShowsTheBarOnScreen) {
    Host host;
    host.owner.texts[{0, 1}] = "b";
    host.owner.style = BarStyle(1, 2);
    RECT cell{};
    COLORREF left = 0;
    COLORREF right = 0;
    host.Run({[&] {
        host.list.SetCellStyleCallback(&OwnerStyle);
        host.list.SetItemCountEx(2);
        host.owner.textCells.clear();
        RedrawWindow(host.list.m_hWnd, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        host.list.GetSubItemRect(0, 1, LVIR_BOUNDS, cell);
        HDC dc = GetDC(host.list.m_hWnd);
        left = GetPixel(dc, cell.left + 3, cell.top + 2);
        right = GetPixel(dc, cell.right - 3, cell.top + 2);
        ReleaseDC(host.list.m_hWnd, dc);
    }});
    EXPECT_EQ(left, RGB(0, 160, 0)) << "the bar's first half";
    EXPECT_EQ(right, GetSysColor(COLOR_WINDOW)) << "the ground after the bar";
    auto& asked = host.owner.textCells;
    EXPECT_NE(std::find(asked.begin(), asked.end(), std::make_pair(0, 1)), asked.end())
        << "the bar cell asks the list, and the list the owner, for the text";
}

// ---- The bar cell ---------------------------------------------------------------------

struct BarDrawing {
    RECT cell{};
    LRESULT answer = -1;
};

// Draws cell (row, column) with the given style word into the canvas.
BarDrawing DrawBar(Host& host, Canvas& canvas, uint32_t style, int column = 1) {
    BarDrawing result;
    host.owner.style = style;
    host.list.SetCellStyleCallback(&OwnerStyle);
    host.list.GetSubItemRect(0, column, LVIR_BOUNDS, result.cell);
    result.answer = host.Draw(CDDS_ITEMPREPAINT | CDDS_SUBITEM, 0, column, canvas.dc);
    return result;
}

TEST(ListCtrlExBar, OneThirdOfAHundredPixelsIs33AndGridLinesStayFree) {
    Host host;
    Canvas canvas;
    BarDrawing bar;
    host.Run({[&] {
        host.list.SetItemCountEx(2);
        bar = DrawBar(host, canvas, BarStyle(1, 3));
    }});
    const RECT& c = bar.cell;
    ASSERT_EQ(c.right - c.left, kBarColumnWidth);
    EXPECT_EQ(bar.answer, CDRF_SKIPDEFAULT);
    const int y = (c.top + c.bottom) / 2;
    const COLORREF window = GetSysColor(COLOR_WINDOW);
    EXPECT_EQ(canvas.RunFrom(c.left + 1, y, RGB(0, 160, 0)), 33);
    EXPECT_EQ(canvas.RunFrom(c.left + 34, y, window), 100 - 33);
    EXPECT_EQ(canvas.At(c.left, y), Canvas::kUntouched) << "left grid line";
    EXPECT_EQ(canvas.At(c.right, y), Canvas::kUntouched) << "next cell";
    EXPECT_EQ(canvas.At(c.left + 5, c.bottom - 1), Canvas::kUntouched) << "bottom grid line";
    EXPECT_EQ(canvas.At(c.left + 5, c.top), RGB(0, 160, 0)) << "the bar starts at the top";
    EXPECT_EQ(canvas.At(c.left + 50, c.bottom - 2), window);
}

struct BarCase {
    uint32_t numerator;
    uint32_t denominator;
    int width;  // of the 100 pixels left after the grid lines
};

void PrintTo(const BarCase& c, std::ostream* out) {
    *out << c.numerator << "/" << c.denominator << " gives " << c.width;
}

class BarWidth : public testing::TestWithParam<BarCase> {};

// n = d and n > d run to and past the cell's right edge; the share is truncated, not rounded.
TEST_P(BarWidth, IsTheTruncatedShareOfTheCellWidth) {
    Host host;
    Canvas canvas;
    BarDrawing bar;
    host.Run({[&] {
        host.list.SetItemCountEx(1);
        bar = DrawBar(host, canvas, BarStyle(GetParam().numerator, GetParam().denominator));
    }});
    const int y = (bar.cell.top + bar.cell.bottom) / 2;
    EXPECT_EQ(canvas.RunFrom(bar.cell.left + 1, y, RGB(0, 160, 0)), GetParam().width);
}

INSTANTIATE_TEST_SUITE_P(ListCtrlExBar, BarWidth,
                         testing::Values(BarCase{2, 3, 66}, BarCase{255, 255, 100},
                                         BarCase{4, 2, 200}, BarCase{1, 255, 0}));

class NoBar : public testing::TestWithParam<std::pair<uint32_t, uint32_t>> {};

TEST_P(NoBar, ZeroNumeratorOrDenominatorLeavesOnlyTheGround) {
    Host host;
    Canvas canvas;
    BarDrawing bar;
    host.Run({[&] {
        host.list.SetItemCountEx(1);
        bar = DrawBar(host, canvas, BarStyle(GetParam().first, GetParam().second));
    }});
    const int y = (bar.cell.top + bar.cell.bottom) / 2;
    EXPECT_EQ(canvas.RunFrom(bar.cell.left + 1, y, GetSysColor(COLOR_WINDOW)), 100);
}

INSTANTIATE_TEST_SUITE_P(ListCtrlExBar, NoBar,
                         testing::Values(std::make_pair(0u, 3u), std::make_pair(1u, 0u),
                                         std::make_pair(0u, 0u)));

// In a selected row the whole cell, bar or not, has the fill colour, and the text its colour.
void ExpectSelectedCell(bool focusOnList, int fillIndex, int textIndex) {
    Host host;
    Canvas canvas;
    BarDrawing bar;
    host.owner.texts[{0, 1}] = "888";
    host.Run({[&] {
        host.list.SetItemCountEx(2);
        host.list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
        SetFocus(focusOnList ? host.list.m_hWnd : host.GetDlgItem(IDC_EDIT_FIRST));
        bar = DrawBar(host, canvas, BarStyle(1, 3));
    }});
    const RECT& c = bar.cell;
    const COLORREF fill = GetSysColor(fillIndex);
    const COLORREF text = GetSysColor(textIndex);
    const int inside = (c.right - c.left - 1) * (c.bottom - c.top - 1);
    EXPECT_GT(canvas.Count(c.left + 1, c.right, c.top, c.bottom - 1, fill), inside / 2);
    EXPECT_EQ(canvas.Count(c.left + 1, c.right, c.top, c.bottom - 1, RGB(0, 160, 0)), 0)
        << "the bar cannot be told from the ground";
    EXPECT_GT(canvas.Count(c.left + 1, c.right, c.top, c.bottom - 1, text), 0) << "text colour";
    EXPECT_EQ(canvas.Count(c.left + 1, c.right, c.top, c.bottom - 1, Canvas::kUntouched), 0);
}

TEST(ListCtrlExBar, SelectedRowWithFocusIsHighlightTextOnHighlight) {
    ExpectSelectedCell(true, COLOR_HIGHLIGHT, COLOR_HIGHLIGHTTEXT);
}

TEST(ListCtrlExBar, SelectedRowWithoutFocusIsWindowTextOnButtonFace) {
    ExpectSelectedCell(false, COLOR_BTNFACE, COLOR_WINDOWTEXT);
}

TEST(ListCtrlExBar, TooWideTextIsCentredAndCutOnBothSides) {
    Host host;
    Canvas canvas;
    BarDrawing bar;
    host.owner.texts[{0, 1}] = std::string(60, 'W');
    host.owner.styleText = RGB(0, 0, 0);
    host.Run({[&] {
        host.list.SetItemCountEx(1);
        bar = DrawBar(host, canvas, BarStyle(0, 0));
    }});
    const RECT& c = bar.cell;
    const COLORREF ink = RGB(0, 0, 0);
    EXPECT_GT(canvas.Count(c.left + 2, c.left + 8, c.top, c.bottom, ink), 0) << "cut on the left";
    EXPECT_GT(canvas.Count(c.right - 8, c.right - 1, c.top, c.bottom, ink), 0)
        << "cut on the right";
    EXPECT_EQ(canvas.Count(0, c.left + 2, 0, Canvas::kHeight, ink), 0)
        << "ink left of the text area";
    EXPECT_EQ(canvas.Count(c.right - 1, Canvas::kWidth, 0, Canvas::kHeight, ink), 0)
        << "ink right of the text area";
    EXPECT_EQ(canvas.Count(0, Canvas::kWidth, 0, c.top + 1, ink), 0) << "ink above";
    EXPECT_EQ(canvas.Count(0, Canvas::kWidth, c.bottom - 2, Canvas::kHeight, ink), 0)
        << "ink below";
}

TEST(ListCtrlExBar, CellWithEmptyRectangleDrawsNothing) {
    Host host;
    Canvas canvas;
    BarDrawing bar;
    host.owner.texts[{0, 2}] = "text";
    host.Run({[&] {
        host.list.SetItemCountEx(2);
        host.list.SendMessage(LVM_SETCOLUMNWIDTH, 2, 0);
        bar = DrawBar(host, canvas, BarStyle(1, 1), 2);
    }});
    EXPECT_TRUE(IsRectEmpty(&bar.cell));
    EXPECT_EQ(bar.answer, CDRF_SKIPDEFAULT);
    EXPECT_TRUE(canvas.AllUntouched());
}

// ---- Keys reach the platform's list while no hook is installed -------------------------

TEST(ListCtrlExKeys, DownKeyMovesTheSelection) {
    Host host;
    int selected = -1;
    host.Run({[&] {
        host.list.SetItemCountEx(3);
        SetFocus(host.list.m_hWnd);
        host.list.SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        host.list.SendMessage(WM_KEYDOWN, VK_DOWN, 1);
        selected = host.list.GetNextItem(-1, LVNI_SELECTED);
    }});
    EXPECT_EQ(selected, 1);
}

// ---- Type-ahead: the list asks the owner-data control to find the typed text ------------

// "čaj.avi" in Windows-1250 between two names with the same first letter in other cases.
const char* const kTypeAheadRows[] = {"Alfa.avi", "beta.avi", "Beta2.avi",
                                      "\xE8"
                                      "aj.avi",
                                      "gama.avi"};

void FillTypeAheadRows(Host& host) {
    for (int row = 0; row < 5; ++row)
        host.owner.texts[{row, 0}] = kTypeAheadRows[row];
    host.list.SetItemCountEx(5);
}

TEST(ListCtrlExTypeAhead, FindRequestAnswersTheNextMatchingRowFromTheStartRoundToTheTop) {
    const struct {
        int start;
        UINT flags;
        const wchar_t* text;
        LRESULT row;
    } cases[] = {
        {0, LVFI_PARTIAL | LVFI_WRAP, L"b", 1},
        {2, LVFI_PARTIAL | LVFI_WRAP, L"b", 2},  // the start row itself counts
        {3, LVFI_PARTIAL | LVFI_WRAP, L"B", 1},  // round to the top, case aside
        {0, LVFI_PARTIAL | LVFI_WRAP, L"BETA2", 2},
        {0, LVFI_PARTIAL | LVFI_WRAP, L"\u010CA", 3},  // a Czech capital finds "ča"
        {0, LVFI_PARTIAL | LVFI_WRAP, L"x", -1},
        {3, LVFI_PARTIAL, L"a", -1},  // without wrapping the search ends at the last row
        {0, LVFI_STRING, L"BETA.AVI", 1},
        {0, LVFI_STRING, L"beta", -1},  // the whole text only
        {0, LVFI_PARAM, L"b", -1},
        {7, LVFI_PARTIAL | LVFI_WRAP, L"g", 4},  // a start past the rows begins at the top
    };
    Host host;
    host.Run({[&] {
        FillTypeAheadRows(host);
        for (const auto& c : cases) {
            NMLVFINDITEMW request{};
            request.iStart = c.start;
            request.lvfi.flags = c.flags;
            request.lvfi.psz = c.text;
            EXPECT_EQ(host.Request(request, LVN_ODFINDITEMW), c.row)
                << "\"" << ToCp1250(c.text) << "\" from " << c.start;
        }
    }});
}

TEST(ListCtrlExTypeAhead, TypedLettersSelectTheMatchingRowAndNoMatchKeepsTheSelection) {
    const struct {
        const wchar_t* typed;
        int selected;
    } cases[] = {
        {L"g", 4},
        {L"b", 1},
        {L"beta2", 2},  // typed at once: one prefix, not five searches
        {L"z", 0},
    };
    for (const auto& c : cases) {
        Host host;
        int selected = -1;
        host.Run({[&] {
            FillTypeAheadRows(host);
            SetFocus(host.list.m_hWnd);
            host.list.SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
            for (const wchar_t* key = c.typed; *key != L'\0'; ++key)
                host.list.SendMessage(WM_CHAR, *key, 1);
            selected = host.list.GetNextItem(-1, LVNI_SELECTED);
        }});
        EXPECT_EQ(selected, c.selected) << ToCp1250(c.typed);
    }
}

// ---- Interaction hooks ----------------------------------------------------------------

void OwnerDrop(void* context, int32_t row, int32_t column, HDROP drop) {
    static_cast<Owner*>(context)->hookCells.emplace_back(row, column);
    static_cast<Owner*>(context)->drops.push_back(drop);
}

int32_t OwnerDrag(void* context, int32_t row, int32_t column, char* path) {
    auto& owner = *static_cast<Owner*>(context);
    owner.hookCells.emplace_back(row, column);
    owner.dragBufferZeroed = std::all_of(path, path + MAX_PATH, [](char b) { return b == 0; });
    std::memcpy(path, owner.dragPath.c_str(), owner.dragPath.size() + 1);
    return owner.dragResult;
}

const wchar_t* OwnerTip(void* context, int32_t row, int32_t column) {
    static_cast<Owner*>(context)->hookCells.emplace_back(row, column);
    return static_cast<Owner*>(context)->tip;
}

void RecordKey(void* context, uint32_t code) {
    static_cast<std::vector<uint32_t>*>(context)->push_back(code);
}

// Sits between the control and the list's own procedure: what it counts reached the list.
struct ListSpy {
    static inline WNDPROC list = nullptr;
    static inline int seen = 0;
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        seen += message == WM_CHAR || message == WM_KEYDOWN || message == WM_DROPFILES ? 1 : 0;
        return CallWindowProcW(list, window, message, wParam, lParam);
    }
    static void Install(ListCtrlEx& control) {
        HWND window = control.UnsubclassWindow();
        list = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Proc)));
        control.SubclassWindow(window);
    }
};

POINT Centre(const RECT& r) {
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

TEST(ListCtrlExKeys, TableCodesAreSwallowedAndCallTheCallbackOnceAndOthersReachTheList) {
    const struct {
        UINT message;
        std::vector<uint32_t> codes;
        uint32_t count;
        UINT code;
        KeyHookCallback callback;
        size_t calls;
        bool reachesList;
    } cases[] = {
        {WM_KEYDOWN, {'A'}, 0, 'A', &RecordKey, 0, true},     // count 0: the codes are not in use
        {WM_CHAR, {'a', 'a'}, 2, 'a', &RecordKey, 1, false},  // entered twice, called once
        {WM_CHAR, {'x', 'y', 'z'}, 2, 'z', &RecordKey, 0, true},  // only the first `count`
        {WM_KEYDOWN, {VK_F2, VK_F3}, 2, VK_F3, &RecordKey, 1, false},
        {WM_KEYDOWN, {VK_DOWN}, 1, VK_DOWN, nullptr, 0, false},  // swallowed all the same
    };
    Host host;
    int selected = -1;
    host.Run({[&] {
        host.list.SetItemCountEx(3);
        SetFocus(host.list.m_hWnd);
        host.list.SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        ListSpy::Install(host.list);
        for (const auto& c : cases) {
            std::vector<uint32_t> calls;
            KeyHookTable& table =
                c.message == WM_CHAR ? host.list.m_CharHooks : host.list.m_KeyDownHooks;
            table = KeyHookTable{&calls, c.callback, {}, c.count};
            std::copy(c.codes.begin(), c.codes.end(), table.codes);
            ListSpy::seen = 0;
            host.list.SendMessage(c.message, c.code, 1);
            EXPECT_EQ(calls, std::vector<uint32_t>(c.calls, c.code)) << "code " << c.code;
            EXPECT_EQ(ListSpy::seen, c.reachesList ? 1 : 0) << "code " << c.code;
            table = KeyHookTable{};
        }
        selected = host.list.GetNextItem(-1, LVNI_SELECTED);
    }});
    EXPECT_EQ(selected, 0) << "the Down key moved the selection";
}

TEST(ListCtrlExDrop, CallbackGetsTheCellUnderTheDropAndTheListStillGetsTheMessage) {
    Host host;
    std::vector<HDROP> sent;
    host.Run({[&] {
        host.list.SetItemCountEx(2);
        host.list.SetDropCallback(&OwnerDrop);
        ListSpy::Install(host.list);
        ListSpy::seen = 0;
        RECT cell{};
        host.list.GetSubItemRect(1, 2, LVIR_BOUNDS, cell);
        for (POINT at : {Centre(cell), POINT{cell.left + 5, cell.bottom + 30}}) {
            HGLOBAL drop = GlobalAlloc(GHND, sizeof(DROPFILES) + 8);
            *static_cast<DROPFILES*>(GlobalLock(drop)) = DROPFILES{sizeof(DROPFILES), at, 0, 0};
            GlobalUnlock(drop);
            sent.push_back(static_cast<HDROP>(drop));
            host.list.SendMessage(WM_DROPFILES, reinterpret_cast<WPARAM>(drop));
            EXPECT_EQ(GlobalFree(drop), nullptr) << "the drop handle is still the sender's";
        }
    }});
    ASSERT_EQ(host.owner.hookCells.size(), 2u);
    EXPECT_EQ(host.owner.hookCells[0], std::make_pair(1, 2));
    EXPECT_EQ(host.owner.hookCells[1].first, -1) << "below the last row";
    EXPECT_EQ(host.owner.drops, sent);
    EXPECT_EQ(ListSpy::seen, 2);
}

// Takes the file block when a drag ends over the list; it lives on the test's stack.
struct BlockCatcher : IDropTarget {
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        *object = iid == IID_IUnknown || iid == IID_IDropTarget ? this : nullptr;
        return *object != nullptr ? S_OK : E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject*, DWORD, POINTL, DWORD* effect) override {
        allowed = std::exchange(*effect, DROPEFFECT_COPY);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL, DWORD*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE DragLeave() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD, POINTL, DWORD*) override {
        FORMATETC format{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
        STGMEDIUM medium{};
        if (SUCCEEDED(data->GetData(&format, &medium))) {
            const auto* bytes = static_cast<const char*>(GlobalLock(medium.hGlobal));
            block.assign(bytes, GlobalSize(medium.hGlobal));
            GlobalUnlock(medium.hGlobal);
            ReleaseStgMedium(&medium);
        }
        return S_OK;
    }

    DWORD allowed = 0;
    std::string block;
};

// The pointer rests over the list, which also takes the drop, and no button is held: a drag
// that starts drops at once.
TEST(ListCtrlExDrag, ZeroFromTheCallbackStartsNoDragAndTheLongestPathFillsTheBlock) {
    for (int32_t result : {0, 1}) {
        Host host;
        BlockCatcher catcher;
        host.owner.dragPath = std::string(259, 'p');
        host.owner.dragResult = result;
        host.Run({[&] {
            ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
            host.list.SetItemCountEx(3);
            host.list.SetDragCallback(&OwnerDrag);
            RECT list{};
            GetWindowRect(host.list.m_hWnd, &list);
            SetCursorPos(Centre(list).x, Centre(list).y);
            EXPECT_EQ(RegisterDragDrop(host.list.m_hWnd, &catcher), S_OK);
            NMLISTVIEW view{};
            view.iItem = 2;
            view.iSubItem = 1;
            EXPECT_EQ(host.Request(view, LVN_BEGINDRAG), 0);
            RevokeDragDrop(host.list.m_hWnd);
            OleUninitialize();
        }});
        EXPECT_EQ(host.owner.hookCells, (std::vector<std::pair<int, int>>{{2, 1}}));
        EXPECT_TRUE(host.owner.dragBufferZeroed);
        if (result == 0) {
            EXPECT_EQ(catcher.allowed, 0u) << "a drag reached the drop target";
            continue;
        }
        EXPECT_EQ(catcher.allowed, static_cast<DWORD>(DROPEFFECT_COPY | DROPEFFECT_MOVE));
        // The file list's offset 20; point, non-client and wide flags 0; the path; two zeros.
        EXPECT_EQ(catcher.block, std::string("\x14", 1) + std::string(19, '\0') +
                                     host.owner.dragPath + std::string(2, '\0'));
    }
}

TEST(ListCtrlExToolTips, HitTestNamesTheCellAndCoversTheWholeList) {
    Host host;
    TTTOOLINFOW tool{};
    tool.uFlags = TTF_CENTERTIP;
    INT_PTR over = 0;
    INT_PTR below = 0;
    RECT client{};
    HWND list = nullptr;
    host.Run({[&] {
        list = host.list.m_hWnd;
        host.list.SetItemCountEx(5);
        RECT cell{};
        host.list.GetSubItemRect(3, 2, LVIR_BOUNDS, cell);
        over = host.list.OnToolHitTest(Centre(cell), &tool);
        below = host.list.OnToolHitTest(POINT{cell.left + 5, cell.bottom + 60}, &tool);
        GetClientRect(list, &client);
    }});
    EXPECT_EQ(over, 302);
    EXPECT_EQ(below, -1);
    EXPECT_EQ(tool.hwnd, list);
    EXPECT_EQ(tool.uId, 302u);
    EXPECT_TRUE(EqualRect(&tool.rect, &client));
    EXPECT_EQ(tool.lpszText, LPSTR_TEXTCALLBACKW);
    EXPECT_EQ(tool.uFlags, static_cast<UINT>(TTF_CENTERTIP));
}

TEST(ListCtrlExToolTips, WideRequestTakesTheTextWithWidthAndDelayAndNullLeavesItAlone) {
    Host host;
    const wchar_t kTip[] = L"Spot: 3 p\u0159ehr\u00E1n\u00ED";
    HWND tips = nullptr;
    NMTTDISPINFOW with{};
    NMTTDISPINFOW without{};
    LRESULT widths[2] = {};
    LRESULT delay = 0;
    auto request = [&](NMTTDISPINFOW& info, const wchar_t* tip) {
        host.owner.tip = tip;
        info.hdr = NMHDR{tips, 302, static_cast<UINT>(TTN_NEEDTEXTW)};
        info.lpszText = info.szText;
        host.list.SendMessage(WM_NOTIFY, 302, reinterpret_cast<LPARAM>(&info));
        return SendMessageW(tips, TTM_GETMAXTIPWIDTH, 0, 0);
    };
    host.Run({[&] {
                  host.list.SetItemCountEx(5);
                  host.list.SetTipCallback(&OwnerTip);
                  tips = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP, 0, 0, 0, 0,
                                         host.m_hWnd, nullptr, nullptr, nullptr);
                  RECT cell{};
                  host.list.GetSubItemRect(3, 2, LVIR_BOUNDS, cell);
                  POINT at = Centre(cell);
                  ClientToScreen(host.list.m_hWnd, &at);
                  SetCursorPos(at.x, at.y);
              },
              // Posted after the pointer moved, this step's message carries the new position.
              [&] {
                  widths[0] = request(without, nullptr);
                  widths[1] = request(with, kTip);
                  delay = SendMessageW(tips, TTM_GETDELAYTIME, TTDT_AUTOPOP, 0);
              }});
    EXPECT_EQ(host.owner.hookCells, (std::vector<std::pair<int, int>>{{3, 2}, {3, 2}}));
    EXPECT_EQ(without.lpszText, without.szText);
    EXPECT_EQ(without.szText[0], L'\0');
    EXPECT_EQ(widths[0], -1) << "the tip window's own width";
    EXPECT_EQ(with.lpszText, kTip) << "the callback's text itself, not a copy";
    EXPECT_EQ(widths[1], 600);
    EXPECT_EQ(delay, 20000);
}

}  // namespace
