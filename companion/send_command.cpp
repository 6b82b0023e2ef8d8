// send PANEL BUTTON [--set FIELD=VALUE]... --to TARGET: one button press
// through the panel's own logic, written to the target.
#include <charconv>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

#include "command_line.h"
#include "embedded_jobs.h"
#include "headless_panel.h"
#include "link/port_kind.h"
#include "link/printer_link.h"
#include "names.h"
#include "perf/aging_worker.h"
#include "stdio_file_reader.h"
#include "target.h"
#include "target_session.h"
#include "text_join.h"
#include "text/gbk.h"

namespace {

const char* kHelp =
    "usage: postest send PANEL BUTTON [--set FIELD=VALUE]... --to TARGET [options]\n"
    "       postest send FILE --to TARGET [options]\n"
    "\n"
    "Presses one button of a panel, as the program's dialog does, and writes what it\n"
    "sends to TARGET. Panels, buttons and fields are named by id, name or caption\n"
    "(see 'postest list'). Fields start as the dialog opens them; --set fills a text\n"
    "field (\\n, \\r, \\t, \\\\ and \\xHH escapes, except in read-only fields such as a file\n"
    "path; a line break in a several-line field is sent as the dialog holds it,\n"
    "CR LF), ticks a check box (on/off), marks a radio\n"
    "button (on) or chooses a list item (#INDEX from 0, or the item's text).\n"
    "Message boxes are printed on stderr and answered with their default button.\n"
    "A file the custom sender names (file-path) that is missing, a directory or\n"
    "unreadable stops the press before anything is sent.\n"
    "\n"
    "With a FILE instead of a panel and a button, sends the file's bytes to TARGET\n"
    "unchanged: a captured job replayed. A FILE that is missing, a directory,\n"
    "unreadable or empty is refused before anything is sent.\n"
    "\n"
    "TARGET:\n"
    "  tcp://HOST[:PORT]   a network printer (port 9100 when none is given)\n"
    "  /dev/ttyUSB0, COM3  a serial port, with the line settings below\n"
    "  /dev/usb/lp0, LPT1  a printer device\n"
    "  usb                 (Windows) the USB printer the program finds\n"
    "  FILE                any other name: a file, written afresh\n"
    "\n"
    "options:\n"
    "  --baud N         serial baud rate (9600)\n"
    "  --data-bits N    serial data bits (8)\n"
    "  --stop-bits N    serial stop bits, 1 or 2 (1); no parity, DTR on\n"
    "  --timeout S      seconds to connect, and for a printer or port taking no data (10)\n"
    "  --verbose        also print the interface question the panel asks\n"
    "\n"
    "On a terminal, a send that takes longer than a second shows a progress bar on\n"
    "stderr. Ctrl-C stops it between pieces of at most 4096 bytes (half a second of\n"
    "a serial line) and says how many bytes were sent.\n"
    "\n"
    "Exit status: 0 when everything the button writes was sent, 1 when not (an error,\n"
    "a refused entry), 2 for a usage error.\n";

// \n \r \t \\ \xHH in a --set value.
bool Unescape(const std::string& in, std::string& out, std::string& error) {
  for (std::size_t i = 0; i < in.size(); ++i) {
    if (in[i] != '\\' || i + 1 == in.size()) {
      out += in[i];
      continue;
    }
    const char e = in[++i];
    if (e == 'n') out += '\n';
    else if (e == 'r') out += '\r';
    else if (e == 't') out += '\t';
    else if (e == '\\') out += '\\';
    else if (e == 'x' && i + 2 < in.size() && std::isxdigit(static_cast<unsigned char>(in[i + 1])) &&
             std::isxdigit(static_cast<unsigned char>(in[i + 2]))) {
      out += static_cast<char>(std::stoi(in.substr(i + 1, 2), nullptr, 16));
      i += 2;
    } else {
      error = Join({"unknown escape \\", std::string_view(&in[i], 1), " in \"", in, "\""});
      return false;
    }
  }
  return true;
}

bool ParseSwitch(const std::string& value, bool& on) {
  for (const char* yes : {"on", "1", "yes", "true", "checked"})
    if (value == yes) return on = true;
  for (const char* no : {"off", "0", "no", "false", "unchecked"})
    if (value == no) return !(on = false);
  return false;
}

// Puts one --set into the panel; a usage error message when it cannot be.
std::string ApplyField(const PanelRef& panel, HeadlessPanel& dialog, const std::string& assignment) {
  const std::size_t eq = assignment.find('=');
  if (eq == std::string::npos) return "--set needs FIELD=VALUE, not \"" + assignment + "\"";
  std::string error;
  const ControlTemplate* c = FindControl(panel, assignment.substr(0, eq), error);
  if (!c) return error;
  const std::string value = assignment.substr(eq + 1);
  const std::string name = Join({ControlName(*panel.dialog, *c), " (", std::to_string(c->id), ")"});
  switch (c->kind) {
    case ControlKind::Edit: {
      std::string typed, bytes, bad;
      // A read-only field holds what the program put there, such as a path: taken as it is.
      if (c->readOnly) typed = value;
      else if (!Unescape(value, typed, error)) return error;
      if (c->digitsOnly && typed.find_first_not_of("0123456789") != std::string::npos)
        return "field " + name + " takes digits only, not \"" + value + "\"";
      if (c->multiLine) {  // Enter in a several-line field gives CR LF
        std::string lines;
        for (std::size_t i = 0; i < typed.size(); ++i) {
          if (typed[i] == '\n' && (i == 0 || typed[i - 1] != '\r')) lines += '\r';
          lines += typed[i];
        }
        typed = lines;
      }
      if (!gbk::FromUtf8(typed, bytes, &bad)) return Join({"\"", bad, "\" in field ", name, " has no GB2312/GBK code"});
      dialog.SetItemText(c->id, bytes);
      return "";
    }
    case ControlKind::CheckBox: {
      bool on = false;
      if (!ParseSwitch(value, on)) return "check box " + name + " is on or off, not \"" + value + "\"";
      dialog.SetChecked(c->id, on);
      return "";
    }
    case ControlKind::RadioButton: {
      bool on = false;
      if (!ParseSwitch(value, on) || !on) return "radio button " + name + " can only be set on";
      if (c->autoState) dialog.Click(*c);
      else dialog.SetChecked(c->id, true);
      return "";
    }
    case ControlKind::ListBox:
    case ControlKind::ComboBox: {
      const int count = dialog.ItemCount(c->id);
      int index = -1;
      if (!value.empty() && value[0] == '#') {
        const auto [end, ec] = std::from_chars(value.data() + 1, value.data() + value.size(), index);
        if (ec != std::errc() || end != value.data() + value.size()) index = -1;
      } else {
        std::string bytes;
        gbk::FromUtf8(value, bytes);
        for (int i = 0; i < count; ++i)
          if (dialog.ListItemText(c->id, i) == bytes) index = i;
      }
      if (index < 0 || index >= count)
        return "list " + name + " has " + std::to_string(count) + " items (#0 to #" + std::to_string(count - 1) +
               "); \"" + value + "\" is none of them";
      dialog.SelectItem(c->id, index);
      return "";
    }
    default: return name + " is not a field: name it as the button to press";
  }
}

int RadioFor(PortKind kind) {
  switch (kind) {
    case PortKind::Serial: return kSerialRadioId;
    case PortKind::Usb: return kUsbRadioId;
    case PortKind::Network: return kNetworkRadioId;
    case PortKind::Parallel: break;
  }
  return kParallelRadioId;
}

void PrintMessage(const HeadlessPanel::Message& m) {
  const char* answer = m.answer == MessageAnswer::Yes ? "Yes" : "OK";
  std::fprintf(stderr, "[%s] %s  (answered %s)\n", gbk::ToUtf8(m.caption).c_str(), gbk::ToUtf8(m.text).c_str(), answer);
}

}  // namespace

