#pragma once
// Holders that give back what a scope took from Windows: a GDI object deleted, a DC released, a
// DC's text settings put back, OLE ended on the thread, a file search closed, an icon destroyed.
// They stand beside CFont and CWaitCursor (framework/font_cursor.h). With them no function pairs
// the calls by hand, and no early return can leak.
#include <windows.h>

#include <ole2.h>

template <typename Handle>
class ScopedGdiObject {
public:
    explicit ScopedGdiObject(Handle handle) : handle_(handle) {}
    ~ScopedGdiObject() {
        if (handle_ != nullptr) {
            DeleteObject(handle_);
        }
    }
    ScopedGdiObject(const ScopedGdiObject&) = delete;
    ScopedGdiObject& operator=(const ScopedGdiObject&) = delete;
    Handle get() const { return handle_; }

private:
    Handle handle_;
};
using ScopedBrush = ScopedGdiObject<HBRUSH>;

// The DC of a window (or of the screen, for null), released again.
class ScopedGetDC {
public:
    explicit ScopedGetDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~ScopedGetDC() {
        if (dc_ != nullptr) {
            ReleaseDC(window_, dc_);
        }
    }
    ScopedGetDC(const ScopedGetDC&) = delete;
    ScopedGetDC& operator=(const ScopedGetDC&) = delete;
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// The background mode and text colour of a DC, put back as they were.
class ScopedTextSettings {
public:
    ScopedTextSettings(HDC dc, int backgroundMode, COLORREF colour)
        : dc_(dc), mode_(SetBkMode(dc, backgroundMode)), colour_(SetTextColor(dc, colour)) {}
    ~ScopedTextSettings() {
        SetTextColor(dc_, colour_);
        SetBkMode(dc_, mode_);
    }
    ScopedTextSettings(const ScopedTextSettings&) = delete;
    ScopedTextSettings& operator=(const ScopedTextSettings&) = delete;

private:
    HDC dc_;
    int mode_;
    COLORREF colour_;
};

// OLE on this thread for the scope; a start that succeeded (also one that found OLE running)
// is balanced by its end.
class ScopedOle {
public:
    ScopedOle() : started_(SUCCEEDED(OleInitialize(nullptr))) {}
    ~ScopedOle() {
        if (started_) {
            OleUninitialize();
        }
    }
    ScopedOle(const ScopedOle&) = delete;
    ScopedOle& operator=(const ScopedOle&) = delete;

private:
    bool started_;
};

// A search of the names that match a pattern (FindFirstFileW), closed again.
class ScopedFindFile {
public:
    ScopedFindFile(const wchar_t* pattern, WIN32_FIND_DATAW* found)
        : search_(FindFirstFileW(pattern, found)) {}
    ~ScopedFindFile() {
        if (search_ != INVALID_HANDLE_VALUE) {
            FindClose(search_);
        }
    }
    ScopedFindFile(const ScopedFindFile&) = delete;
    ScopedFindFile& operator=(const ScopedFindFile&) = delete;
    // False when not even the first name matched.
    bool Found() const { return search_ != INVALID_HANDLE_VALUE; }
    bool Next(WIN32_FIND_DATAW* found) { return FindNextFileW(search_, found) != FALSE; }

private:
    HANDLE search_;
};

// An icon made for one window (LoadImageW without LR_SHARED), destroyed when replaced or when
// the holder goes; the window must have been given its successor first.
class ScopedIcon {
public:
    ScopedIcon() = default;
    ~ScopedIcon() { Destroy(); }
    ScopedIcon(const ScopedIcon&) = delete;
    ScopedIcon& operator=(const ScopedIcon&) = delete;
    void Reset(HICON icon) {
        if (icon != icon_) {
            Destroy();
            icon_ = icon;
        }
    }
    HICON get() const { return icon_; }

private:
    void Destroy() {
        if (icon_ != nullptr) {
            DestroyIcon(icon_);
        }
    }
    HICON icon_ = nullptr;
};
