#pragma once

#include <string>
#include <string_view>
#include <vector>

// Buttons of a message box and the answer the user gave.
enum class MessageButtons { Ok, OkCancel, YesNo };
enum class MessageAnswer { Ok, Cancel, Yes, No };

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
};

// The logic behind one dialog: the generic dialog layer forwards the
// opening and every command (by control id) here.
class PanelLogic {
 public:
  virtual ~PanelLogic() = default;
  virtual void OnInit(Panel&) {}
  virtual void OnCommand(Panel& panel, int controlId) = 0;
};
