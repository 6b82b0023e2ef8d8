#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <utility>
#include <vector>

// The pictures a stream stores and prints later: graphics (GS ( L and
// GS 8 L) and NV bit images (FS q, FS p).
namespace preview {

// A one-bit picture as the stream holds it: rows of (width + 7) / 8 bytes,
// or columns of (height + 7) / 8 bytes; the first dot in the top bit.
struct Bitmap {
  int width = 0;
  int height = 0;
  bool columns = false;
  std::vector<std::uint8_t> bytes;
  bool Dot(int x, int y) const {
    const std::size_t at = columns ? static_cast<std::size_t>(x) * ((height + 7) / 8) + y / 8
                                   : static_cast<std::size_t>(y) * ((width + 7) / 8) + x / 8;
    return bytes[at] & (0x80 >> (columns ? y % 8 : x % 8));
  }
};

class GraphicsStore {
 public:
  struct Print {
    const Bitmap* bitmap = nullptr;
    int scaleX = 1, scaleY = 1;
  };

  // One GS ( L or GS 8 L function: its bytes from m on. The picture to
  // print when the function prints one that is stored.
  std::optional<Print> Apply(std::span<const std::uint8_t> function);

  // FS q n: the pictures after n, numbered from 1; those stored before go.
  void DefineNvImages(int count, std::span<const std::uint8_t> data);
  // FS p n m.
  std::optional<Print> PrintNvImage(int number, int mode) const;

 private:
  Bitmap buffer_;  // the print buffer's picture (functions 112 and 113)
  int bufferScaleX_ = 1, bufferScaleY_ = 1;
  std::map<std::pair<int, int>, Bitmap> nv_, download_;  // by key code
  std::vector<Bitmap> nvImages_;
};

}  // namespace preview
