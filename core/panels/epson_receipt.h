#pragma once

#include <string>
#include <vector>

// The five runs of the Chinese test receipt, in printing order.
std::vector<std::string> EpsonReceiptRuns();
