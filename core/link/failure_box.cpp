#include "link/failure_box.h"

std::optional<FailureBox> BoxFor(const LinkFailure& failure) {
  const bool network = failure.where.kind == TransportKind::Network;
  switch (failure.step) {
    case LinkFailure::Step::Open:
      if (network) return FailureBox{"无法连接网络打印机 " + Describe(failure.where), "Error"};
      if (failure.where.kind == TransportKind::Serial || failure.where.kind == TransportKind::Parallel)
        return FailureBox{"SetCommTimeout error", "Error"};
      return std::nullopt;
    case LinkFailure::Step::Write:
      if (network) return FailureBox{"网络打印机 " + Describe(failure.where) + " 没有收下全部数据，发送已停止", "Error"};
      return std::nullopt;
    case LinkFailure::Step::Read: return std::nullopt;
  }
  return std::nullopt;
}
