#include "link/press_texts.h"

namespace press_texts {

const char kSending[] = "正在发送…";
const char kCancel[] = "取消";
const char kCancelledCaption[] = "提示";

std::string SentOfTotal(const PressProgress& p) {
  return "已发送 " + std::to_string(p.sent) + " / " + std::to_string(p.total) + " 字节";
}

std::string RateAndTimeLeft(const PressProgress& p, const PressProgress& since) {
  const PressFigures f = FiguresFor(p, since);
  if (!f.secondsLeft) return "";
  const std::uint64_t s = *f.secondsLeft;
  const std::string seconds = std::to_string(s % 60);
  return std::to_string(f.bytesPerSecond) + " 字节/秒，剩余 " + std::to_string(s / 60) + ":" +
         (seconds.size() < 2 ? "0" : "") + seconds;
}

std::string Cancelled(const PressProgress& p) { return SentOfTotal(p) + "，已取消"; }

}  // namespace press_texts
