#include "preview/graphics.h"

namespace preview {

namespace {

int Word(std::span<const std::uint8_t> f, std::size_t at) { return f[at] | f[at + 1] << 8; }

// A picture of x by y dots whose first plane starts at `at`; nothing when
// the function holds fewer bytes.
std::optional<Bitmap> Picture(std::span<const std::uint8_t> f, std::size_t at, int x, int y, bool columns) {
  const std::size_t size = columns ? static_cast<std::size_t>(x) * ((y + 7) / 8)
                                   : static_cast<std::size_t>((x + 7) / 8) * static_cast<std::size_t>(y);
  if (at > f.size() || size > f.size() - at || x == 0 || y == 0) return std::nullopt;
  return Bitmap{x, y, columns, std::vector<std::uint8_t>(f.begin() + at, f.begin() + at + size)};
}

int Scale(int n) { return n == 2 || n == 50 ? 2 : 1; }

}  // namespace

std::optional<GraphicsStore::Print> GraphicsStore::Apply(std::span<const std::uint8_t> f) {
  if (f.size() < 2 || f[0] != 48) return std::nullopt;
  switch (f[1]) {
    case 112:    // raster into the print buffer: a bx by c xL xH yL yH d...
    case 113: {  // the same in columns
      if (f.size() < 10) break;
      if (auto picture = Picture(f, 10, Word(f, 6), Word(f, 8), f[1] == 113)) {
        buffer_ = std::move(*picture);
        bufferScaleX_ = Scale(f[3]);
        bufferScaleY_ = Scale(f[4]);
      }
      break;
    }
    case 2:
    case 50:  // print the buffer's picture
      if (buffer_.width == 0) break;
      return Print{&buffer_, bufferScaleX_, bufferScaleY_};
    case 67:    // NV graphics, raster: a kc1 kc2 b xL xH yL yH c d...
    case 68:    // NV graphics, columns
    case 83:    // download graphics, raster
    case 84: {  // download graphics, columns
      if (f.size() < 11) break;
      if (auto picture = Picture(f, 11, Word(f, 6), Word(f, 8), f[1] == 68 || f[1] == 84))
        (f[1] < 80 ? nv_ : download_)[{f[3], f[4]}] = std::move(*picture);
      break;
    }
    case 69:    // print NV graphics: kc1 kc2 x y
    case 85: {  // print download graphics
      if (f.size() < 6) break;
      const auto& store = f[1] == 69 ? nv_ : download_;
      const auto found = store.find({f[2], f[3]});
      if (found == store.end()) break;
      return Print{&found->second, Scale(f[4]), Scale(f[5])};
    }
    default: break;
  }
  return std::nullopt;
}

void GraphicsStore::DefineNvImages(int count, std::span<const std::uint8_t> data) {
  nvImages_.clear();
  std::size_t at = 0;
  for (int i = 0; i < count && data.size() - at >= 4; ++i) {
    const int x = Word(data, at) * 8, y = Word(data, at + 2) * 8;
    auto picture = Picture(data, at + 4, x, y, true);
    if (!picture) return;
    at += 4 + picture->bytes.size();
    nvImages_.push_back(std::move(*picture));
  }
}

std::optional<GraphicsStore::Print> GraphicsStore::PrintNvImage(int number, int mode) const {
  if (number < 1 || number > static_cast<int>(nvImages_.size())) return std::nullopt;
  const int m = mode >= '0' ? mode - '0' : mode;
  return Print{&nvImages_[static_cast<std::size_t>(number - 1)], (m & 1) ? 2 : 1, (m & 2) ? 2 : 1};
}

}  // namespace preview
