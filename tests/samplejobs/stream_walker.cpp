#include "stream_walker.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

namespace jobcheck {

Profile Thermal(int dpi, int paperWidth) { return {Dialect::EscPos, dpi, dpi, paperWidth, false}; }
Profile ImpactEscPos() { return {Dialect::EscPos, 160, 144, 400, true}; }
Profile Star() { return {Dialect::Star, 160, 144, 400, true}; }
Profile EscP(Dialect dialect) { return {dialect, 120, 180, 960, true}; }

namespace {

enum class Op {
  Ignore,        // settings that do not change the printout here
  Init,          // ESC @
  Cancel,        // CAN: drops the line buffer
  Feed,          // ESC J n
  FeedLines,     // ESC d n (ESC/POS), ESC a n (STAR)
  LineFeed,      // LF
  Return,        // CR
  FormFeed,      // FF
  Spacing,       // ESC 3 n
  SpacingSixth,  // ESC 2
  StarSpacing,   // ESC z n
  MotionUnits,   // GS P x y
  Cut,           // GS V m [n]
  StarCut,       // ESC d n
  BitImage,      // ESC * m nL nH
  Raster,        // GS v 0 m xL xH yL yH
  StarK,         // ESC K nL nH
  StarL,         // ESC L nL nH
  StarPins,      // ESC ^ m nL nH
};

struct Command {
  std::vector<std::uint8_t> prefix;
  int params;
  Op op;
};

const std::vector<Command>& Commands(Dialect dialect) {
  static const std::vector<Command> escPos = {
      {{0x1B, 0x40}, 0, Op::Init},        {{0x1B, 0x3D}, 1, Op::Ignore},      {{0x1B, 0x52}, 1, Op::Ignore},
      {{0x1B, 0x74}, 1, Op::Ignore},      {{0x1B, 0x33}, 1, Op::Spacing},     {{0x1B, 0x32}, 0, Op::SpacingSixth},
      {{0x1B, 0x4A}, 1, Op::Feed},        {{0x1B, 0x64}, 1, Op::FeedLines},   {{0x1B, 0x2A}, 3, Op::BitImage},
      {{0x1D, 0x76, 0x30}, 5, Op::Raster}, {{0x1D, 0x50}, 2, Op::MotionUnits}, {{0x1D, 0x56}, 1, Op::Cut},
      {{0x0A}, 0, Op::LineFeed},
  };
  static const std::vector<Command> star = {
      {{0x1B, 0x40}, 0, Op::Init},         {{0x1B, 0x7A}, 1, Op::StarSpacing},    {{0x1B, 0x1D, 0x74}, 1, Op::Ignore},
      {{0x1B, 0x1E, 0x69}, 1, Op::Ignore}, {{0x1B, 0x4B}, 2, Op::StarK},          {{0x1B, 0x4C}, 2, Op::StarL},
      {{0x1B, 0x5E}, 3, Op::StarPins},     {{0x1B, 0x4A}, 1, Op::Feed},           {{0x1B, 0x61}, 1, Op::FeedLines},
      {{0x1B, 0x64}, 1, Op::StarCut},      {{0x0A}, 0, Op::LineFeed},
  };
  static const std::vector<Command> escP = {
      {{0x1B, 0x40}, 0, Op::Init},   {{0x1B, 0x74}, 1, Op::Ignore}, {{0x1B, 0x36}, 0, Op::Ignore},
      {{0x1B, 0x52}, 1, Op::Ignore}, {{0x1B, 0x72}, 1, Op::Ignore}, {{0x1B, 0x55}, 1, Op::Ignore},
      {{0x1B, 0x33}, 1, Op::Spacing}, {{0x1B, 0x2A}, 3, Op::BitImage}, {{0x1B, 0x4A}, 1, Op::Feed},
      {{0x0D}, 0, Op::Return},        {{0x0A}, 0, Op::LineFeed},       {{0x0C}, 0, Op::FormFeed},
  };
  static const std::vector<Command> oki = [] {
    std::vector<Command> table = escP;
    table.push_back({{0x18}, 0, Op::Cancel});
    table.push_back({{0x1B, 0x7C}, 2, Op::Ignore});  // OKI-mode set-up
    return table;
  }();
  switch (dialect) {
    case Dialect::EscPos: return escPos;
    case Dialect::Star: return star;
    case Dialect::EscP: return escP;
    case Dialect::Oki: return oki;
  }
  return escPos;
}

// One bit-image mode on the render grid: dots per column, bytes per column, the grid step
// from column to column and dot to dot, and the size of one printed dot.
struct DotMode {
  int dots = 0;
  int bytes = 0;
  int pitchX = 1, pitchY = 1;
  int dotW = 1, dotH = 1;
};

using namespace std::string_view_literals;
constexpr std::string_view kPacketExit = "\x00\x00\x00\x1B\x01@EJL 1284.4\n@EJL     \n"sv;

class Walker {
 public:
  Walker(const std::vector<std::uint8_t>& stream, const Profile& profile) : s_(stream), p_(profile) { Reset(); }

