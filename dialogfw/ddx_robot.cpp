// Placeholder bodies; the binding engine is being written.
#include "dialogfw/ddx_robot.h"

DDX_Robot::DDX_Robot() = default;
DDX_Robot::~DDX_Robot() = default;
void DDX_Robot::OnDataChanged(int32_t) {}
void DDX_Robot::AddBinding(const BindingEntry&) {}
void DDX_Robot::AddIntEdit(int32_t, int32_t*) {}
void DDX_Robot::UpdateControls() {}
void DDX_Robot::ReadControl(int32_t, bool) {}
LRESULT DDX_Robot::OnControlCommand(HWND, uint32_t) {
    return 0;
}
void DDX_Robot::OnControlNotify(uint32_t, const NMHDR*) {}
void DDX_Robot::SetBindingsLocked(HWND, bool) {}
bool DDX_Robot::AddEnterRedirect(HWND, HWND, uint32_t) {
    return false;
}
