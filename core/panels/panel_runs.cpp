#include "panels/panel_runs.h"

#include <string>

#include "panels/field_readers.h"
#include "panels/shared_runs.h"

using namespace std::string_view_literals;

Transmission Runs(std::initializer_list<std::string_view> runs) {
  Transmission t;
  for (std::string_view run : runs) t.runs.emplace_back(run);
  return t;
}

Transmission CopyLoop(Panel& panel, int copyField, Transmission t) {
  t.copies = ReadCopyCount(panel, copyField);
  return t;
}

Transmission Feed(Panel& panel, int amountField, std::string_view prefix, std::string_view command) {
  Transmission t = prefix.empty() ? Transmission{} : Runs({prefix});
  std::string feed(command);
  feed += static_cast<char>(ReadHexByte(panel, amountField));
  t.runs.push_back(std::move(feed));
  return t;
}

Transmission UserText(Panel& panel, int textField, std::string_view prefix) {
  Transmission t = Runs({prefix});
  std::string text = ReadUserText(panel, textField);
  if (!text.empty()) t.runs.push_back(std::move(text));
  return t;
}

Transmission DefineGridImage() {
  Transmission t = Runs({"\x1D*\x1E\n"});
  for (int line = 0; line < 24; ++line) {
    t.runs.emplace_back(kGridColumn);
    for (int gap = 0; gap < 9; ++gap) t.runs.emplace_back(kGridGapColumn);
  }
  return t;
}

Transmission PrintGridImage() { return Runs({"\x1D/\x00"sv, "\r"sv}); }
