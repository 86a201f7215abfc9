#pragma once
// The owner-data report list: it keeps no rows and asks its owner for every cell's text, and
// optionally for per-cell colours, fonts and a proportional bar.
#include <cstdint>

#include "framework/framework.h"
#include "logdata/win32_types.h"

// Writes the text of the cell (iItem, iSubItem) into pszText, Windows-1250, when the mask asks.
using TextCallback = void (*)(void* context, ListViewItem* item);
// May change both colours and sets the style word (see the kStyle constants).
using CellStyleCallback = void (*)(void* context, int32_t row, int32_t column, COLORREF* text,
                                   COLORREF* background, uint32_t* style);
using DropCallback = void (*)(void* context, int32_t row, int32_t column, HDROP drop);
using DragCallback = int32_t (*)(void* context, int32_t row, int32_t column, char* path260);
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

protected:
    bool OnGetDispInfoW(NMHDR* header, LRESULT* result);
    bool OnGetDispInfoA(NMHDR* header, LRESULT* result);
    bool OnCustomDraw(NMHDR* header, LRESULT* result);
    void OnChar(UINT code, UINT repeat, UINT flags);
    void OnDropFiles(HDROP drop);
    bool OnBeginDrag(NMHDR* header, LRESULT* result);
    bool OnToolTipText(NMHDR* header, LRESULT* result);
    void OnKeyDown(UINT code, UINT repeat, UINT flags);

    LRESULT CellPrePaint(NMLVCUSTOMDRAW& draw);
    void DrawBarCell(HDC dc, int row, int column, COLORREF text, COLORREF background,
                     uint32_t style);

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
};
