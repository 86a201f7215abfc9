#pragma once
// The dialog base: a modal dialog whose control commands and notifications feed the binding
// engine before the dialog's own handlers, with Enter and Esc rules a derived dialog can
// switch on and entry points for four custom messages.
#include <cstdint>

#include "dialogfw/ddx_robot.h"
#include "framework/framework.h"

constexpr UINT kUserMessage2100 = WM_USER + 2100;
constexpr UINT kUserMessage2101 = WM_USER + 2101;
constexpr UINT kUserMessage2102 = WM_USER + 2102;
constexpr UINT kUserMessage2103 = WM_USER + 2103;

// WM_USER + 2100 carries a record with 20-byte items from this offset on.
constexpr size_t kUserRecordItemsOffset = 100;
constexpr size_t kUserRecordItemSize = 20;
constexpr int32_t kUserRecordMaxItems = 29;

class MyCDialog : public CDialog, public DDX_Robot {
public:
    explicit MyCDialog(UINT templateId, CWnd* parent = nullptr);
    ~MyCDialog() override;

    using CDialog::DoModal;  // without a caption the template's stays
    // The caption is Windows-1250 and must live until the dialog has initialised.
    virtual INT_PTR DoModal(const char* caption);
    virtual void LockControls(bool lock);
    virtual void OnUserMessage2100(void* record, int32_t itemCount, int32_t setCount);
    virtual void OnUserMessage2101(WPARAM wParam, LPARAM lParam);
    virtual void OnUserMessage2102(WPARAM wParam, LPARAM lParam);
    virtual void OnUserMessage2103(WPARAM wParam, LPARAM lParam);

    // Enables or disables the control firstId and the siblings after it in window order, up
    // to and including the control lastId.
    void EnableControlRange(int firstId, int lastId, bool enable);

    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

    // A sender sets the flag to 1 before posting; one message then makes one call.
    int32_t m_pending2101 = 0;
    int32_t m_pending2102 = 0;
    int32_t m_pending2103 = 0;

protected:
    // Keyboard rules for derived dialogs, set while they initialise.
    // Enter in control focusId posts `message` to `target` (0: Enter does nothing there).
    // False when the control does not exist or the table already holds its 20 rows.
    bool RedirectEnter(int focusId, HWND target, uint32_t message);
    void SetEnterToNext(bool on) { m_enterToNext = on ? 1 : 0; }
    void SetIgnoreCancel(bool on) { m_ignoreCancel = on ? 1 : 0; }

    const char* m_caption = nullptr;

private:
    // True when Enter was taken by a redirect row or by the move to the next control.
    bool HandleEnter();
    void HandleUserMessage2100(WPARAM wParam, LPARAM lParam);
};
