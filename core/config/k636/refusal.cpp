#include "config/k636/refusal.h"

#include <string_view>

#include "ui/panel.h"

namespace k636 {

namespace {

std::string_view TextOf(Refusal why) {
  switch (why) {
    case Refusal::InvalidMeasurement:
      return "参数无效,请再测量一次";
    case Refusal::DistanceTooSmall:
      return "距离过小,建议使用高级设置";
    case Refusal::InvalidEntry:
      break;
  }
  return "参数有误";
}

}  // namespace

std::nullopt_t Refuse(Panel& panel, Refusal why) {
  panel.ShowMessage(TextOf(why), "输入提醒", MessageButtons::Ok);
  return std::nullopt;
}

}  // namespace k636
