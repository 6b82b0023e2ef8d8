// list [PANEL]: every panel with its buttons and fields.
#include <cstdio>
#include <string>

#include "command_line.h"
#include "link/port_kind.h"
#include "names.h"

namespace {

const char* kHelp =
    "usage: postest list [PANEL]\n"
    "\n"
    "Lists every panel of the program (or only PANEL) with its buttons and fields:\n"
    "id, name and caption. Panels, buttons and fields can be named by any of the three\n"
    "in 'postest send'. The interface buttons are left out: --to chooses the port.\n";

bool IsInterfaceRadio(int id) {
  return id == kSerialRadioId || id == kParallelRadioId || id == kUsbRadioId || id == kNetworkRadioId;
}

std::string OneLine(std::string text) {
  for (char& c : text)
    if (c == '\n' || c == '\r') c = ' ';
  return text;
}

const char* FieldKind(const ControlTemplate& c) {
  switch (c.kind) {
    case ControlKind::Edit:
      if (c.readOnly) return "text field, read-only: taken as given, without escapes";
      return c.digitsOnly ? "text field, digits only" : c.multiLine ? "text field, several lines" : "text field";
    case ControlKind::CheckBox: return "check box: on or off";
    case ControlKind::RadioButton: return "radio button: on";
    case ControlKind::ListBox: return "list: #INDEX or item text";
    case ControlKind::ComboBox: return "drop-down list: #INDEX or item text";
    default: return "";
  }
}

void ListPanel(const PanelRef& p) {
  const std::string panel = PanelName(*p.dialog);
  std::printf("%s  (dialog %d, menu %d: %s)\n  caption: %s\n", panel.c_str(), p.dialog->id, p.entry->command,
              p.menuPath, p.dialog->caption);
  std::printf("  buttons:\n");
  for (const ControlTemplate& c : p.dialog->controls)
    if ((c.kind == ControlKind::PushButton || (c.kind == ControlKind::CheckBox || c.kind == ControlKind::RadioButton)) &&
        c.id > 0 && !IsInterfaceRadio(c.id))
      std::printf("    %-6d %-26s %s\n", c.id, ControlName(*p.dialog, c).c_str(), OneLine(c.caption).c_str());
  bool header = false;
  for (const ControlTemplate& c : p.dialog->controls) {
    if (c.id <= 0 || IsInterfaceRadio(c.id) || *FieldKind(c) == '\0') continue;
    if (!header) std::printf("  fields (--set NAME=VALUE):\n");
    header = true;
    std::printf("    %-6d %-26s %s%s%s\n", c.id, ControlName(*p.dialog, c).c_str(), FieldKind(c),
                *c.caption ? ", " : "", OneLine(c.caption).c_str());
  }
}

}  // namespace

int RunList(const std::vector<std::string>& args) {
  const Arguments a(args, {});
  if (a.Has("--help") || a.Has("-h")) {
    std::fputs(kHelp, stdout);
    return kExitSent;
  }
  if (const std::string bad = a.Unknown({}); !bad.empty()) return Fail(kExitUsage, bad + "\n" + kHelp);
  const std::vector<PanelRef> panels = Panels();
  if (a.Plain().size() > 1) return Fail(kExitUsage, std::string("too many arguments\n") + kHelp);
  if (a.Plain().size() == 1) {
    std::string error;
    const PanelRef* p = FindPanel(panels, a.Plain()[0], error);
    if (!p) return Fail(kExitUsage, error);
    ListPanel(*p);
    return kExitSent;
  }
  for (std::size_t i = 0; i < panels.size(); ++i) {
    if (i) std::printf("\n");
    ListPanel(panels[i]);
  }
  return kExitSent;
}