  Walk Run() {
    Start();
    while (result_.error.empty() && pos_ < s_.size()) Step();
    if (result_.error.empty() && x_ != 0 && p_.dialect != Dialect::EscP && p_.dialect != Dialect::Oki)
      Fail(s_.size(), "graphics left in the line buffer at the end");
    result_.ok = result_.error.empty();
    result_.page.width = p_.paperWidth;
    result_.page.dpiX = p_.dpiX;
    result_.page.dpiY = p_.dpiY;
    result_.page.height = std::max(rows_, static_cast<int>(y_));
    result_.page.cells = std::move(cells_);
    result_.page.cells.resize(static_cast<std::size_t>(result_.page.width) * result_.page.height, kPaper);
    return std::move(result_);
  }

 private:
  void Reset() {
    unit_ = DefaultUnit();
    lineSpacing_ = (p_.dpiY + 3) / 6;
  }

  int DefaultUnit() const {
    if (p_.dialect == Dialect::EscPos) return p_.impact ? 144 : p_.dpiY;
    return p_.dialect == Dialect::Star ? 144 : 180;
  }

  void Fail(std::size_t at, const std::string& what) {
    if (!result_.error.empty()) return;
    char where[48];
    std::snprintf(where, sizeof where, "offset %zu: ", at);
    result_.error = where + what;
  }

  std::string Hex(std::size_t at, std::size_t count) const {
    std::string text;
    for (std::size_t i = at; i < std::min(s_.size(), at + count); ++i) {
      char byte[4];
      std::snprintf(byte, sizeof byte, "%02X ", s_[i]);
      text += byte;
    }
    return text;
  }

  void Start() {
    if (p_.dialect == Dialect::EscPos) {
      while (pos_ < s_.size() && s_[pos_] == 0x00) ++pos_;  // idle bytes before the job
    } else if (p_.dialect == Dialect::EscP && !s_.empty() && s_[0] == 0x00) {
      if (s_.size() < kPacketExit.size() ||
          !std::equal(kPacketExit.begin(), kPacketExit.end(), s_.begin(),
                      [](char a, std::uint8_t b) { return static_cast<std::uint8_t>(a) == b; }))
        return Fail(0, "malformed packet-mode exit");
      pos_ = kPacketExit.size();
    }
  }

  const Command* Match() const {
    const Command* best = nullptr;
    for (const Command& c : Commands(p_.dialect)) {
      if (pos_ + c.prefix.size() > s_.size()) continue;
      if (!std::equal(c.prefix.begin(), c.prefix.end(), s_.begin() + static_cast<std::ptrdiff_t>(pos_))) continue;
      if (!best || c.prefix.size() > best->prefix.size()) best = &c;
    }
    return best;
  }

