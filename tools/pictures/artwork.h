#pragma once

#include "canvas.h"

namespace pictures {

// The main window picture, 650 × 476. The window shows it shifted so that
// pixel (5, 100) sits at the client origin.
Canvas MainPicture();

// The part of the main window picture the window shows (from pixel (5, 100)
// on), drawn `scale` times as large for high-DPI screens.
Canvas MainPictureShown(double scale);

// The About box logo, 110 × 46, and twice as large.
Canvas AboutLogo();
Canvas AboutLogoLarge();

// The program icon at 32 or 16 pixels, transparent background.
Canvas AppIcon(int size);

}  // namespace pictures
