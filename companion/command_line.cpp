#include "command_line.h"

#include <algorithm>

Arguments::Arguments(const std::vector<std::string>& args, const std::vector<std::string>& valued) : valued_(valued) {
  bool optionsEnd = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (optionsEnd || a.size() < 2 || a[0] != '-' || a == "-") {
      plain_.push_back(a);
      continue;
    }
    if (a == "--") {
      optionsEnd = true;
      continue;
    }
    std::string name = a, value;
    const std::size_t eq = a.find('=');
    const bool isValued = std::find(valued.begin(), valued.end(), a.substr(0, eq)) != valued.end();
    if (isValued && eq != std::string::npos) {
      name = a.substr(0, eq);
      value = a.substr(eq + 1);
    } else if (isValued) {
      if (i + 1 >= args.size()) {
        missingValue_ = a;
        continue;
      }
      value = args[++i];
    }
    options_.emplace_back(name, value);
  }
}

bool Arguments::Has(const std::string& name) const {
  return std::any_of(options_.begin(), options_.end(), [&](const auto& o) { return o.first == name; });
}

std::optional<std::string> Arguments::Value(const std::string& name) const {
  std::optional<std::string> found;
  for (const auto& o : options_)
    if (o.first == name) found = o.second;
  return found;
}

std::vector<std::string> Arguments::Values(const std::string& name) const {
  std::vector<std::string> found;
  for (const auto& o : options_)
    if (o.first == name) found.push_back(o.second);
  return found;
}

std::string Arguments::Unknown(const std::vector<std::string>& flags) const {
  if (!missingValue_.empty()) return missingValue_ + " needs a value";
  for (const auto& o : options_)
    if (std::find(valued_.begin(), valued_.end(), o.first) == valued_.end() &&
        std::find(flags.begin(), flags.end(), o.first) == flags.end())
      return "unknown option " + o.first;
  return "";
}

int Fail(int status, const std::string& message) {
  std::fprintf(stderr, "postest: %s\n", message.c_str());
  return status;
}
