#pragma once

#include <string_view>

// The five runs of the Chinese test receipt, in printing order.
extern const std::string_view kEpsonReceiptRuns[5];
