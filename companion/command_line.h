#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

// The arguments of one command: options by name ("--to", "--set" may repeat)
// and the plain arguments in order. Texts are UTF-8.
class Arguments {
 public:
  // `valued`: the options that take a value; every other --name is a flag.
  Arguments(const std::vector<std::string>& args, const std::vector<std::string>& valued);

  bool Has(const std::string& name) const;
  std::optional<std::string> Value(const std::string& name) const;  // the last one given
  std::vector<std::string> Values(const std::string& name) const;
  const std::vector<std::string>& Plain() const { return plain_; }
  // The first option that is neither valued nor in `flags`, or a valued
  // option given without its value; empty when all are known.
  std::string Unknown(const std::vector<std::string>& flags) const;

 private:
  std::vector<std::pair<std::string, std::string>> options_;
  std::vector<std::string> plain_;
  std::vector<std::string> valued_;
  std::string missingValue_;
};

// Exit statuses.
inline constexpr int kExitSent = 0;
inline constexpr int kExitFailed = 1;  // nothing or not everything was sent, or the input is faulty
inline constexpr int kExitUsage = 2;   // unknown command, option, panel, button or field

int RunList(const std::vector<std::string>& args);
int RunSend(const std::vector<std::string>& args);
// send FILE --to TARGET, with the arguments send has read.
int RunReplay(const Arguments& a);
int RunDecode(const std::vector<std::string>& args);
int RunRender(const std::vector<std::string>& args);
int RunStatus(const std::vector<std::string>& args);

// "postest: " and the message on stderr; returns `status`.
int Fail(int status, const std::string& message);
