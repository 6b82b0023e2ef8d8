#include "panels/epson_receipt.h"

#include "panels/shared_runs.h"

using namespace std::string_view_literals;

// FS & before each Chinese piece, FS . before each ASCII piece.
const std::string_view kEpsonReceiptRuns[5] = {
    "\x1B@\x1C&"
    "  za超级市场随着信息技术的发展，内嵌打印功能的产品越来越多，特别是在要求稳定、高可靠性、"
    "微型、超小体积、低功耗、价格相对较低打印场合。za公司针对国内厂家对微型打印机的要求及微打未来"
    "发展状况，推出一系列微型打印机模块，以方便国内厂家产品打印功能配套或"
    "\x1C.OEM,ODM.\n\n\n"sv,
    "\x1C&za超级市场\n日期：\x1C. 01/07/04   \x1C&单号：\x1C. 010519\n"sv,
    "\x1C&机器号：\x1C. 01\x1C&    班次：\x1C. 1\x1C&  收款员：\x1C. 1001\n"sv,
    "--------------------------------\n"sv,
    kItemHeaderLine,
};
