#pragma once
// A resizable box with a list of lines to read, scroll and copy: the errors of a booking file,
// the outcome of a verify.
#include <string>

#include "framework/framework.h"

class CTextListDlg : public CDialog {
public:
    // title and lines: Windows-1250, lines separated by "\n".
    CTextListDlg(std::string title, std::string lines, CWnd* parent);

    static const MessageMap* ThisMessageMap();
    const MessageMap* GetMessageMap() const override;

    BOOL OnInitDialog() override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

    // The lines as the edit shows them, CR LF between them.
    std::wstring ShownText() const;

protected:
    void OnCopy();

private:
    void LayOut(int width, int height);

    std::string m_title;
    std::string m_lines;
    SIZE m_minimum{};
};
