#include "config/tool_e42.h"

#include "config/tool_presses.h"

namespace {

TEST(ToolE42, EveryButtonWritesItsFrameThenResetsOnce) {
  ExpectPresses<ToolE42>({
      {1024, "EPSON模式", {"1B 7C 77 00 04 00"}},
      {1025, "STAR模式", {"1B 7C 77 00 04 01"}},
      {1026, "黑标有效", {"1B 7C 77 00 06 01"}},
      {1027, "黑标无效", {"1B 7C 77 00 06 00"}},
      {1102, "76mm纸宽 ", {"1B 7C 77 00 05 00"}},
      {1028, "57mm纸宽 ", {"1B 7C 77 00 05 01"}},
      {1029, "图形单向", {"1B 7C 77 00 01 00"}},
      {1030, "图形双向", {"1B 7C 77 00 01 01"}},
      {1031, "汉字单向", {"1B 7C 77 00 07 00"}},
      {1032, "汉字双向", {"1B 7C 77 00 07 01"}},
      {1275, "恢 复 出 厂 默 认 设 置", {"1B 7C 77 00"}},
  });
}

TEST(ToolE42, OtherIdsSendNothing) { ExpectSilent<ToolE42>({2, 1033, 1222}); }

}  // namespace
