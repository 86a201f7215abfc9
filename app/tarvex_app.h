#pragma once
// The application object: registers the common controls and runs the main dialog, whose end
// is the end of the program.
#include "framework/framework.h"

class CTarvexApp : public CWinApp {
public:
    BOOL InitInstance() override;
};
