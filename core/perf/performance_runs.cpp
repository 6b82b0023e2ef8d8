#include "perf/performance_runs.h"

#include <array>
#include <string>

using namespace std::string_view_literals;

const std::string_view kFullLine30 = "012345678901234567890123456789"sv;
const std::string_view kFullLine32 = "01234567890123456789012345678901"sv;
const std::string_view kFullLine40 = "0123456789012345678901234567890123456789"sv;
const std::string_view kFullLine42 = "012345678901234567890123456789012345678901"sv;
const std::string_view kOlympicLine = "北京奥运会\xBB\n"sv;

namespace {

constexpr std::array<char, 95> BuildAsciiRun() {
  std::array<char, 95> run{};
  for (int i = 0; i < 95; ++i) {
    const int byte = 0x20 + i;
    run[i] = static_cast<char>((byte & 0x0F) == 0x8 ? byte - 1 : byte);
  }
  return run;
}
constexpr std::array<char, 95> kAsciiRun = BuildAsciiRun();

constexpr std::string_view kLineSpacing = "\x1B" "2"sv;  // 1/6 inch
constexpr std::string_view kReverseFeed = "\x1Bj\x18"sv;
constexpr std::string_view kRule = "────────────────"sv;  // 16 x A9 A4
constexpr std::string_view kBars = "││││││││││││││││"sv;  // 16 x A9 A6

}  // namespace

Transmission SpeedTest() {
  Transmission t;
  t.runs.assign(30, std::string(kAsciiRun.begin(), kAsciiRun.end()));
  return t;
}

Transmission LineTest(std::string_view line, bool addLineFeed) {
  Transmission t;
  t.runs.emplace_back(line);
  if (addLineFeed) t.runs.emplace_back("\n");
  return t;
}

Transmission Alignment(AlignmentTest test) {
  const bool rows = test == AlignmentTest::RowsSame || test == AlignmentTest::RowsOpposite;
  const bool opposite = test == AlignmentTest::RowsOpposite || test == AlignmentTest::ColumnsOpposite;
  std::string_view title;
  switch (test) {
    case AlignmentTest::RowsSame: title = "-同向成行度测试,1/6行距-"sv; break;
    case AlignmentTest::RowsOpposite: title = "-异向成行度测试,1/6行距-"sv; break;
    case AlignmentTest::ColumnsSame: title = "-同向成列度测试,1/6行距-"sv; break;
    case AlignmentTest::ColumnsOpposite: title = "-异向成列度测试,1/6行距-"sv; break;
  }
  const std::string element(rows ? kRule : kBars);

  Transmission t;
  t.runs = {std::string(kLineSpacing), std::string(title), "\n"};
  if (!opposite) {
    t.runs.insert(t.runs.end(), 60, element);
    return t;
  }
  for (int pair = 0; pair < 30; ++pair) {
    for (std::string_view run : {"\n\n\n"sv, "<"sv, std::string_view(element), kReverseFeed, ">"sv,
                                 std::string_view(element)})
      t.runs.emplace_back(run);
  }
  return t;
}
