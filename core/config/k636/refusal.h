#pragma once

#include <optional>

class Panel;

namespace k636 {

// Why a 636K panel refuses a press. Each shows its OK box, captioned
// "输入提醒", and the press then writes nothing and leaves the link alone.
enum class Refusal {
  InvalidMeasurement,  // "参数无效,请再测量一次"
  DistanceTooSmall,    // "距离过小,建议使用高级设置"
  InvalidEntry,        // "参数有误"
};

std::nullopt_t Refuse(Panel& panel, Refusal why);

}  // namespace k636
