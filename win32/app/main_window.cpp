// Program entry, the main window and the menu dispatch.
#include <windows.h>

#include <memory>

#include "app/about_box.h"
#include "app/dpi.h"
#include "app/main_picture.h"
#include "app/panel_dispatch.h"
#include "app_ids.h"

namespace {

constexpr const wchar_t* kClassName = L"rizeviziz";
constexpr const wchar_t* kTitle = L"RURiriro(内部使用) -V4.22";
constexpr DWORD kWindowStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX;
constexpr int kWindowX = 240, kWindowY = 110, kWindowWidth = 600, kWindowHeight = 410;

struct Shell {
  HINSTANCE instance = nullptr;
  std::unique_ptr<MainPicture> picture;  // made with the window, released with it
};
Shell g_shell;

void PaintPicture(HWND window) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  if (g_shell.picture) g_shell.picture->Paint(dc, WindowDpi(window));
  EndPaint(window, &ps);
}

// Moved to another screen or scaling: take the size Windows suggests.
void OnDpiChanged(HWND window, const RECT& suggested) {
  SetWindowPos(window, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  InvalidateRect(window, nullptr, TRUE);
}

void ConfirmExit(HWND window) {
  if (MessageBoxW(window, L"您确定退出本程序?", L"退出", MB_YESNO) == IDYES) PostQuitMessage(0);
}

void OnCommand(HWND window, int commandId) {
  switch (commandId) {
    case IDM_EXIT:
      ConfirmExit(window);
      break;
    case IDM_ABOUT:
      ShowAboutBox(g_shell.instance, window);
      break;
    default:
      RunPanelForCommand(g_shell.instance, window, commandId);
      break;
  }
  // A panel or box may have covered any part of the window.
  InvalidateRect(window, nullptr, TRUE);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: {
      const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
      g_shell.picture = std::make_unique<MainPicture>(create->hInstance);
      break;
    }
    case WM_DESTROY:
      g_shell.picture.reset();
      PostQuitMessage(0);
      break;
    case WM_DPICHANGED:
      OnDpiChanged(window, *reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_PAINT:
      PaintPicture(window);
      break;
    case WM_KEYDOWN:
      if (wParam == VK_ESCAPE) PostMessageW(window, WM_CLOSE, 0, 0);
      break;
    case WM_COMMAND:
      OnCommand(window, LOWORD(wParam));
      break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
      InvalidateRect(window, nullptr, TRUE);
      break;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void RegisterMainClass(HINSTANCE instance) {
  WNDCLASSW wc{};
  wc.style = 0;
  wc.lpfnWndProc = MainWindowProc;
  wc.hInstance = instance;
  wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_APP));
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_SCROLLBAR + 1);
  wc.lpszMenuName = MAKEINTRESOURCEW(IDR_MAIN_MENU);
  wc.lpszClassName = kClassName;
  RegisterClassW(&wc);
}

// Runs until WM_QUIT and returns its code. Blocks while no message is waiting.
int RunMessageLoop(HWND mainWindow, HACCEL accelerators) {
  MSG msg;
  for (;;) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) return static_cast<int>(msg.wParam);
    if (got == -1) return 0;
    if (!TranslateAcceleratorW(mainWindow, accelerators, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  RegisterMainClass(instance);
  // Place and size are for 100 % scaling.
  const UINT dpi = SystemDpi();
  HWND mainWindow = CreateWindowExW(0, kClassName, kTitle, kWindowStyle, ScaleToDpi(kWindowX, dpi),
                                    ScaleToDpi(kWindowY, dpi), ScaleToDpi(kWindowWidth, dpi),
                                    ScaleToDpi(kWindowHeight, dpi), nullptr, nullptr, instance, nullptr);
  if (!mainWindow) return 0;
  g_shell.instance = instance;
  HACCEL accelerators = LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDR_ACCELERATORS));
  ShowWindow(mainWindow, showCommand);

  const int exitCode = RunMessageLoop(mainWindow, accelerators);
  // 退出 ends the loop with the window still open.
  if (IsWindow(mainWindow)) DestroyWindow(mainWindow);
  return exitCode;
}
