#include "names.h"

#include <cctype>
#include <charconv>

#include "text_join.h"

namespace {

// Lower case, '_' as '-', without blanks, line breaks and '&'.
std::string Normal(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '&') continue;
    out += c == '_' ? '-' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return out;
}

bool Number(std::string_view text, int& value) {
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc() && end == text.data() + text.size();
}

// The last part of a menu path ("控制码测试 > STAR模式 > 9针" -> "9针").
std::string_view LastItem(std::string_view path) {
  const std::size_t at = path.rfind(" > ");
  return at == std::string_view::npos ? path : path.substr(at + 3);
}

}  // namespace

namespace {

std::string_view WithoutPrefix(std::string_view s) {
  for (std::string_view prefix : {"IDD_", "IDC_", "IDM_", "ID"})
    if (s.substr(0, prefix.size()) == prefix) return s.substr(prefix.size());
  return s;
}

// The longest "WORD_" every IDC_ name of the dialog starts with after "IDC_".
std::string_view Stem(const DialogTemplate& dialog) {
  std::string_view stem;
  bool first = true;
  for (const ControlTemplate& c : dialog.controls) {
    const std::string_view symbol = c.symbol;
    if (symbol.substr(0, 4) != "IDC_") continue;
    const std::string_view rest = symbol.substr(4);
    if (first) {
      stem = rest.substr(0, rest.find('_') + 1);
      first = false;
    } else if (rest.substr(0, stem.size()) != stem) {
      return {};
    }
  }
  return stem.empty() || stem.back() != '_' ? std::string_view() : stem;
}

}  // namespace

std::string PanelName(const DialogTemplate& dialog) { return Normal(WithoutPrefix(dialog.symbol)); }

std::string ControlName(const DialogTemplate& dialog, const ControlTemplate& control) {
  std::string_view s = WithoutPrefix(control.symbol);
  const std::string_view stem = Stem(dialog);
  if (std::string_view(control.symbol).substr(0, 4) == "IDC_" && s.size() > stem.size()) s.remove_prefix(stem.size());
  return Normal(s);
}

std::vector<PanelRef> Panels() {
  std::vector<PanelRef> panels;
  for (const PanelEntry& entry : PanelCatalog()) {
    PanelRef ref;
    ref.entry = &entry;
    for (const DialogTemplate& d : DialogTemplates())
      if (d.id == entry.dialogId) ref.dialog = &d;
    for (const MenuItemTemplate& m : MenuItems())
      if (m.command == entry.command) ref.menuPath = m.path;
    if (ref.dialog) panels.push_back(ref);
  }
  return panels;
}

const PanelRef* FindPanel(const std::vector<PanelRef>& panels, std::string_view name, std::string& error) {
  const std::string wanted = Normal(name);
  int number = 0;
  const bool numeric = Number(name, number);
  std::vector<const PanelRef*> found;
  for (const PanelRef& p : panels) {
    const bool match = numeric ? (p.dialog->id == number || p.entry->command == number)
                               : (wanted == Normal(p.dialog->symbol) || wanted == PanelName(*p.dialog) ||
                                  wanted == Normal(p.dialog->caption) || wanted == Normal(LastItem(p.menuPath)));
    if (match) found.push_back(&p);
  }
  if (found.size() == 1) return found[0];
  if (found.empty()) {
    error = Join({"no panel named \"", name, "\" (see: list)"});
  } else {
    error = Join({"\"", name, "\" names several panels:"});
    for (const PanelRef* p : found) {
      error += ' ';
      error += PanelName(*p->dialog);
    }
  }
  return nullptr;
}

const ControlTemplate* FindControl(const PanelRef& panel, std::string_view name, std::string& error) {
  const std::string wanted = Normal(name);
  int number = 0;
  const bool numeric = Number(name, number);
  std::vector<const ControlTemplate*> found;
  for (const ControlTemplate& c : panel.dialog->controls) {
    if (c.id <= 0 || c.kind == ControlKind::Static || c.kind == ControlKind::GroupBox) continue;
    const bool match = numeric ? c.id == number
                               : (*c.symbol && (wanted == Normal(c.symbol) || wanted == ControlName(*panel.dialog, c))) ||
                                     (*c.caption && wanted == Normal(c.caption));
    if (match) found.push_back(&c);
  }
  if (found.size() == 1) return found[0];
  const std::string panelName = PanelName(*panel.dialog);
  if (found.empty()) {
    error = Join({"panel ", panelName, " has no button or field named \"", name, "\" (see: list ", panelName, ")"});
  } else {
    error = Join({"\"", name, "\" names several controls of panel ", panelName, ":"});
    for (const ControlTemplate* c : found) {
      error += ' ';
      error += std::to_string(c->id);
    }
  }
  return nullptr;
}
