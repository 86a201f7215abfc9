#pragma once
// The application object: registers the common controls and runs the main dialog, whose end
// is the end of the program.
#include "framework/framework.h"

class CTarvexApp : public CWinApp {
public:
    BOOL InitInstance() override;

    // Runs the dialog as the main window. One that cannot be created is said so in a box with
    // the system's reason, and the program then ends with status 1.
    void RunMainDialog(CDialog& dialog);
};