  void Step() {
    const std::size_t at = pos_;
    const Command* c = Match();
    if (!c) {
      // A known lead-in whose remaining bytes have not arrived is incomplete, not unknown.
      for (const Command& k : Commands(p_.dialect))
        if (s_.size() - at < k.prefix.size() &&
            std::equal(s_.begin() + static_cast<std::ptrdiff_t>(at), s_.end(), k.prefix.begin()))
          return Fail(at, "incomplete command at the end");
      return Fail(at, "unknown command " + Hex(at, 3));
    }
    if (at + c->prefix.size() + c->params > s_.size()) return Fail(at, "incomplete command " + Hex(at, 3));
    const std::uint8_t* a = s_.data() + at + c->prefix.size();
    pos_ = at + c->prefix.size() + c->params;
    switch (c->op) {
      case Op::Feed:
      case Op::FeedLines:
      case Op::LineFeed:
      case Op::BitImage:
      case Op::Raster:
      case Op::StarK:
      case Op::StarL:
      case Op::StarPins: result_.endsWithCut = false; break;
      default: break;
    }
    switch (c->op) {
      case Op::Ignore: break;
      case Op::Init:
        if (x_ != 0 && p_.dialect != Dialect::EscP && p_.dialect != Dialect::Oki)
          return Fail(at, "ESC @ drops graphics not yet printed");
        Reset();
        break;
      case Op::Cancel:
        if (x_ != 0) return Fail(at, "CAN drops graphics not yet printed");
        break;
      case Op::Feed: Feed(a[0]); break;
      case Op::FeedLines: Advance(static_cast<long>(a[0]) * lineSpacing_); break;
      case Op::LineFeed: Advance(lineSpacing_); break;
      case Op::Return: x_ = 0; break;
      case Op::FormFeed: PaperEnd(p_.dpiY / 3); break;
      case Op::Spacing: lineSpacing_ = a[0] * p_.dpiY / unit_; break;
      case Op::SpacingSixth: lineSpacing_ = (p_.dpiY + 3) / 6; break;
      case Op::StarSpacing:
        if (a[0] != 0 && a[0] != 1 && a[0] != '0' && a[0] != '1') return Fail(at, "ESC z with a bad parameter");
        lineSpacing_ = (a[0] & 1) ? p_.dpiY / 6 : p_.dpiY / 8;
        break;
      case Op::MotionUnits:
        if (p_.impact) return Fail(at, "GS P on an impact printer");
        unit_ = a[1] == 0 ? DefaultUnit() : a[1];
        break;
      case Op::Cut: return CutCommand(at, a[0]);
      case Op::StarCut:
        if (a[0] > 3 && (a[0] < '0' || a[0] > '3')) return Fail(at, "ESC d with a bad parameter");
        if (x_ != 0) return Fail(at, "cut before the graphics were printed");
        PaperEnd(p_.dpiY / 4);
        break;
      case Op::BitImage: return BitImage(at, a[0], a[1] | a[2] << 8);
      case Op::Raster: return RasterImage(at, a);
      case Op::StarK: return Columns(at, {8, 1, 2, 2, 2, 2}, a[0] | a[1] << 8);
      case Op::StarL: return Columns(at, {8, 1, 1, 2, 2, 2}, a[0] | a[1] << 8);
      case Op::StarPins: return StarPins(at, a[0], a[1] | a[2] << 8);
    }
  }

  void Advance(long rows) {
    y_ += rows;
    x_ = 0;
  }

  // ESC J: print and feed on ESC/POS and STAR; the ESC/P carriage stays where it is.
  void Feed(int units) {
    const long scaled = static_cast<long>(units) * p_.dpiY + feedRest_;
    y_ += scaled / unit_;
    feedRest_ = scaled % unit_;
    if (p_.dialect == Dialect::EscPos || p_.dialect == Dialect::Star) x_ = 0;
  }

  void PaperEnd(int gap) {
    for (int x = 0; x < p_.paperWidth; x += 8) Paint(x, y_, 4, 2, kMark);
    y_ += gap;
    x_ = 0;
    ++result_.cuts;
    result_.endsWithCut = true;
  }

  void CutCommand(std::size_t at, int m) {
    int feed = 0;
    if (m == 65 || m == 66) {
      if (pos_ >= s_.size()) return Fail(at, "incomplete command " + Hex(at, 3));
      feed = s_[pos_++];
    } else if (m != 0 && m != 1 && m != 48 && m != 49) {
      return Fail(at, "GS V with a bad mode");
    }
    if (x_ != 0) return Fail(at, "cut before the graphics were printed");
    Feed(feed);
    PaperEnd(p_.dpiY / 4);
  }

  void BitImage(std::size_t at, int m, int columns) {
    DotMode mode;
    if (p_.dialect == Dialect::EscPos && !p_.impact) {
      // 8-dot modes: 1/60 inch dots down; single density: half the head's density across.
      if (m == 0) mode = {8, 1, 2, 3, 2, 3};
      if (m == 1) mode = {8, 1, 1, 3, 1, 3};
      if (m == 32) mode = {24, 3, 2, 1, 2, 1};
      if (m == 33) mode = {24, 3, 1, 1, 1, 1};
    } else if (p_.dialect == Dialect::EscPos) {
      // Pins 1/72 inch apart; a pin dot is 1/80 inch wide, so double density overlaps.
      if (m == 0) mode = {8, 1, 2, 2, 2, 2};
      if (m == 1) mode = {8, 1, 1, 2, 2, 2};
    } else {
      // 24-pin head: 8-dot modes use every third pin.
      if (m == 0) mode = {8, 1, 2, 3, 2, 3};
      if (m == 1) mode = {8, 1, 1, 3, 1, 3};
      if (m == 32) mode = {24, 3, 2, 1, 2, 1};
      if (m == 33) mode = {24, 3, 1, 1, 1, 1};
    }
    if (mode.dots == 0) return Fail(at, "ESC * mode " + std::to_string(m) + " not available on this printer");
    Columns(at, mode, columns);
  }

