#pragma once
// The owner-data report list: it keeps no rows and asks its owner for every cell's text, and
// optionally for per-cell colours, fonts and a proportional bar. Optional hooks take typed
// characters and keys, dropped files, row drags and per-cell tool tips.
#include <cstdint>
#include <initializer_list>
#include <string>

#include "framework/framework.h"
#include "base/win32_types.h"

// Writes the text of the cell (iItem, iSubItem) into pszText, Windows-1250, when the mask asks.
using TextCallback = void (*)(void* context, ListViewItem* item);
// May change both colours and sets the style word (see the kStyle constants).
using CellStyleCallback = void (*)(void* context, int32_t row, int32_t column, COLORREF* text,
                                   COLORREF* background, uint32_t* style);
using DropCallback = void (*)(void* context, int32_t row, int32_t column, HDROP drop);
// Fills the zeroed buffer with a narrow path of at most 259 characters; non-zero drags it.
using DragCallback = int32_t (*)(void* context, int32_t row, int32_t column, char* path260);
// The text must outlive the call: the tip window keeps the pointer.
using TipCallback = const wchar_t* (*)(void* context, int32_t row, int32_t column);
using KeyHookCallback = void (*)(void* context, uint32_t code);

struct KeyHookTable {
    void* context;
    KeyHookCallback callback;
    uint32_t codes[10];
    uint32_t count;  // codes in use, from the front
};

// The style word: mode in bits 0-7, bar numerator in 16-23, bar denominator in 24-31.
constexpr uint32_t kStyleModeMask = 0xFF;
constexpr uint32_t kStyleBar = 200;  // the control draws the cell with a proportional bar
constexpr uint32_t BarStyle(uint32_t numerator, uint32_t denominator) {
    return kStyleBar | (numerator & 0xFF) << 16 | (denominator & 0xFF) << 24;
}

class ListCtrlEx : public CListCtrl {
public:
    ListCtrlEx() = default;
    ~ListCtrlEx() override;

    static const CRuntimeClass classListCtrlEx;
    const CRuntimeClass* GetRuntimeClass() const override;
    static const MessageMap* ThisMessageMap();
    const MessageMap* GetMessageMap() const override;

    // The context is always taken; a null callback keeps the one installed.
    void SetTextCallback(void* context, TextCallback callback);
    void SetCellStyleCallback(CellStyleCallback callback) { m_pfnCellStyle = callback; }
    // The font of style mode 1 to 4, for the owner to create.
    CFont& StyleFont(int mode);

    // The drop, drag and tip callbacks get the context given with the text callback.
    void SetDropCallback(DropCallback callback) { m_pfnDrop = callback; }
    void SetDragCallback(DragCallback callback) { m_pfnDrag = callback; }
    void SetTipCallback(TipCallback callback) { m_pfnTip = callback; }
    // The hit-test flags (LVHT_...) that count as over a cell for tool tips.
    void SetHitMask(uint16_t mask) { m_wHitMask = mask; }
    // Codes that go to the callback, or nowhere without one, instead of to the list. More than
    // ten codes are refused and leave the table as it was.
    bool SetCharHooks(void* context, KeyHookCallback callback,
                      std::initializer_list<uint32_t> codes);
    bool SetKeyDownHooks(void* context, KeyHookCallback callback,
                         std::initializer_list<uint32_t> codes);
    // Without these the drop and tip hooks never hear of anything: the list registered for
    // dropped files, and a tip window fed with the tools of OnToolHitTest.
    void AcceptDroppedFiles(bool accept);
    bool EnableToolTips(bool enable = true);

    INT_PTR OnToolHitTest(POINT point, TTTOOLINFOW* info) const override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

protected:
    bool OnGetDispInfoW(NMHDR* header, LRESULT* result);
    bool OnGetDispInfoA(NMHDR* header, LRESULT* result);
    bool OnCustomDraw(NMHDR* header, LRESULT* result);
    void OnChar(UINT code, UINT repeat, UINT flags);
    void OnDropFiles(HDROP drop);
    bool OnBeginDrag(NMHDR* header, LRESULT* result);
    bool OnToolTipText(NMHDR* header, LRESULT* result);
    void OnKeyDown(UINT code, UINT repeat, UINT flags);
    bool OnFindItem(NMHDR* header, LRESULT* result);
    // The row from `start` on (round to the top with LVFI_WRAP) whose first column starts with
    // the text (equals it without LVFI_PARTIAL), letters compared without case; -1 for none.
    int FindRowByText(int start, const LVFINDINFOW& find) const;
    std::wstring FirstColumnText(int row) const;

    LRESULT CellPrePaint(NMLVCUSTOMDRAW& draw);
    void DrawBarCell(HDC dc, int row, int column, COLORREF text, COLORREF background,
                     uint32_t style);
    LVHITTESTINFO HitCell(POINT point) const;
    void RelayToToolTip(UINT message, WPARAM wParam, LPARAM lParam);
    void DestroyToolTip();

public:
    void* m_pCallbackContext = nullptr;
    TextCallback m_pfnText = nullptr;
    CellStyleCallback m_pfnCellStyle = nullptr;
    DropCallback m_pfnDrop = nullptr;
    DragCallback m_pfnDrag = nullptr;
    TipCallback m_pfnTip = nullptr;
    uint16_t m_wHitMask = LVHT_ONITEMLABEL;
    KeyHookTable m_CharHooks{};
    KeyHookTable m_KeyDownHooks{};
    HFONT m_hSavedFont = nullptr;
    CFont m_Font1;
    CFont m_Font2;
    CFont m_Font3;
    CFont m_Font4;

private:
    HWND m_hToolTip = nullptr;
    INT_PTR m_nToolId = -1;  // the tool that the tip window holds, -1 for none
};
