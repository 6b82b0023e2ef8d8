#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "dialog_templates.h"
#include "ui/panel.h"

// A dialog without a window, built from its template: edits, check states
// and lists held in memory, message boxes handed to a listener and answered
// with the box's default button (OK, or Yes).
class HeadlessPanel : public Panel {
 public:
  struct Message {
    std::string text, caption;  // code page 936
    MessageButtons buttons;
    MessageAnswer answer;
  };

  explicit HeadlessPanel(const DialogTemplate& dialog);

  std::string ItemText(int id) override;
  void SetItemText(int id, std::string_view text) override;
  bool IsChecked(int id) override;
  void SetChecked(int id, bool checked) override;
  void EnableItem(int id, bool enabled) override;
  void FillList(int id, const std::vector<std::string>& items) override;
  int SelectedIndex(int id) override;
  void SelectItem(int id, int index) override;
  std::string ListItemText(int id, int index) override;
  MessageAnswer ShowMessage(std::string_view text, std::string_view caption, MessageButtons buttons) override;
  // There are no windows: a box over the owner is a box like any other.
  MessageAnswer ShowOwnerMessage(std::string_view text, std::string_view caption,
                                 MessageButtons buttons) override {
    return ShowMessage(text, caption, buttons);
  }
  void EndDialog(int result) override;

  int ItemCount(int id) const;
  // A click on a check box or radio button changes its state first, as the
  // dialog's own auto buttons do: a radio button clears the others of its group.
  void Click(const ControlTemplate& control);

  bool IsEnabled(int id) const;
  bool Ended() const { return ended_; }
  const DialogTemplate& Template() const { return dialog_; }

  std::function<void(const Message&)> onMessage;
  std::vector<Message> messages;

 private:
  struct State {
    std::string text;
    bool checked = false;
    bool enabled = true;
    std::vector<std::string> items;
    int selected = -1;
  };
  const ControlTemplate* Control(int id) const;

  const DialogTemplate& dialog_;
  std::map<int, State> states_;
  bool ended_ = false;
};
