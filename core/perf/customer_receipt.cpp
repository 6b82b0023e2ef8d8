#include "perf/customer_receipt.h"

using namespace std::string_view_literals;

// Hex escapes end their literal: "\x1B" "3" keeps the 3 out of the escape.
const std::string_view kCustomerReceipt =
    "\x1B" "3\x10"
    "\r\n\r\n\n\r\n"
    "消费\r\n\r\n"
    "2009-05-06  09:23:25      888 9999\r\n\r\n"
    "99998          99998\r\n\r\n\r\n\r\n\n\r\n"
    "26000001   1     100.00     100.00\r\n\r\n"
    "奥运门票         \r\n\r\n"
    "----------------------------------\r\n\r\n"
    "总计: 100.00\r\n\r\n"
    "----------------------------------\r\n\r\n"
    "应收:100.00     实收:100.00     \r\n\r\n"
    "----------------------------------\r\n\r\n"
    "现　金1  100.000      \r\n\r\n\r\n"
    "\r\n\n\r\n\n\r\n\n\r\n\n\r\n\n\r\n\n\r\n\n\r\n\n\r\n\n"
    "\r\n\r\n\r\n"
    "        第1页 (共1页)   \r\n\r\n\r\n"
    "\r\n\n\r\n\n\r\n\n\r\n\n\r\n\n"
    "\r\n"
    "\x1B" "3\x0C"
    "\r\n\r\n"
    "\x1B" "3\x10"
    "\x03"sv;