int RunSend(const std::vector<std::string>& args) {
  const Arguments a(args, {"--set", "--to", "--baud", "--data-bits", "--stop-bits", "--timeout"});
  if (a.Has("--help") || a.Has("-h")) {
    std::fputs(kHelp, stdout);
    return kExitSent;
  }
  if (const std::string bad = a.Unknown({"--verbose"}); !bad.empty()) return Fail(kExitUsage, bad);
  if (a.Plain().size() == 1) return RunReplay(a);
  if (a.Plain().size() != 2) return Fail(kExitUsage, "send needs a PANEL and a BUTTON, or a FILE (postest send --help)");
  const std::optional<std::string> target = a.Value("--to");
  if (!target) return Fail(kExitUsage, "send needs --to TARGET (postest send --help)");

  SerialSettings settings;
  TargetOptions options;
  if (std::string bad; !ReadPortOptions(a, settings, options, bad)) return Fail(kExitUsage, bad);

  const std::vector<PanelRef> panels = Panels();
  std::string error;
  const PanelRef* panel = FindPanel(panels, a.Plain()[0], error);
  if (!panel) return Fail(kExitUsage, error);
  const ControlTemplate* button = FindControl(*panel, a.Plain()[1], error);
  if (!button) return Fail(kExitUsage, error);
  if (button->kind != ControlKind::PushButton && button->kind != ControlKind::CheckBox &&
      button->kind != ControlKind::RadioButton)
    return Fail(kExitUsage, Join({"\"", a.Plain()[1], "\" is a field, not a button: fill it with --set"}));

  TargetSession session;
  if (!session.Start(*target, settings, options, error)) return Fail(kExitFailed, error);
  PrinterLink& link = session.Link();
  // A file the panel names that cannot be read ends the press before its first byte.
  StdioFileReader files([&](const std::string& reason) { session.Driver().Stop(reason); });
  AgingWorker aging(link);  // a run started here ends with the command
  PanelServices services{session.Settings(), link, EmbeddedSampleJobs(), files, aging};
  std::unique_ptr<PanelLogic> logic = panel->entry->make(services);

  HeadlessPanel dialog(*panel->dialog);
  const bool verbose = a.Has("--verbose");
  dialog.onMessage = [&](const HeadlessPanel::Message& m) {
    if (verbose) PrintMessage(m);
  };
  logic->OnInit(dialog);
  for (const std::string& assignment : a.Values("--set"))
    if (const std::string problem = ApplyField(*panel, dialog, assignment); !problem.empty())
      return Fail(kExitUsage, problem);

  // The interface button for the target, when the panel has one.
  const int radio = RadioFor(session.Port());
  for (const ControlTemplate& c : panel->dialog->controls)
    if (c.id == radio) {
      dialog.Click(c);
      logic->OnCommand(dialog, radio);
    }
  if (!session.Driver().Error().empty()) return Fail(kExitFailed, session.Driver().Error());

  if (!dialog.IsEnabled(button->id)) return Fail(kExitFailed, "button " + a.Plain()[1] + " is disabled");
  const std::size_t messagesBefore = dialog.messages.size();
  dialog.onMessage = PrintMessage;
  dialog.Click(*button);
  logic->OnCommand(dialog, button->id);
  // An aging run started by the button is the command's work: wait for all of it.
  if (aging.Running()) {
    std::fprintf(stderr, "aging run: %d patterns, stop with Ctrl+C\n", AgingWorker::kWrites);
    while (aging.Running()) std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  return session.Finish(dialog.messages.size() > messagesBefore);
}
