#pragma once

#include <string>

#include "link/press_monitor.h"

// The program's progress window and cancel message, as GBK text.
namespace press_texts {
extern const char kSending[];  // 正在发送…
extern const char kCancel[];   // 取消
extern const char kCancelledCaption[];  // 提示
// "已发送 12288 / 783486 字节"
std::string SentOfTotal(const PressProgress& progress);
// "960 字节/秒，剩余 13:36", the rate measured from `since`; empty until a
// rate is known.
std::string RateAndTimeLeft(const PressProgress& now, const PressProgress& since = {});
// "已发送 4096 / 783486 字节，已取消"
std::string Cancelled(const PressProgress& progress);
}  // namespace press_texts
