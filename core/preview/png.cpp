#include "preview/png.h"

#include <algorithm>
#include <array>
#include <fstream>

namespace preview {

namespace {

using Bytes = std::vector<std::uint8_t>;

std::uint32_t Crc32(const std::uint8_t* data, std::size_t size) {
  static const std::array<std::uint32_t, 256> table = [] {
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t n = 0; n < 256; ++n) {
      std::uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  std::uint32_t crc = 0xFFFFFFFFu;
  for (std::size_t i = 0; i < size; ++i) crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
  return ~crc;
}

std::uint32_t Adler32(const Bytes& data) {
  std::uint32_t a = 1, b = 0;
  for (std::uint8_t byte : data) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  return b << 16 | a;
}

void Be32(Bytes& out, std::uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(v >> shift));
}

void Chunk(Bytes& out, const char* type, const Bytes& body) {
  Be32(out, static_cast<std::uint32_t>(body.size()));
  const std::size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), body.begin(), body.end());
  Be32(out, Crc32(out.data() + start, out.size() - start));
}

class BitWriter {
 public:
  explicit BitWriter(Bytes& out) : out_(out) {}
  void Bits(std::uint32_t value, int count) {  // least significant bit first
    for (int i = 0; i < count; ++i) Bit((value >> i) & 1);
  }
  void Code(std::uint32_t code, int length) {  // Huffman codes go most significant bit first
    for (int i = length - 1; i >= 0; --i) Bit((code >> i) & 1);
  }
  void Flush() {
    if (used_) out_.push_back(current_);
    current_ = 0;
    used_ = 0;
  }

 private:
  void Bit(std::uint32_t bit) {
    current_ |= static_cast<std::uint8_t>(bit << used_);
    if (++used_ == 8) Flush();
  }
  Bytes& out_;
  std::uint8_t current_ = 0;
  int used_ = 0;
};

void Literal(BitWriter& w, int v) {
  if (v < 144) w.Code(0x30 + v, 8);
  else if (v < 256) w.Code(0x190 + v - 144, 9);
  else if (v < 280) w.Code(v - 256, 7);
  else w.Code(0xC0 + v - 280, 8);
}

void Match(BitWriter& w, int length, int distance) {
  static const int kLengthBase[] = {3, 4, 5, 6, 7, 8, 9, 10, 11, 13, 15, 17, 19, 23, 27,
                                    31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
  static const int kLengthExtra[] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
  static const int kDistBase[] = {1, 2, 3, 4, 5, 7, 9, 13, 17, 25, 33, 49, 65, 97, 129,
                                  193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
  static const int kDistExtra[] = {0, 0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
  int l = 28;
  while (kLengthBase[l] > length) --l;
  Literal(w, 257 + l);
  w.Bits(static_cast<std::uint32_t>(length - kLengthBase[l]), kLengthExtra[l]);
  int d = 29;
  while (kDistBase[d] > distance) --d;
  w.Code(static_cast<std::uint32_t>(d), 5);
  w.Bits(static_cast<std::uint32_t>(distance - kDistBase[d]), kDistExtra[d]);
}

// zlib stream of one fixed-code deflate block; matches are looked for one
// byte back (runs) and one row back (rows like the one above).
Bytes Zlib(const Bytes& raw, int rowLength) {
  Bytes out = {0x78, 0x01};
  BitWriter w(out);
  w.Bits(1, 1);  // last block
  w.Bits(1, 2);  // fixed codes
  const std::size_t n = raw.size();
  for (std::size_t i = 0; i < n;) {
    int bestLength = 0, bestDistance = 0;
    for (int distance : {1, rowLength}) {
      if (distance <= 0 || static_cast<std::size_t>(distance) > i || distance > 32768) continue;
      int length = 0;
      while (length < 258 && i + length < n && raw[i + length] == raw[i + length - distance]) ++length;
      if (length > bestLength) {
        bestLength = length;
        bestDistance = distance;
      }
    }
    if (bestLength >= 3) {
      Match(w, bestLength, bestDistance);
      i += static_cast<std::size_t>(bestLength);
    } else {
      Literal(w, raw[i++]);
    }
  }
  Literal(w, 256);
  w.Flush();
  Be32(out, Adler32(raw));
  return out;
}

}  // namespace

std::vector<std::uint8_t> EncodePng(const Page& page) {
  if (page.width <= 0 || page.height <= 0 || page.dpiX <= 0 || page.dpiY <= 0) return {};
  const int width = std::max(1, (page.width * page.dpiY + page.dpiX / 2) / page.dpiX);
  std::vector<int> column(width);
  for (int x = 0; x < width; ++x) column[x] = std::min(page.width - 1, (2 * x + 1) * page.dpiX / (2 * page.dpiY));
  Bytes raw;
  raw.reserve(static_cast<std::size_t>(width + 1) * page.height);
  for (int y = 0; y < page.height; ++y) {
    raw.push_back(0);  // filter: none
    for (int x = 0; x < width; ++x) {
      const std::uint8_t cell = page.At(column[x], y);
      raw.push_back(cell == kDot ? 0 : cell == kMark ? 150 : 255);
    }
  }
  Bytes header;
  Be32(header, static_cast<std::uint32_t>(width));
  Be32(header, static_cast<std::uint32_t>(page.height));
  header.insert(header.end(), {8, 0, 0, 0, 0});  // 8-bit grey, no interlace
  Bytes png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  Chunk(png, "IHDR", header);
  Chunk(png, "IDAT", Zlib(raw, width + 1));
  Chunk(png, "IEND", {});
  return png;
}

bool WritePng(const Page& page, const std::string& path) {
  const Bytes png = EncodePng(page);
  if (png.empty()) return false;
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
  return static_cast<bool>(file);
}

}  // namespace preview
