#include "panels/epson_receipt.h"

#include "panels/shared_runs.h"

using namespace std::string_literals;

// FS & before each Chinese piece, FS . before each ASCII piece.
std::vector<std::string> EpsonReceiptRuns() {
  return {
      "\x1B@\x1C&  "s + std::string(kReceiptIntro) + "\x1C.OEM,ODM.\n\n\n",
      "\x1C&za超级市场\n日期：\x1C. 01/07/04   \x1C&单号：\x1C. 010519\n",
      "\x1C&机器号：\x1C. 01\x1C&    班次：\x1C. 1\x1C&  收款员：\x1C. 1001\n",
      std::string(32, '-') + "\n",
      std::string(kItemHeaderLine),
  };
}
