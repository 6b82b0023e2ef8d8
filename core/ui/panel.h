#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

class PanelLogic;

// Buttons of a message box and the answer the user gave.
enum class MessageButtons { Ok, OkCancel, YesNo };
enum class MessageAnswer { Ok, Cancel, Yes, No };

// One entry of an open-file dialog's type list, e.g. {"All", "*.*"}.
struct FileFilter {
  std::string name;
  std::string pattern;
};

// What a button handler may ask of its dialog. Texts are code page 936 bytes.
class Panel {
 public:
  virtual ~Panel() = default;

  // The control's whole text.
  virtual std::string ItemText(int id) = 0;
  virtual void SetItemText(int id, std::string_view text) = 0;
  virtual bool IsChecked(int id) = 0;
  virtual void SetChecked(int id, bool checked) = 0;
  virtual void EnableItem(int id, bool enabled) = 0;
  // List and combo boxes.
  virtual void FillList(int id, const std::vector<std::string>& items) = 0;
  virtual int SelectedIndex(int id) = 0;  // -1 when nothing is selected
  virtual void SelectItem(int id, int index) = 0;
  virtual std::string ListItemText(int id, int index) = 0;
  // A message box owned by this panel.
  virtual MessageAnswer ShowMessage(std::string_view text, std::string_view caption,
                                    MessageButtons buttons) = 0;
  virtual void EndDialog(int result) = 0;

  // Runs another dialog, driven by `logic`, owned by this panel or by no
  // window; returns when it ends.
  virtual void RunNestedDialog(int /*dialogId*/, PanelLogic& /*logic*/, bool /*ownedByThisPanel*/) {}
  // The system's open-file dialog owned by this panel: an existing file's
  // full path, or nothing when the user cancels. `selectedFilter` counts
  // from 0. Panels without files need not provide it.
  virtual std::optional<std::string> ChooseFileToOpen(const std::vector<FileFilter>& /*filters*/,
                                                      int /*selectedFilter*/) {
    return std::nullopt;
  }
  // Tab stops of a list box (with the tab stop style) every `spacing`
  // dialog units.
  virtual void SetListTabStops(int /*id*/, int /*spacing*/) {}
  // The system's configuration dialog for a serial port, with no owner.
  // What the user chooses there is not kept.
  virtual void ShowSerialPortDialog(std::string_view /*portName*/) {}
};

// The logic behind one dialog: the generic dialog layer forwards the
// opening and every command (by control id) here.
class PanelLogic {
 public:
  virtual ~PanelLogic() = default;
  virtual void OnInit(Panel&) {}
  virtual void OnCommand(Panel& panel, int controlId) = 0;
};
