#pragma once

#include <string>
#include <string_view>
#include <vector>

// The Chinese test receipt in the STAR command set (no Kanji mode
// switches): five runs in printing order.
std::vector<std::string> StarReceiptRuns();

// The sample sales receipt: four runs in printing order, without the cut.
extern const std::string_view kSalesReceiptRuns[4];
