#include "framework/dialog_anchors.h"

namespace {

constexpr ControlAnchor kStays{0, 0, 0, 0, 0};

bool IsUnnamedLabel(HWND control) {
    const int id = GetDlgCtrlID(control);
    return id == -1 || id == 0xFFFF;
}

ControlAnchor AnchorOf(HWND control, const ControlAnchor* anchors, size_t count) {
    const int id = GetDlgCtrlID(control);
    for (size_t i = 0; i < count; ++i) {
        if (anchors[i].controlId == id)
            return anchors[i];
    }
    return kStays;
}

RECT ClientRectOf(HWND control, HWND dialog) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

LONG Share(LONG change, uint8_t percent) {
    return change * percent / 100;
}

}  // namespace

void DialogAnchors::Capture(HWND dialog, const ControlAnchor* anchors, size_t count) {
    RECT client{}, window{};
    GetClientRect(dialog, &client);
    GetWindowRect(dialog, &window);
    m_client = {client.right, client.bottom};
    m_minimum = {window.right - window.left, window.bottom - window.top};
    m_placed.clear();
    std::vector<HWND> controls;
    for (HWND c = GetWindow(dialog, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT))
        controls.push_back(c);
    for (size_t i = 0; i < controls.size(); ++i) {
        ControlAnchor anchor = AnchorOf(controls[i], anchors, count);
        if (IsUnnamedLabel(controls[i]) && i + 1 < controls.size()) {
            anchor = AnchorOf(controls[i + 1], anchors, count);
            anchor.growX = anchor.growY = 0;
        }
        if (anchor.moveX != 0 || anchor.moveY != 0 || anchor.growX != 0 || anchor.growY != 0)
            m_placed.push_back({controls[i], ClientRectOf(controls[i], dialog), anchor});
    }
}

void DialogAnchors::LayOut(int width, int height) const {
    if (m_placed.empty())
        return;
    const LONG dx = width - m_client.cx;
    const LONG dy = height - m_client.cy;
    HDWP moves = BeginDeferWindowPos(static_cast<int>(m_placed.size()));
    for (const Placed& placed : m_placed) {
        const RECT& r = placed.rect;
        const ControlAnchor& a = placed.anchor;
        const int x = r.left + Share(dx, a.moveX);
        const int y = r.top + Share(dy, a.moveY);
        const int cx = r.right - r.left + Share(dx, a.growX);
        const int cy = r.bottom - r.top + Share(dy, a.growY);
        constexpr UINT kFlags = SWP_NOZORDER | SWP_NOACTIVATE;
        if (moves != nullptr)
            moves = DeferWindowPos(moves, placed.control, nullptr, x, y, cx, cy, kFlags);
        else
            SetWindowPos(placed.control, nullptr, x, y, cx, cy, kFlags);
    }
    if (moves != nullptr)
        EndDeferWindowPos(moves);
}
