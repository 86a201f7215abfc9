#pragma once
// The controls of a resizable dialog follow its size: each moves and grows by its share of the
// change in the dialog's client size from the template's layout, which is also its smallest.
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <vector>

// The percent (0 to 100) of the change in width and height that a control's place and size take.
struct ControlAnchor {
    int controlId;
    uint8_t moveX, moveY, growX, growY;
};

class DialogAnchors {
public:
    // Records the controls' places and the dialog's size as they are now. A label without an id
    // moves as the control after it does, which its mnemonic reaches; a control the table lacks
    // stays where it is.
    void Capture(HWND dialog, const ControlAnchor* anchors, size_t count);
    // Places the controls for the dialog's new client size; nothing before Capture.
    void LayOut(int width, int height) const;
    // The window's size when captured; {0, 0} before.
    SIZE Minimum() const { return m_minimum; }

private:
    struct Placed {
        HWND control;
        RECT rect;  // in the dialog's client area, as captured
        ControlAnchor anchor;
    };

    SIZE m_client{};
    SIZE m_minimum{};
    std::vector<Placed> m_placed;
};
