#pragma once

#include <windows.h>

#include "ui/panel.h"

// A dialog window seen through the core's Panel interface.
class Win32Panel : public Panel {
 public:
  explicit Win32Panel(HWND dialog) : dialog_(dialog) {}

  std::string ItemText(int id) override;
  void SetItemText(int id, std::string_view text) override;
  bool IsChecked(int id) override;
  void SetChecked(int id, bool checked) override;
  void EnableItem(int id, bool enabled) override;
  void FillList(int id, const std::vector<std::string>& items) override;
  int SelectedIndex(int id) override;
  void SelectItem(int id, int index) override;
  std::string ListItemText(int id, int index) override;
  MessageAnswer ShowMessage(std::string_view text, std::string_view caption,
                            MessageButtons buttons) override;
  void EndDialog(int result) override;
  void RunNestedDialog(int dialogId, PanelLogic& logic, bool ownedByThisPanel) override;
  std::optional<std::string> ChooseFileToOpen(const std::vector<FileFilter>& filters,
                                              int selectedFilter) override;
  void SetListTabStops(int id, int spacing) override;
  void ShowSerialPortDialog(std::string_view portName) override;

 private:
  bool IsComboBox(int id) const;

  HWND dialog_;
};
