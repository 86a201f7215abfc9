// kvimeter.exe: takes no arguments and works in its working directory.
#include "app/tarvex_app.h"

namespace {
CTarvexApp theApp;
}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return RunApplication(theApp);
}
