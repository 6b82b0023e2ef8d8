#pragma once

#include "canvas.h"

// Drawings of the measurements the 636K quick setups ask for.
namespace pictures {

// A single sheet, printed: the first-line distance from its top edge and
// the print direction. 176 × 220.
Canvas SingleSheetPicture();

// Roll paper, printed: the first-line distance from the leading edge, the
// last printed line and the feed direction. 184 × 220.
Canvas RollPaperPicture();

// Fanfold invoices: fold lines, the invoice length L, and the first lines
// of pages 1 and 2 at L1 and L2 from page 1's front edge. 340 × 300.
Canvas FanfoldPicture();

// Distances are measured to the top of the printed characters, not to their
// base. 260 × 40.
Canvas MeasuringNote();

// A downward arrow from one step to the next. 28 × 24.
Canvas StepArrow();

}  // namespace pictures
