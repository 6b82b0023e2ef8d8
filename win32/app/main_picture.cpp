#include "app/main_picture.h"

#include "app/dpi.h"
#include "app_ids.h"

namespace {

// The picture is drawn shifted so that this pixel sits at the client origin;
// the large picture holds only the part from there on.
constexpr int kShownX = 5, kShownY = 100;
constexpr UINT kLargeDpi = 192;

SIZE BitmapSize(HBITMAP bitmap) {
  BITMAP info;
  if (!bitmap || GetObjectW(bitmap, sizeof info, &info) != sizeof info) return {0, 0};
  return {info.bmWidth, info.bmHeight};
}

// Copies width x height pixels from (x, y) of `from` to the origin of `into`.
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

HBITMAP MainPicture::Load(int id) const {
  return static_cast<HBITMAP>(LoadImageW(instance_, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0,
                                         LR_CREATEDIBSECTION | LR_DEFAULTSIZE));
}

bool MainPicture::PrepareScaled(HDC dc, UINT dpi) {
  if (scaled_ && scaledDpi_ == dpi) return true;
  if (scaled_) DeleteObject(scaled_);
  scaled_ = nullptr;
  // Loaded only for the scaling: it is four times the size of the picture.
  HBITMAP large = Load(IDB_MAIN_PICTURE_LARGE);
  const SIZE size = BitmapSize(large);
  if (size.cx > 0) {
    const int width = MulDiv(size.cx, static_cast<int>(dpi), kLargeDpi);
    const int height = MulDiv(size.cy, static_cast<int>(dpi), kLargeDpi);
    scaled_ = CreateCompatibleBitmap(dc, width, height);
    HDC target = CreateCompatibleDC(dc);
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ previousTarget = SelectObject(target, scaled_);
    HGDIOBJ previousSource = SelectObject(source, large);
    SetStretchBltMode(target, HALFTONE);
    SetBrushOrgEx(target, 0, 0, nullptr);
    StretchBlt(target, 0, 0, width, height, source, 0, 0, size.cx, size.cy, SRCCOPY);
    SelectObject(source, previousSource);
    SelectObject(target, previousTarget);
    DeleteDC(source);
    DeleteDC(target);
    scaledDpi_ = dpi;
  }
  if (large) DeleteObject(large);
  return scaled_ != nullptr;
}

void MainPicture::Paint(HDC dc, UINT dpi) {
  if (dpi > 96 && PrepareScaled(dc, dpi)) {
    const SIZE size = BitmapSize(scaled_);
    Copy(dc, 0, 0, size.cx, size.cy, scaled_);
    return;
  }
  if (!picture_) picture_ = Load(IDB_MAIN_PICTURE);
  const SIZE size = BitmapSize(picture_);
  if (size.cx > 0) Copy(dc, kShownX, kShownY, size.cx - kShownX, size.cy - kShownY, picture_);
}
