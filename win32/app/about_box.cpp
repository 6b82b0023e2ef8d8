#include "about_box.h"

#include <shellapi.h>

#include "app_ids.h"

namespace {

// Opened by the 访问网站 button.
constexpr const wchar_t* kWebSite = L"https://www.example.com/";

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
          ShellExecuteW(dialog, L"open", kWebSite, nullptr, nullptr, SW_SHOWNORMAL);
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
