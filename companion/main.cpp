// postest: the printer tester's companion on the command line.
#include <cstdio>
#include <string>
#include <vector>

#include "command_line.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

const char* kHelp =
    "usage: postest COMMAND [ARGUMENTS]\n"
    "\n"
    "The printer tester's panels and buttons from a script, and a preview of what a\n"
    "printer makes of a stream.\n"
    "\n"
    "commands:\n"
    "  list [PANEL]                          panels, their buttons and fields\n"
    "  send PANEL BUTTON [--set F=V]... --to TARGET\n"
    "                                        press a button; write what it sends\n"
    "  send FILE --to TARGET                 replay a captured job: the file's bytes\n"
    "                                        unchanged\n"
    "  decode [FILE] [--set SET]             one line per command of a stream\n"
    "  render [FILE] -o PAGE.png             the printout as a picture\n"
    "  status --to TARGET [--json]           ask a printer what is wrong and who it is\n"
    "\n"
    "'postest COMMAND --help' tells more about each.\n";

int Run(const std::vector<std::string>& args) {
  if (args.empty()) return Fail(kExitUsage, std::string("no command given\n") + kHelp);
  const std::string& command = args[0];
  const std::vector<std::string> rest(args.begin() + 1, args.end());
  if (command == "--help" || command == "-h" || command == "help") {
    std::fputs(kHelp, stdout);
    return kExitSent;
  }
  if (command == "list") return RunList(rest);
  if (command == "send") return RunSend(rest);
  if (command == "decode") return RunDecode(rest);
  if (command == "render") return RunRender(rest);
  if (command == "status") return RunStatus(rest);
  return Fail(kExitUsage, "unknown command \"" + command + "\" (postest --help)");
}

}  // namespace

#ifdef _WIN32
// Arguments arrive as UTF-16 and are passed on as UTF-8; the console shows UTF-8.
int wmain(int argc, wchar_t** argv) {
  SetConsoleOutputCP(CP_UTF8);
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, argv[i], -1, nullptr, 0, nullptr, nullptr);
    std::string arg(static_cast<std::size_t>(size > 0 ? size : 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, argv[i], -1, arg.data(), size, nullptr, nullptr);
    arg.resize(arg.size() - 1);
    args.push_back(arg);
  }
  return Run(args);
}
#else
int main(int argc, char** argv) { return Run(std::vector<std::string>(argv + 1, argv + argc)); }
#endif
