#include "ui/press_window.h"

#include <commctrl.h>

#include <optional>
#include <vector>

#include "link/press_texts.h"
#include "ui/codepage.h"
#include "ui/system_function.h"

namespace {

using std::chrono::milliseconds;

constexpr milliseconds kShowAfter{500};
constexpr DWORD kRedrawMs = 200;
constexpr int kCloseId = 1;
constexpr int kFiguresId = 101, kRateId = 102, kBarId = 103;
constexpr int kBarRange = 1000;
constexpr const wchar_t* kClassName = L"PressProgress";

struct RunningPress {
  PressMonitor& monitor;
  HWND closeAfter = nullptr;  // a panel whose 关闭 waits for the press
};
RunningPress* g_running = nullptr;  // only the dialogs' thread touches these
HWND g_owner = nullptr;

// comctl32 is loaded for the first long press only, not at start.
void RegisterProgressBar() {
  static const bool registered = [] {
    static auto* init = SystemFunction<decltype(InitCommonControlsEx)>(L"comctl32.dll", "InitCommonControlsEx");
    const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_PROGRESS_CLASS};
    return init != nullptr && init(&controls);
  }();
  (void)registered;
}

LRESULT CALLBACK ProgressProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // 取消 and the close box both cancel; the window closes when the press ends.
  if ((message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) || message == WM_CLOSE) {
    if (g_running) g_running->monitor.Cancel();
    EnableWindow(GetDlgItem(window, IDCANCEL), FALSE);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

// The small window owned by the panel.
class ProgressWindow {
 public:
  ProgressWindow(HINSTANCE instance, HWND owner) {
    RegisterProgressBar();
    const int width = 320, height = 150;
    RECT o{};
    GetWindowRect(owner, &o);
    window_ = CreateWindowExW(WS_EX_DLGMODALFRAME, kClassName, WideFromGbk(press_texts::kSending).c_str(),
                              WS_POPUP | WS_CAPTION | WS_SYSMENU, (o.left + o.right - width) / 2,
                              (o.top + o.bottom - height) / 2, width, height, owner, nullptr, instance, nullptr);
    if (!window_) return;
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(owner, WM_GETFONT, 0, 0));
    auto child = [&](const wchar_t* cls, const std::wstring& text, DWORD style, int id, int x, int y, int w, int h) {
      HWND c = CreateWindowExW(0, cls, text.c_str(), WS_CHILD | WS_VISIBLE | style, x, y, w, h, window_,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
      if (font) SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
      return c;
    };
    child(L"STATIC", L"", SS_LEFT, kFiguresId, 14, 10, 280, 18);
    child(L"STATIC", L"", SS_LEFT, kRateId, 14, 30, 280, 18);
    bar_ = child(PROGRESS_CLASSW, L"", 0, kBarId, 14, 52, 284, 16);
    SendMessageW(bar_, PBM_SETRANGE32, 0, kBarRange);
    child(L"BUTTON", WideFromGbk(press_texts::kCancel), BS_PUSHBUTTON | WS_TABSTOP, IDCANCEL, 114, 78, 84, 26);
    ShowWindow(window_, SW_SHOWNORMAL);
  }
  ~ProgressWindow() {
    if (window_) DestroyWindow(window_);
  }
  ProgressWindow(const ProgressWindow&) = delete;
  ProgressWindow& operator=(const ProgressWindow&) = delete;

  HWND Handle() const { return window_; }
  void Show(const PressProgress& p) {
    if (!window_) return;
    SetDlgItemTextW(window_, kFiguresId, WideFromGbk(press_texts::SentOfTotal(p)).c_str());
    SetDlgItemTextW(window_, kRateId, WideFromGbk(press_texts::RateAndTimeLeft(p, rateBase_.From(p))).c_str());
    const auto done = p.total == 0 ? 0 : static_cast<WPARAM>(p.sent * kBarRange / p.total);
    SendMessageW(bar_, PBM_SETPOS, done, 0);
  }

 private:
  HWND window_ = nullptr;
  HWND bar_ = nullptr;
  RateBase rateBase_;
};

// The panel's enabled controls but 关闭, disabled while the window shows.
class ControlsOff {
 public:
  explicit ControlsOff(HWND panel) {
    for (HWND c = GetWindow(panel, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
      if (GetDlgCtrlID(c) != kCloseId && IsWindowEnabled(c)) {
        EnableWindow(c, FALSE);
        off_.push_back(c);
      }
  }
  ~ControlsOff() {
    for (HWND c : off_)
      if (IsWindow(c)) EnableWindow(c, TRUE);
  }

 private:
  std::vector<HWND> off_;
};

// Input, paint and timers (a caret's blink) are handled at once; only what
// was posted to the panel otherwise (clicks, commands) waits for the press.
// Paint must never wait: an invalid window would be handed out again and again.
bool HandledAtOnce(UINT message) {
  constexpr UINT kSystemTimer = 0x0118;
  return (message >= WM_KEYFIRST && message <= WM_KEYLAST) || (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
         (message >= WM_NCMOUSEMOVE && message <= WM_NCXBUTTONDBLCLK) || message == WM_PAINT || message == WM_TIMER ||
         message == kSystemTimer;
}

// Paint and sent messages only: what a window must answer to stay alive.
void PaintAndAnswer() {
  MSG m;
  PeekMessageW(&m, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  while (PeekMessageW(&m, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) DispatchMessageW(&m);
}

}  // namespace

WindowPressRunner::~WindowPressRunner() { link_.SetRunner(nullptr); }

WindowPressRunner::WindowPressRunner(HINSTANCE instance, PrinterLink& link) : instance_(instance), link_(link) {
  link_.SetRunner(this);
  WNDCLASSW wc{};
  wc.lpfnWndProc = ProgressProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kClassName;
  RegisterClassW(&wc);
}

PressOwner::PressOwner(HWND panel) : before_(g_owner) { g_owner = panel; }
PressOwner::~PressOwner() { g_owner = before_; }

bool PressRunning() { return g_running != nullptr; }

void CancelRunningPress(HWND thenClose) {
  if (!g_running) return;
  g_running->monitor.Cancel();
  g_running->closeAfter = thenClose;
}

void WindowPressRunner::Run(std::uint64_t total, const PressWrites& writes) {
  HWND panel = g_owner;
  PressMonitor monitor(total);
  RunningPress running{monitor};
  g_running = &running;
  HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  std::optional<PressThread> thread(std::in_place, monitor, [&](PressMonitor* m) {
    writes(m);
    SetEvent(done);
  });

  std::optional<ControlsOff> controlsOff;
  std::optional<ProgressWindow> window;
  std::optional<int> quit;
  std::vector<MSG> forLater;  // posted to the panel: handled once the press is over
  for (;;) {
    const bool shown = window.has_value();
    const DWORD wake = MsgWaitForMultipleObjectsEx(1, &done, kRedrawMs, shown ? QS_ALLINPUT : QS_SENDMESSAGE | QS_PAINT,
                                                   MWMO_INPUTAVAILABLE);
    if (wake == WAIT_OBJECT_0) break;
    if (!shown) {
      PaintAndAnswer();
    } else {
      MSG m;
      while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
        if (m.message == WM_QUIT) {  // the program ends: cancel, then end as asked
          quit = static_cast<int>(m.wParam);
          monitor.Cancel();
        } else if (panel && (m.hwnd == panel || IsChild(panel, m.hwnd)) && !HandledAtOnce(m.message)) {
          forLater.push_back(m);
        } else if (!IsDialogMessageW(window->Handle(), &m)) {
          TranslateMessage(&m);
          DispatchMessageW(&m);
        }
      }
    }
    if (panel && !IsWindow(panel)) monitor.Cancel();
    const PressProgress progress = monitor.Progress();
    if (!shown && progress.elapsed >= kShowAfter && panel && IsWindow(panel)) {
      controlsOff.emplace(panel);
      window.emplace(instance_, panel);
    }
    if (window) window->Show(progress);
  }
  thread.reset();
  CloseHandle(done);
  window.reset();
  controlsOff.reset();
  g_running = nullptr;

  const PressProgress end = monitor.Progress();
  if (quit) {
    PostQuitMessage(*quit);
  } else if (end.stopped && panel && IsWindow(panel)) {
    MessageBoxW(panel, WideFromGbk(press_texts::Cancelled(end)).c_str(), WideFromGbk(press_texts::kCancelledCaption).c_str(), MB_OK);
  }
  for (const MSG& m : forLater)
    if (IsWindow(m.hwnd)) PostMessageW(m.hwnd, m.message, m.wParam, m.lParam);
  if (running.closeAfter && IsWindow(running.closeAfter))
    PostMessageW(running.closeAfter, WM_COMMAND, MAKEWPARAM(kCloseId, BN_CLICKED), 0);
}
