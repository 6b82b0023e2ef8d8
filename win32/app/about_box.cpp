#include "about_box.h"

#include <shellapi.h>

#include "app_ids.h"
#include "ui/system_function.h"

namespace {

// Opened by the 访问网站 button.
constexpr const wchar_t* kWebSite = L"https://www.example.com/";

void OpenWebSite(HWND owner) {
  static auto* const shellExecute =
      SystemFunction<decltype(ShellExecuteW)>(L"shell32.dll", "ShellExecuteW");
  if (shellExecute) shellExecute(owner, L"open", kWebSite, nullptr, nullptr, SW_SHOWNORMAL);
}

INT_PTR CALLBACK AboutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      return TRUE;  // focus on the first button
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK:
          EndDialog(dialog, 0);
          return TRUE;
        case IDC_ABOUT_VISIT_SITE:
          OpenWebSite(dialog);
          EndDialog(dialog, 0);
          return TRUE;
        default:
          // Esc (IDCANCEL) does not close the box.
          return FALSE;
      }
    default:
      return FALSE;
  }
}

}  // namespace

void ShowAboutBox(HINSTANCE instance, HWND owner) {
  DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_ABOUT), owner, AboutProc, 0);
}
