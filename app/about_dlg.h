#pragma once
// The About box, opened from the system menu.
#include "framework/framework.h"

class CAboutDlg : public CDialog {
public:
    CAboutDlg();
};
