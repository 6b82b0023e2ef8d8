// send FILE --to TARGET: a captured job written to the target unchanged.
#include <cstdio>
#include <vector>

#include "command_line.h"
#include "link/press_monitor.h"
#include "link/press_runner.h"
#include "link/printer_link.h"
#include "names.h"
#include "stdio_file_reader.h"
#include "target.h"
#include "target_session.h"

namespace {

constexpr std::size_t kBufferBytes = 1'000'000;  // read and handed to the link a buffer at a time

}  // namespace

int RunReplay(const Arguments& a) {
  if (a.Has("--set") || a.Has("--verbose")) return Fail(kExitUsage, "--set and --verbose go with a PANEL and a BUTTON; a FILE is sent as it is");
  const std::optional<std::string> target = a.Value("--to");
  if (!target) return Fail(kExitUsage, "send needs --to TARGET (postest send --help)");
  SerialSettings settings;
  TargetOptions options;
  if (std::string bad; !ReadPortOptions(a, settings, options, bad)) return Fail(kExitUsage, bad);

  // The file is opened and its first buffer read before the target is.
  const std::string& path = a.Plain()[0];
  std::string problem;
  TargetTransport* driver = nullptr;  // once sending, a failed read ends the run there
  std::unique_ptr<OpenedFile> file = OpenUtf8File(path, [&](const std::string& reason) {
    if (driver) driver->Stop(reason);
    else problem = reason;
  });
  std::vector<std::uint8_t> buffer(kBufferBytes);
  const std::optional<std::size_t> first = file ? file->Read(buffer.data(), buffer.size()) : std::nullopt;
  if (!first) {
    std::string notPanel;
    if (!file && FindPanel(Panels(), path, notPanel))
      return Fail(kExitUsage, "send needs a PANEL and a BUTTON, or a FILE (postest send --help)");
    return Fail(kExitFailed, problem + "; nothing was sent");
  }
  if (*first == 0) return Fail(kExitFailed, path + " is empty; nothing was sent");
  const std::uint64_t total = file->Size().value_or(*first);

  TargetSession session;
  std::string error;
  if (!session.Start(*target, settings, options, error)) return Fail(kExitFailed, error);
  driver = &session.Driver();
  RunPress(session.Link(), total, [&](PressMonitor* monitor) {
    PrinterLink::DirectSend send(session.Link(), session.Port(), monitor);
    send.Write(buffer.data(), *first);
    for (std::size_t count = *first; count > 0 && driver->Error().empty() && !(monitor && monitor->Cancelled());) {
      count = file->Read(buffer.data(), buffer.size()).value_or(0);
      if (count > 0) send.Write(buffer.data(), count);
    }
  });
  return session.Finish(true);
}
