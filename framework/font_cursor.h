#pragma once
// A font and the wait cursor, each given back when its object leaves scope.
#include <windows.h>

class CFont {
public:
    CFont() = default;
    ~CFont();
    CFont(const CFont&) = delete;
    CFont& operator=(const CFont&) = delete;

    BOOL CreateFontIndirect(const LOGFONTW& font);
    BOOL DeleteObject();
    HFONT GetSafeHandle() const { return m_hObject; }
    operator HFONT() const { return m_hObject; }

    HFONT m_hObject = nullptr;
};

// The hourglass while an object lives; the cursor before it comes back afterwards.
class CWaitCursor {
public:
    CWaitCursor();
    ~CWaitCursor();
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;

private:
    HCURSOR m_previous;
};
