#pragma once

#include <string_view>

// The 636K customer's POS receipt that the panel builds in (431 bytes):
// CR LF lines with three ESC 3 line-spacing commands, ending in ETX.
extern const std::string_view kCustomerReceipt;
