#include "app/main_picture.h"

#include "app/bitmaps.h"
#include "app_ids.h"

namespace {

// The picture is drawn shifted so that this pixel sits at the client origin;
// the large picture holds only the part from there on.
constexpr int kShownX = 5, kShownY = 100;
constexpr int kLargeDpi = 192;

// Copies width × height pixels from (x, y) of `from` to the origin of `into`.
void Copy(HDC into, int x, int y, int width, int height, HBITMAP from) {
  HDC memory = CreateCompatibleDC(into);
  HGDIOBJ previous = SelectObject(memory, from);
  BitBlt(into, 0, 0, width, height, memory, x, y, SRCCOPY);
  SelectObject(memory, previous);
  DeleteDC(memory);
}

}  // namespace

MainPicture::~MainPicture() {
  if (picture_) DeleteObject(picture_);
  if (scaled_) DeleteObject(scaled_);
}

bool MainPicture::PrepareScaled(HDC dc, UINT dpi) {
  if (scaled_ && scaledDpi_ == dpi) return true;
  if (scaled_) DeleteObject(scaled_);
  // Loaded only for the scaling: it is four times the size of the picture.
  HBITMAP large = LoadBitmapResource(instance_, IDB_MAIN_PICTURE_LARGE);
  const SIZE size = BitmapSize(large);
  scaled_ = ScaledCopy(dc, large, MulDiv(size.cx, static_cast<int>(dpi), kLargeDpi),
                       MulDiv(size.cy, static_cast<int>(dpi), kLargeDpi));
  scaledDpi_ = dpi;
  if (large) DeleteObject(large);
  return scaled_ != nullptr;
}

void MainPicture::Paint(HDC dc, UINT dpi) {
  if (dpi > 96 && PrepareScaled(dc, dpi)) {
    const SIZE size = BitmapSize(scaled_);
    Copy(dc, 0, 0, size.cx, size.cy, scaled_);
    return;
  }
  if (!picture_) picture_ = LoadBitmapResource(instance_, IDB_MAIN_PICTURE);
  const SIZE size = BitmapSize(picture_);
  if (size.cx > 0) Copy(dc, kShownX, kShownY, size.cx - kShownX, size.cy - kShownY, picture_);
}
