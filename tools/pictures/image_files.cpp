#include "image_files.h"

#include <cmath>
#include <stdexcept>

namespace pictures {

namespace {

class Writer {
 public:
  explicit Writer(std::vector<std::uint8_t>& out) : out_(out) {}
  void U8(unsigned v) { out_.push_back(static_cast<std::uint8_t>(v)); }
  void U16(unsigned v) {
    U8(v & 0xFF);
    U8((v >> 8) & 0xFF);
  }
  void U32(std::uint32_t v) {
    U16(v & 0xFFFF);
    U16(v >> 16);
  }
  void I32(std::int32_t v) { U32(static_cast<std::uint32_t>(v)); }

 private:
  std::vector<std::uint8_t>& out_;
};

unsigned Channel(double v) { return static_cast<unsigned>(std::lround(v * 255.0)); }

constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::int32_t kPixelsPerMetre = 2835;  // 72 dpi

void InfoHeader(Writer& w, int width, int height, unsigned bitCount, std::uint32_t imageSize) {
  w.U32(kInfoHeaderSize);
  w.I32(width);
  w.I32(height);
  w.U16(1);  // planes
  w.U16(bitCount);
  w.U32(0);  // BI_RGB
  w.U32(imageSize);
  w.I32(kPixelsPerMetre);
  w.I32(kPixelsPerMetre);
  w.U32(0);  // colours used
  w.U32(0);  // important colours
}

}  // namespace

std::vector<std::uint8_t> EncodeBmp24(const Canvas& canvas) {
  const int width = canvas.Width();
  const int height = canvas.Height();
  const std::uint32_t stride = (static_cast<std::uint32_t>(width) * 3 + 3) & ~3u;
  const std::uint32_t imageSize = stride * static_cast<std::uint32_t>(height);
  const std::uint32_t offset = 14 + kInfoHeaderSize;

  std::vector<std::uint8_t> out;
  out.reserve(offset + imageSize);
  Writer w(out);
  w.U8('B');
  w.U8('M');
  w.U32(offset + imageSize);
  w.U32(0);
  w.U32(offset);
  InfoHeader(w, width, height, 24, imageSize);
  for (int y = height - 1; y >= 0; --y) {
    for (int x = 0; x < width; ++x) {
      const Color c = canvas.Pixel(x, y);
      w.U8(Channel(c.b * c.a));
      w.U8(Channel(c.g * c.a));
      w.U8(Channel(c.r * c.a));
    }
    for (std::uint32_t pad = static_cast<std::uint32_t>(width) * 3; pad < stride; ++pad) w.U8(0);
  }
  return out;
}

std::vector<std::uint8_t> EncodeIcon(const std::vector<const Canvas*>& images) {
  std::vector<std::vector<std::uint8_t>> bodies;
  for (const Canvas* image : images) {
    const int size = image->Width();
    if (size != image->Height() || size < 1 || size > 256) {
      throw std::invalid_argument("icon images must be square, 1 to 256 pixels");
    }
    const std::uint32_t maskStride = ((static_cast<std::uint32_t>(size) + 31) / 32) * 4;
    const std::uint32_t colourBytes = static_cast<std::uint32_t>(size) * size * 4;
    const std::uint32_t maskBytes = maskStride * static_cast<std::uint32_t>(size);

    std::vector<std::uint8_t> body;
    Writer w(body);
    // The height covers the colour image and the mask below it.
    InfoHeader(w, size, size * 2, 32, colourBytes + maskBytes);
    for (int y = size - 1; y >= 0; --y) {
      for (int x = 0; x < size; ++x) {
        const Color c = image->Pixel(x, y);
        w.U8(Channel(c.b));
        w.U8(Channel(c.g));
        w.U8(Channel(c.r));
        w.U8(Channel(c.a));
      }
    }
    for (int y = size - 1; y >= 0; --y) {
      std::vector<std::uint8_t> row(maskStride, 0);
      for (int x = 0; x < size; ++x) {
        if (Channel(image->Pixel(x, y).a) == 0) row[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
      }
      body.insert(body.end(), row.begin(), row.end());
    }
    bodies.push_back(std::move(body));
  }

  std::vector<std::uint8_t> out;
  Writer w(out);
  w.U16(0);  // reserved
  w.U16(1);  // icon
  w.U16(static_cast<unsigned>(images.size()));
  std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(images.size());
  for (std::size_t i = 0; i < images.size(); ++i) {
    const int size = images[i]->Width();
    w.U8(size == 256 ? 0 : static_cast<unsigned>(size));
    w.U8(size == 256 ? 0 : static_cast<unsigned>(size));
    w.U8(0);   // palette size
    w.U8(0);   // reserved
    w.U16(1);  // planes
    w.U16(32);
    w.U32(static_cast<std::uint32_t>(bodies[i].size()));
    w.U32(offset);
    offset += static_cast<std::uint32_t>(bodies[i].size());
  }
  for (const auto& body : bodies) out.insert(out.end(), body.begin(), body.end());
  return out;
}

}  // namespace pictures
