#pragma once

#include <cstdint>
#include <vector>

#include "canvas.h"

namespace pictures {

// A Windows bitmap file: 24 bits per pixel, bottom-up rows padded to four
// bytes. Transparent parts of the canvas come out black.
std::vector<std::uint8_t> EncodeBmp24(const Canvas& canvas);

// A Windows icon file holding one 32-bit image (with alpha and a matching
// AND mask) per canvas. Each canvas must be square, 1 to 256 pixels.
std::vector<std::uint8_t> EncodeIcon(const std::vector<const Canvas*>& images);

}  // namespace pictures
