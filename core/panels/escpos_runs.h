#pragma once

#include <string>
#include <string_view>

// Stored runs of the ESC/POS test panel.

// The character effects page: ten runs, 300 bytes.
extern const std::string_view kEscPosEffectsRuns[10];

// ESC J 24, ESC SP 32, ESC * 32 with 40 columns: the head of the grid image.
extern const std::string_view kEscPosImageHead;

// The 40 columns of a 40 x 24 dot grid, 3 bytes each, top bit first.
std::string EscPosImageColumns();
