#include <gtest/gtest.h>

#include "k636_artwork.h"

namespace {

// A gap in a drawing would come out black in the 24-bit file.
TEST(K636Pictures, HaveTheirSizesAndNoHoles) {
  const struct {
    pictures::Canvas canvas;
    int width, height;
  } rows[] = {
      {pictures::SingleSheetPicture(), 176, 220}, {pictures::RollPaperPicture(), 184, 220},
      {pictures::FanfoldPicture(), 340, 300},     {pictures::MeasuringNote(), 260, 40},
      {pictures::StepArrow(), 28, 24},
  };
  for (const auto& r : rows) {
    EXPECT_EQ(r.canvas.Width(), r.width);
    EXPECT_EQ(r.canvas.Height(), r.height);
    for (int y = 0; y < r.canvas.Height(); ++y)
      for (int x = 0; x < r.canvas.Width(); ++x)
        ASSERT_GE(r.canvas.Pixel(x, y).a, 0.999) << r.width << "x" << r.height << " hole at " << x << "," << y;
  }
}

}  // namespace
