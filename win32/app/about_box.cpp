#include "about_box.h"

#include <shellapi.h>

#include "app/bitmaps.h"
#include "app/dpi.h"
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

// The logo: the dialog's picture control.
HWND FindLogo(HWND dialog) {
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if ((GetWindowLongPtrW(child, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP) return child;
  }
  return nullptr;
}

// Above 96 DPI the logo grows with the dialog, scaled from the large one.
void ScaleLogo(HINSTANCE instance, HWND dialog) {
  const UINT dpi = WindowDpi(dialog);
  HWND logo = FindLogo(dialog);
  if (dpi <= 96 || !logo) return;
  HBITMAP large = LoadBitmapResource(instance, IDB_ABOUT_LOGO_LARGE);
  const SIZE size = BitmapSize(large);
  HDC dc = GetDC(dialog);
  HBITMAP scaled = ScaledCopy(dc, large, MulDiv(size.cx, static_cast<int>(dpi), 192),
                              MulDiv(size.cy, static_cast<int>(dpi), 192));
  ReleaseDC(dialog, dc);
  if (large) DeleteObject(large);
  if (!scaled) return;
  auto previous = reinterpret_cast<HBITMAP>(
      SendMessageW(logo, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(scaled)));
  if (previous) DeleteObject(previous);
  SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(scaled));  // ours to delete
}

void ReleaseLogo(HWND dialog) {
  auto scaled = reinterpret_cast<HBITMAP>(GetWindowLongPtrW(dialog, DWLP_USER));
  if (scaled) DeleteObject(scaled);
}

INT_PTR CALLBACK AboutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      ScaleLogo(reinterpret_cast<HINSTANCE>(lParam), dialog);
      return TRUE;  // focus on the first button
    case WM_DESTROY:
      ReleaseLogo(dialog);
      return FALSE;
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
  DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_ABOUT), owner, AboutProc,
                  reinterpret_cast<LPARAM>(instance));
}