  void StarPins(std::size_t at, int m, int columns) {
    static const DotMode kModes[6] = {
        {9, 2, 1, 2, 2, 2},   // 0: 9-pin double density
        {9, 2, 2, 2, 2, 2},   // 1: 9-pin single density
        {16, 2, 2, 1, 2, 1},  // 2: 16-pin single density
        {16, 2, 1, 1, 2, 1},  // 3: 16-pin double density
        {18, 3, 2, 1, 2, 1},  // 4: 18-pin single density
        {18, 3, 1, 1, 2, 1},  // 5: 18-pin double density
    };
    if (m < 0 || m > 5) return Fail(at, "ESC ^ with a bad mode");
    Columns(at, kModes[m], columns);
  }

  // A bit image of `columns` columns starting at the carriage position.
  void Columns(std::size_t at, const DotMode& mode, int columns) {
    if (columns == 0) return Fail(at, "empty bit image");
    const std::size_t length = static_cast<std::size_t>(columns) * mode.bytes;
    if (pos_ + length > s_.size()) return Fail(at, "bit image data cut short");
    if (x_ + columns * mode.pitchX > p_.paperWidth) return Fail(at, "bit image runs past the paper edge");
    const int unusedMask = (1 << (mode.bytes * 8 - mode.dots)) - 1;
    for (int c = 0; c < columns; ++c) {
      const std::uint8_t* column = s_.data() + pos_ + static_cast<std::size_t>(c) * mode.bytes;
      if (column[mode.bytes - 1] & unusedMask) return Fail(at, "bit image sets bits beyond its pins");
      for (int d = 0; d < mode.dots; ++d)
        if (column[d / 8] & (0x80 >> (d % 8)))
          Paint(x_ + c * mode.pitchX, y_ + d * mode.pitchY, mode.dotW, mode.dotH, kDot);
    }
    pos_ += length;
    x_ += columns * mode.pitchX;
    ++result_.images;
  }

  void RasterImage(std::size_t at, const std::uint8_t* a) {
    if (p_.impact) return Fail(at, "raster image on an impact printer");
    const int m = a[0] >= '0' ? a[0] - '0' : a[0];
    if (m < 0 || m > 3) return Fail(at, "GS v 0 with a bad mode");
    const int sx = (m & 1) ? 2 : 1, sy = (m & 2) ? 2 : 1;
    const int bytes = a[1] | a[2] << 8, rows = a[3] | a[4] << 8;
    if (bytes == 0 || rows == 0) return Fail(at, "empty raster image");
    const std::size_t length = static_cast<std::size_t>(bytes) * rows;
    if (pos_ + length > s_.size()) return Fail(at, "raster data cut short");
    if (bytes * 8 * sx > p_.paperWidth) return Fail(at, "raster image wider than the paper");
    if (x_ != 0) return Fail(at, "raster image behind unprinted graphics");
    for (int r = 0; r < rows; ++r)
      for (int b = 0; b < bytes; ++b) {
        const std::uint8_t bits = s_[pos_ + static_cast<std::size_t>(r) * bytes + b];
        for (int i = 0; i < 8; ++i)
          if (bits & (0x80 >> i)) Paint((b * 8 + i) * sx, y_ + r * sy, sx, sy, kDot);
      }
    pos_ += length;
    y_ += static_cast<long>(rows) * sy;
    ++result_.images;
  }

  void Paint(int x, long y, int w, int h, std::uint8_t value) {
    const int bottom = static_cast<int>(y) + h;
    if (bottom > rows_) {
      cells_.resize(static_cast<std::size_t>(p_.paperWidth) * bottom, kPaper);
      rows_ = bottom;
    }
    for (int yy = static_cast<int>(y); yy < bottom; ++yy)
      for (int xx = x; xx < std::min(x + w, p_.paperWidth); ++xx)
        cells_[static_cast<std::size_t>(yy) * p_.paperWidth + xx] = value;
  }

  const std::vector<std::uint8_t>& s_;
  Profile p_;
  std::size_t pos_ = 0;
  int x_ = 0;
  long y_ = 0;
  int unit_ = 180;
  long feedRest_ = 0;
  int lineSpacing_ = 30;
  int rows_ = 0;
  std::vector<std::uint8_t> cells_;
  Walk result_;
};

}  // namespace

Walk WalkStream(const std::vector<std::uint8_t>& stream, const Profile& profile) {
  return Walker(stream, profile).Run();
}

}  // namespace jobcheck
