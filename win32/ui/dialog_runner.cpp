#include "ui/dialog_runner.h"

#include "ui/press_window.h"
#include "ui/win32_panel.h"

namespace {

// One dialog procedure for every panel: it hands the opening and each
// command, by control id, to the panel's logic.
INT_PTR CALLBACK PanelDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrW(dialog, GWLP_USERDATA, lParam);
    Win32Panel panel(dialog);
    reinterpret_cast<PanelLogic*>(lParam)->OnInit(panel);
    return TRUE;
  }
  auto* logic = reinterpret_cast<PanelLogic*>(GetWindowLongPtrW(dialog, GWLP_USERDATA));
  if (logic == nullptr) return FALSE;
  if (message == WM_COMMAND) {
    // During a press no command starts another; 关闭 cancels it and closes after.
    if (PressRunning()) {
      if (LOWORD(wParam) == IDOK) CancelRunningPress(dialog);
      return TRUE;
    }
    Win32Panel panel(dialog);
    PressOwner owner(dialog);
    logic->OnCommand(panel, LOWORD(wParam));
    return TRUE;
  }
  return FALSE;
}

}  // namespace

INT_PTR RunPanelDialog(HINSTANCE instance, int templateId, HWND owner, PanelLogic& logic) {
  return DialogBoxParamW(instance, MAKEINTRESOURCEW(templateId), owner, PanelDialogProc,
                         reinterpret_cast<LPARAM>(&logic));
}
