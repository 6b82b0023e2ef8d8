#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "preview/page.h"

namespace preview {

// The page as an 8-bit grey PNG (dots black, marks grey, paper white), its
// columns resampled so that the picture has the page's proportions.
// Empty when the page has no area.
std::vector<std::uint8_t> EncodePng(const Page& page);
bool WritePng(const Page& page, const std::string& path);

}  // namespace preview
