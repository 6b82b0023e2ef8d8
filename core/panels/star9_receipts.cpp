#include "panels/star9_receipts.h"

#include "panels/shared_runs.h"

using namespace std::string_literals;
using namespace std::string_view_literals;

std::vector<std::string> StarReceiptRuns() {
  return {
      "\x1B@   "s + std::string(kReceiptIntro) + "OEM,ODM.\n\n\n",
      "za超级市场\n日期：01/07/04   单号：010519\n",
      "机器号：01   班次：1  收款员：1001\n",
      std::string(31, '-') + "\n",
      std::string(kPlainItemHeaderLine),
  };
}

const std::string_view kSalesReceiptRuns[4] = {
    "\x1B@"
    "          欢  迎  使  用\n"
    "        通用前台售货系统\n"
    "************* 销 货 ************\n"sv,

    "P1101001   45度新一代沱牌佳酿\n"
    "         13.7元*1.00=  13.7元\n"
    "-------------------------------\n"sv,

    "应付金额（RMB）    13.7元     \n"
    "实付金额（RMB）    13.7 元   \n"
    "其中包括\n"
    "现金（人民币）     13.7元     \n"
    "********************************\n"sv,

    "收款员: zu     收款机: 0001\n"
    "NO.040701  2004-07-01  02:50:18\n"
    "版权所有:\n"
    "地址:\n"
    "电话:\n\n\n\n"sv,
};
