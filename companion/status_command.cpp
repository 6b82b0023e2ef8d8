// status --to TARGET [--json]: asks a printer for its status and identity.
#include <charconv>
#include <cstdio>
#include <string>

#include "command_line.h"
#include "link/serial_settings.h"
#include "status/findings.h"
#include "status/printer_query.h"
#include "target.h"
#include "text/gbk.h"

namespace {

const char* kHelp =
    "usage: postest status --to TARGET [--json] [options]\n"
    "\n"
    "Asks the printer for its real-time status (DLE EOT 1 to 4: online, cover, paper,\n"
    "feed button, cutter and other errors, drawer signal) and, when it is online, who\n"
    "it is (GS I: model, type, firmware, and the maker, model and serial texts of\n"
    "printers that have them). Nothing is sent that prints or changes a setting. Each\n"
    "request waits 0.4 s for its answer; a printer silent to the first is asked\n"
    "nothing more. Prints one line per finding, in Chinese, as the program's\n"
    "打印机状态 dialog shows them; --json prints one JSON object instead: \"answer\"\n"
    "(answered, silent, garbled or failed), \"ready\", \"lines\" and \"findings\" (one\n"
    "English key per status byte, bit and identity item).\n"
    "\n"
    "TARGET:\n"
    "  tcp://HOST[:PORT]   a network printer (port 9100 when none is given)\n"
    "  /dev/ttyUSB0, COM3  a serial port, with the line settings below\n"
    "  /dev/usb/lp0, usb   a printer device that can answer\n"
    "\n"
    "options:\n"
    "  --baud N         serial baud rate (9600)\n"
    "  --data-bits N    serial data bits (8)\n"
    "  --stop-bits N    serial stop bits, 1 or 2 (1); no parity, DTR on\n"
    "  --timeout S      seconds to connect (10)\n"
    "\n"
    "Exit status: 0 when the printer answered and is ready to print, 1 when it\n"
    "answered with a problem (offline, cover open, paper out, an error), 3 when no\n"
    "status came back (no answer, bytes that are no status, or the port failed),\n"
    "2 for a usage error.\n";

constexpr int kExitNotReady = 1;
constexpr int kExitNoAnswer = 3;

// A JSON string of code page 936 text.
std::string Json(const std::string& gbkText) {
  std::string out = "\"";
  for (const char c : gbk::ToUtf8(gbkText)) {
    const auto b = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (b < 0x20 || b == 0x7F) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", b);
      out += escaped;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

std::string Json(const Finding::Value& value) {
  if (std::holds_alternative<bool>(value)) return std::get<bool>(value) ? "true" : "false";
  if (std::holds_alternative<int>(value)) return std::to_string(std::get<int>(value));
  if (std::holds_alternative<std::string>(value)) return Json(std::get<std::string>(value));
  return "null";
}

void PrintJson(const PrinterAnswers& answers) {
  std::string out = "{\"answer\": \"" + std::string(OutcomeKey(answers.outcome)) + "\", \"ready\": ";
  out += ReadyToPrint(answers) ? "true" : "false";
  out += ", \"lines\": [";
  const auto lines = ResultLines(answers);
  for (std::size_t i = 0; i < lines.size(); ++i) out += (i ? ", " : "") + Json(lines[i]);
  out += "], \"findings\": {";
  bool first = true;
  if (answers.outcome == PrinterAnswers::Outcome::Answered)
    for (const Finding& f : Findings(answers)) {
      out += (first ? "\"" : ", \"") + f.key + "\": " + Json(f.value);
      first = false;
    }
  out += "}}\n";
  std::fputs(out.c_str(), stdout);
}

}  // namespace

int RunStatus(const std::vector<std::string>& args) {
  const Arguments a(args, {"--to", "--baud", "--data-bits", "--stop-bits", "--timeout"});
  if (a.Has("--help") || a.Has("-h")) {
    std::fputs(kHelp, stdout);
    return kExitSent;
  }
  if (const std::string bad = a.Unknown({"--json"}); !bad.empty()) return Fail(kExitUsage, bad);
  if (!a.Plain().empty()) return Fail(kExitUsage, "status takes no PANEL or BUTTON (postest status --help)");
  const std::optional<std::string> target = a.Value("--to");
  if (!target) return Fail(kExitUsage, "status needs --to TARGET (postest status --help)");

  SerialSettings settings;
  TargetOptions options;
  if (std::string bad; !ReadPortOptions(a, settings, options, bad)) return Fail(kExitUsage, bad);

  const std::unique_ptr<Transport> system = MakeSystemTransport(options);
  Endpoint where;
  std::string error;
  if (!EndpointForTarget(*target, *system, where, error)) return Fail(kExitNoAnswer, error);
  if (where.kind == TransportKind::File)
    return Fail(kExitUsage, *target + " is no printer: status needs a port, a printer device or tcp://HOST");
  if (where.kind == TransportKind::Serial) where.line = LineSettingsFor(settings);

  PrinterAnswers answers;
  if (const std::unique_ptr<Connection> connection = system->Open(where, error)) {
    answers = QueryPrinter(*connection);
    connection->Finish(error);
  } else {
    answers.outcome = PrinterAnswers::Outcome::Failed;
    answers.failure = error;
  }

  if (a.Has("--json")) {
    PrintJson(answers);
  } else {
    for (const std::string& line : ResultLines(answers)) std::printf("%s\n", gbk::ToUtf8(line).c_str());
  }
  if (answers.outcome != PrinterAnswers::Outcome::Answered) return kExitNoAnswer;
  return ReadyToPrint(answers) ? kExitSent : kExitNotReady;
}
