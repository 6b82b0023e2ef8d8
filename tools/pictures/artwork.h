#pragma once

#include "canvas.h"

namespace pictures {

// The main window picture, 650 × 476. The window shows it shifted so that
// pixel (5, 100) sits at the client origin.
Canvas MainPicture();

// The About box logo, 110 × 46.
Canvas AboutLogo();

// The program icon at 32 or 16 pixels, transparent background.
Canvas AppIcon(int size);

}  // namespace pictures
