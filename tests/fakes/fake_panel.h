#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "ui/panel.h"

// A dialog without a window: field texts, check states and lists set by the
// test, and every message box recorded and answered from a queue.
class FakePanel : public Panel {
 public:
  struct Message {
    std::string text, caption;
    MessageButtons buttons;
  };

  std::string ItemText(int id) override { return texts[id]; }
  void SetItemText(int id, std::string_view text) override { texts[id] = std::string(text); }
  bool IsChecked(int id) override { return checked[id]; }
  void SetChecked(int id, bool value) override { checked[id] = value; }
  void EnableItem(int id, bool value) override { enabled[id] = value; }
  void FillList(int id, const std::vector<std::string>& items) override { lists[id] = items; }
  int SelectedIndex(int id) override { return selected.count(id) ? selected[id] : -1; }
  void SelectItem(int id, int index) override { selected[id] = index; }
  std::string ListItemText(int id, int index) override { return lists[id].at(index); }
  MessageAnswer ShowMessage(std::string_view text, std::string_view caption,
                            MessageButtons buttons) override {
    messages.push_back({std::string(text), std::string(caption), buttons});
    if (answers.empty()) return buttons == MessageButtons::YesNo ? MessageAnswer::Yes : MessageAnswer::Ok;
    MessageAnswer a = answers.front();
    answers.erase(answers.begin());
    return a;
  }
  void EndDialog(int result) override {
    ended = true;
    endResult = result;
  }
  void RunNestedDialog(int dialogId, PanelLogic&, bool ownedByThisPanel) override {
    nestedDialogs.push_back({dialogId, ownedByThisPanel});
  }
  std::optional<std::string> ChooseFileToOpen(const std::vector<FileFilter>& filters,
                                              int selectedFilter) override {
    fileDialogs.push_back({filters, selectedFilter});
    if (fileChoices.empty()) return std::nullopt;
    std::optional<std::string> choice = fileChoices.front();
    fileChoices.erase(fileChoices.begin());
    return choice;
  }
  void SetListTabStops(int id, int spacing) override { tabStops[id] = spacing; }
  void ShowSerialPortDialog(std::string_view portName) override { portDialogs.emplace_back(portName); }

  std::map<int, std::string> texts;
  std::map<int, bool> checked;
  std::map<int, bool> enabled;
  std::map<int, std::vector<std::string>> lists;
  std::map<int, int> selected;
  std::map<int, int> tabStops;  // list id -> spacing in dialog units
  std::vector<MessageAnswer> answers;
  std::vector<Message> messages;
  bool ended = false;
  int endResult = -1;

  struct FileDialog {
    std::vector<FileFilter> filters;
    int selectedFilter;
  };
  std::vector<FileDialog> fileDialogs;
  std::vector<std::optional<std::string>> fileChoices;  // answers in order; cancelled when none left
  std::vector<std::string> portDialogs;                 // serial port names shown
  std::vector<std::pair<int, bool>> nestedDialogs;      // dialog id, owned by this panel
};
