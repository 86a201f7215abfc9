#include "framework/font_cursor.h"

CFont::~CFont() {
    DeleteObject();
}

BOOL CFont::CreateFontIndirect(const LOGFONTW& font) {
    DeleteObject();
    m_hObject = ::CreateFontIndirectW(&font);
    return m_hObject != nullptr;
}

BOOL CFont::DeleteObject() {
    if (m_hObject == nullptr)
        return FALSE;
    BOOL deleted = ::DeleteObject(m_hObject);
    m_hObject = nullptr;
    return deleted;
}

// IDC_WAIT, in its wide form.
CWaitCursor::CWaitCursor() : m_previous(SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(32514)))) {}

CWaitCursor::~CWaitCursor() {
    SetCursor(m_previous);
}
