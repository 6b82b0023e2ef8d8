#include "headless_panel.h"

#include <algorithm>
#include <cctype>

#include "text/gbk.h"

HeadlessPanel::HeadlessPanel(const DialogTemplate& dialog) : dialog_(dialog) {
  for (const ControlTemplate& c : dialog.controls) {
    if (c.id <= 0 || states_.count(c.id)) continue;
    State& s = states_[c.id];
    // Buttons and labels hold their caption; edits start empty.
    if (c.kind != ControlKind::Edit) gbk::FromUtf8(c.caption, s.text);
  }
}

const ControlTemplate* HeadlessPanel::Control(int id) const {
  for (const ControlTemplate& c : dialog_.controls)
    if (c.id == id) return &c;
  return nullptr;
}

std::string HeadlessPanel::ItemText(int id) { return states_[id].text; }
void HeadlessPanel::SetItemText(int id, std::string_view text) { states_[id].text = std::string(text); }
bool HeadlessPanel::IsChecked(int id) { return states_[id].checked; }
void HeadlessPanel::SetChecked(int id, bool checked) { states_[id].checked = checked; }
void HeadlessPanel::EnableItem(int id, bool enabled) { states_[id].enabled = enabled; }

bool HeadlessPanel::IsEnabled(int id) const {
  auto it = states_.find(id);
  return it == states_.end() || it->second.enabled;
}

void HeadlessPanel::FillList(int id, const std::vector<std::string>& items) {
  State& s = states_[id];
  s.items = items;
  s.selected = -1;
  const ControlTemplate* c = Control(id);
  if (c && c->sorted)
    std::stable_sort(s.items.begin(), s.items.end(), [](const std::string& a, const std::string& b) {
      return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) < std::tolower(static_cast<unsigned char>(y));
      });
    });
}

int HeadlessPanel::SelectedIndex(int id) { return states_[id].selected; }

std::string HeadlessPanel::ListItemText(int id, int index) {
  const State& s = states_[id];
  return index >= 0 && index < static_cast<int>(s.items.size()) ? s.items[static_cast<std::size_t>(index)] : "";
}

void HeadlessPanel::SelectItem(int id, int index) {
  State& s = states_[id];
  s.selected = index >= 0 && index < static_cast<int>(s.items.size()) ? index : -1;
  // A drop-down list shows the chosen item as its text.
  if (index >= 0 && index < static_cast<int>(s.items.size())) s.text = s.items[static_cast<std::size_t>(index)];
}

int HeadlessPanel::ItemCount(int id) const {
  auto it = states_.find(id);
  return it == states_.end() ? 0 : static_cast<int>(it->second.items.size());
}

void HeadlessPanel::Click(const ControlTemplate& control) {
  if (!control.autoState) return;
  if (control.kind == ControlKind::CheckBox) {
    states_[control.id].checked = !states_[control.id].checked;
    return;
  }
  if (control.kind != ControlKind::RadioButton) return;
  for (const ControlTemplate& other : dialog_.controls)
    if (other.kind == ControlKind::RadioButton && other.autoState && other.group == control.group)
      states_[other.id].checked = false;
  states_[control.id].checked = true;
}

MessageAnswer HeadlessPanel::ShowMessage(std::string_view text, std::string_view caption, MessageButtons buttons) {
  const MessageAnswer answer = buttons == MessageButtons::YesNo ? MessageAnswer::Yes : MessageAnswer::Ok;
  messages.push_back({std::string(text), std::string(caption), buttons, answer});
  if (onMessage) onMessage(messages.back());
  return answer;
}

void HeadlessPanel::EndDialog(int) { ended_ = true; }
