#include "link/message_box_reporter.h"

#include <windows.h>

#include "link/failure_box.h"
#include "ui/codepage.h"

void MessageBoxReporter::Report(const LinkFailure& failure) {
  if (const std::optional<FailureBox> box = BoxFor(failure))
    MessageBoxW(nullptr, WideFromGbk(box->text).c_str(), WideFromGbk(box->caption).c_str(), MB_OK);
}

void PaintPendingWindows() {
  MSG message;
  while (PeekMessageW(&message, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) DispatchMessageW(&message);
}
