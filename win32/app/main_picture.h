#pragma once

#include <windows.h>

// The main window's picture, drawn from the client origin at the window's
// DPI: at 96 DPI the bitmap as it is; above, from the picture drawn twice
// as large, scaled once per DPI with halftoning and kept.
class MainPicture {
 public:
  explicit MainPicture(HINSTANCE instance) : instance_(instance) {}
  ~MainPicture();
  MainPicture(const MainPicture&) = delete;
  MainPicture& operator=(const MainPicture&) = delete;

  void Paint(HDC dc, UINT dpi);

 private:
  bool PrepareScaled(HDC dc, UINT dpi);

  HINSTANCE instance_;
  HBITMAP picture_ = nullptr;  // the picture at 96 DPI
  HBITMAP scaled_ = nullptr;   // the shown part at scaledDpi_
  UINT scaledDpi_ = 0;
};
