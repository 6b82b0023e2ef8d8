#pragma once

#include <string>

#include "stream_walker.h"

namespace jobcheck {

// Writes the page as an 8-bit grey PNG (dots black, cut marks grey), uncompressed, with
// columns resampled so that the picture has the page's proportions.
bool WritePng(const Page& page, const std::string& path);

}  // namespace jobcheck
