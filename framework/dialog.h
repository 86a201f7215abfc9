#pragma once
// Modal dialogs from a template resource, and the exchange of their data with the controls.
#include "framework/wnd.h"

// What DoDataExchange is asked to do: fill the controls (false) or read them (true).
struct CDataExchange {
    CWnd* m_pDlgWnd;
    BOOL m_bSaveAndValidate;
};

// Attaches `control` to the dialog's item `id` by subclassing it, once.
void DDX_Control(CDataExchange* dx, int id, CWnd& control);

// A modal dialog from a template resource of the program file.
class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);

    static const CRuntimeClass classCDialog;
    const CRuntimeClass* GetRuntimeClass() const override;
    static const MessageMap* ThisMessageMap();
    const MessageMap* GetMessageMap() const override;

    virtual INT_PTR DoModal();
    // Fills the controls' initial list items from the template's item resource, then
    // exchanges the dialog data into the controls.
    virtual BOOL OnInitDialog();
    virtual void DoDataExchange(CDataExchange* dx);
    BOOL UpdateData(BOOL saveAndValidate = TRUE);
    void EndDialog(int result);

    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

protected:
    virtual void OnOK();
    virtual void OnCancel();

    UINT m_nIDHelp = 0;

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    HWND ModalOwner() const;
    void ExecuteDlgInit();
    void CenterIfUnplaced();
    void HandleOK() { OnOK(); }
    void HandleCancel() { OnCancel(); }

    UINT m_templateId;
    CWnd* m_pParentWnd;
};
