#include "ui/win32_panel.h"

#include <commdlg.h>

#include "ui/codepage.h"
#include "ui/dialog_runner.h"
#include "ui/system_function.h"

namespace {

MessageAnswer ShowBox(HWND owner, std::string_view text, std::string_view caption, MessageButtons buttons) {
  UINT type = MB_OK;
  if (buttons == MessageButtons::OkCancel) type = MB_OKCANCEL;
  if (buttons == MessageButtons::YesNo) type = MB_YESNO;
  switch (MessageBoxW(owner, WideFromGbk(text).c_str(), WideFromGbk(caption).c_str(), type)) {
    case IDCANCEL: return MessageAnswer::Cancel;
    case IDYES: return MessageAnswer::Yes;
    case IDNO: return MessageAnswer::No;
    default: return MessageAnswer::Ok;
  }
}

}  // namespace

std::string Win32Panel::ItemText(int id) {
  HWND item = GetDlgItem(dialog_, id);
  const int length = GetWindowTextLengthW(item);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(item, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(copied));
  return GbkFromWide(text);
}

void Win32Panel::SetItemText(int id, std::string_view text) {
  SetDlgItemTextW(dialog_, id, WideFromGbk(text).c_str());
}

bool Win32Panel::IsChecked(int id) { return IsDlgButtonChecked(dialog_, id) == BST_CHECKED; }

void Win32Panel::SetChecked(int id, bool checked) {
  CheckDlgButton(dialog_, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

void Win32Panel::EnableItem(int id, bool enabled) { EnableWindow(GetDlgItem(dialog_, id), enabled); }

bool Win32Panel::IsComboBox(int id) const {
  wchar_t name[32] = {};
  GetClassNameW(GetDlgItem(dialog_, id), name, 32);
  return lstrcmpiW(name, L"ComboBox") == 0;
}

void Win32Panel::FillList(int id, const std::vector<std::string>& items) {
  const bool combo = IsComboBox(id);
  SendDlgItemMessageW(dialog_, id, combo ? CB_RESETCONTENT : LB_RESETCONTENT, 0, 0);
  for (const std::string& item : items) {
    const std::wstring wide = WideFromGbk(item);
    SendDlgItemMessageW(dialog_, id, combo ? CB_ADDSTRING : LB_ADDSTRING, 0,
                        reinterpret_cast<LPARAM>(wide.c_str()));
  }
}

int Win32Panel::SelectedIndex(int id) {
  const LRESULT index = SendDlgItemMessageW(dialog_, id, IsComboBox(id) ? CB_GETCURSEL : LB_GETCURSEL, 0, 0);
  return index < 0 ? -1 : static_cast<int>(index);
}

void Win32Panel::SelectItem(int id, int index) {
  SendDlgItemMessageW(dialog_, id, IsComboBox(id) ? CB_SETCURSEL : LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

std::string Win32Panel::ListItemText(int id, int index) {
  const bool combo = IsComboBox(id);
  const LRESULT length =
      SendDlgItemMessageW(dialog_, id, combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length < 0) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  SendDlgItemMessageW(dialog_, id, combo ? CB_GETLBTEXT : LB_GETTEXT, static_cast<WPARAM>(index),
                      reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(length));
  return GbkFromWide(text);
}

MessageAnswer Win32Panel::ShowMessage(std::string_view text, std::string_view caption,
                                      MessageButtons buttons) {
  return ShowBox(dialog_, text, caption, buttons);
}

MessageAnswer Win32Panel::ShowOwnerMessage(std::string_view text, std::string_view caption,
                                           MessageButtons buttons) {
  // The owner is disabled while the panel runs and stays so after the box.
  HWND owner = GetWindow(dialog_, GW_OWNER);
  return ShowBox(owner ? owner : dialog_, text, caption, buttons);
}

void Win32Panel::EndDialog(int result) { ::EndDialog(dialog_, result); }

void Win32Panel::RunNestedDialog(int dialogId, PanelLogic& logic, bool ownedByThisPanel) {
  auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(dialog_, GWLP_HINSTANCE));
  RunPanelDialog(instance, dialogId, ownedByThisPanel ? dialog_ : nullptr, logic);
}

std::optional<std::string> Win32Panel::ChooseFileToOpen(const std::vector<FileFilter>& filters,
                                                        int selectedFilter) {
  // Name and pattern pairs, each text ended by a NUL, the list by another.
  std::wstring filterList;
  for (const FileFilter& f : filters) {
    filterList += WideFromGbk(f.name);
    filterList += L'\0';
    filterList += WideFromGbk(f.pattern);
    filterList += L'\0';
  }
  filterList += L'\0';

  wchar_t path[MAX_PATH] = {};
  OPENFILENAMEW request{};
  request.lStructSize = sizeof request;
  request.hwndOwner = dialog_;
  request.lpstrFilter = filterList.c_str();
  request.nFilterIndex = static_cast<DWORD>(selectedFilter + 1);
  request.lpstrFile = path;
  request.nMaxFile = MAX_PATH;
  request.Flags = OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
  static auto* const openFileDialog =
      SystemFunction<decltype(GetOpenFileNameW)>(L"comdlg32.dll", "GetOpenFileNameW");
  if (!openFileDialog || !openFileDialog(&request)) return std::nullopt;
  return GbkFromWide(path);
}

void Win32Panel::SetListTabStops(int id, int spacing) {
  SendDlgItemMessageW(dialog_, id, LB_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&spacing));
}

void Win32Panel::ShowSerialPortDialog(std::string_view portName) {
  const std::wstring name = WideFromGbk(portName);
  // Start from the port's own configuration when the system has one.
  COMMCONFIG config{};
  DWORD size = sizeof config;
  config.dwSize = sizeof config;
  GetDefaultCommConfigW(name.c_str(), &config, &size);
  config.dwSize = sizeof config;
  config.wVersion = 0x100;
  CommConfigDialogW(name.c_str(), nullptr, &config);  // the choices are discarded
}
