#include "preview/renderer.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "preview/glyph_font.h"
#include "preview/graphics.h"
#include "preview/page_buffer.h"
#include "preview/symbol_commands.h"
#include "preview/symbols.h"
#include "text/gbk.h"

namespace preview {

namespace {

using Bytes = std::span<const std::uint8_t>;

// A block of dots waiting in the line buffer. Only the columns left of the
// canvas's right edge are kept.
struct Stamp {
  int x = 0;
  int width = 0;   // as printed
  int height = 0;
  int kept = 0;    // columns stored, at most width
  bool text = false;
  std::vector<std::uint8_t> dots;  // kept x height, row by row
  bool At(int r, int c) const { return dots[static_cast<std::size_t>(r) * kept + c] != 0; }
  void Set(int r, int c) { dots[static_cast<std::size_t>(r) * kept + c] = 1; }
};

// What a stamp costs besides its dots, so that empty ones still count.
constexpr std::int64_t kStampCost = 64;

// A bit-image mode on the grid: dots per column, grid step across and down,
// and the size of one dot.
struct DotMode {
  int dots = 8;
  int pitchX = 1, pitchY = 1;
  int dotW = 1, dotH = 1;
};

class Renderer {
 public:
  Renderer(Bytes s, CommandSet set, const Paper& paper, const Limits& limits)
      : s_(s), set_(set), paper_(paper), limits_(limits), budget_(limits.dotBudget),
        maxRows_(std::max(1, Rows(limits.pageMillimetres / 25.4))),
        page_(paper.width, maxRows_, [this](std::int64_t cells) { return Spend(cells); }) {
    canvasWidth_ = std::max(paper.width, 9 * paper.dpiX);
    textScaleX_ = paper.impact ? paper.dpiX / 160.0 : 1.0;
    if (set == CommandSet::EscP || set == CommandSet::Oki) textScaleX_ = paper.dpiX / 180.0;
    textScaleY_ = paper.impact ? paper.dpiY / 144.0 : 1.0;
    if (set == CommandSet::EscP || set == CommandSet::Oki) textScaleY_ = paper.dpiY / 180.0;
    Reset();
  }

  // Items past a limit are passed over.
  void Take(const Item& item) {
    if (stopped_.empty()) Step(item);
  }

  Rendering Finish() {
    PrintLine();  // what the line buffer holds is paid for
    if (pageMode_) {  // and so is the page buffer
      PrintPage();
      LeavePageMode();
    }
    Rendering out = std::move(result_);
    out.stopped = stopped_;
    // Positions stay below maxRows_, so the height fits an int.
    const int height = static_cast<int>(std::min<std::int64_t>(std::max(used_, y_) + 1, maxRows_));
    const int drawn = std::min(rows_, height);
    int right = paper_.width;
    for (int y = 0; y < drawn; ++y)
      for (int x = canvasWidth_ - 1; x >= right; --x)
        if (cells_[static_cast<std::size_t>(y) * canvasWidth_ + x] == kDot) {
          right = x + 1;
          break;
        }
    out.widerThanPaper = right > paper_.width;
    out.page.width = right;
    out.page.height = height;
    out.page.dpiX = paper_.dpiX;
    out.page.dpiY = paper_.dpiY;
    out.page.cells.assign(static_cast<std::size_t>(out.page.width) * out.page.height, kPaper);
    for (int y = 0; y < drawn; ++y)
      std::copy_n(cells_.begin() + static_cast<std::ptrdiff_t>(y) * canvasWidth_, out.page.width,
                  out.page.cells.begin() + static_cast<std::ptrdiff_t>(y) * out.page.width);
    return out;
  }

 private:
  bool EscPFamily() const { return set_ == CommandSet::EscP || set_ == CommandSet::Oki; }

  // Motion units per inch before GS P changes them.
  int DefaultUnit() const {
    if (set_ == CommandSet::EscPos) return paper_.impact ? 144 : paper_.dpiY;
    return set_ == CommandSet::Star ? 144 : 180;
  }

  // ESC/POS measures positions, margins and widths across in 1/hUnit_ inch.
  int Across(int n) const { return Cols(static_cast<double>(n) / hUnit_); }

  // The print area: from the left margin to its width's end, within the paper.
  int AreaRight() const {
    if (pageMode_) return page_.LineLength();
    return areaWidth_ > 0 ? static_cast<int>(std::min<std::int64_t>(paper_.width, std::int64_t{leftMargin_} + areaWidth_))
                          : paper_.width;
  }

  // Where a block `width` dots wide starts in the print area, aligned as set.
  int AlignedLeft(int width) const {
    if (pageMode_) return x_;  // page mode places blocks where the position is
    const int right = AreaRight();
    if (EscPFamily() || width >= right - leftMargin_) return leftMargin_;
    return align_ == 1 ? leftMargin_ + (right - leftMargin_ - width) / 2 : align_ == 2 ? right - width : leftMargin_;
  }

  void Reset() {
    unit_ = DefaultUnit();
    hUnit_ = paper_.dpiX;
    leftMargin_ = areaWidth_ = 0;
    lineSpacing_ = Rows(1.0 / 6);
    defined72_ = 0;
    sizeX_ = sizeY_ = kanjiX_ = kanjiY_ = 1;
    bold_ = underline_ = lineWide_ = false;
    align_ = 0;
    barHeight_ = 162;
    barWidth_ = 3;
    hri_ = 0;
    hriFontB_ = false;
    codes_ = TwoDimensionalCodes();
    charSpacing_ = kanjiLeft_ = kanjiRight_ = 0;
    fontB_ = rotated_ = upsideDown_ = reverse_ = false;
    userCharactersOn_ = false;
    page_.SetDirection(0);
    DefaultPageArea();
    otherSpacing_ = {0, 0, 0, lineSpacing_};
  }

  // The right edge of what the carriage reaches: the canvas's, or in page
  // mode the print area's line.
  int Edge() const { return pageMode_ ? page_.LineLength() : canvasWidth_; }

  int Rows(double inches) const { return static_cast<int>(std::lround(inches * paper_.dpiY)); }
  int Cols(double inches) const { return static_cast<int>(std::lround(inches * paper_.dpiX)); }

  int P(const Item& item, int i) const { return item.Param(s_, i); }
  // A parameter given as a number or as its ASCII digit.
  static int Digit(int p) { return p >= '0' && p <= '9' ? p - '0' : p; }

  // Ends the picture here; the first reason is kept.
  void Stop(std::string why) {
    if (stopped_.empty()) stopped_ = std::move(why);
  }
  void StopAtPageEnd() {
    Stop("the stream goes on past " + std::to_string(limits_.pageMillimetres) + " mm of paper; drawn up to there");
  }

  // Takes `dots` from the drawing budget; false once it is spent.
  bool Spend(std::int64_t dots) {
    budget_ -= dots;
    if (budget_ >= 0) return true;
    Stop("the stream draws more than " + std::to_string(limits_.dotBudget) + " dots; drawn up to there");
    return false;
  }

  // Moves the print position down (or up, for a negative count), never
  // above the top of the page nor past its last row.
  void Down(std::int64_t rows) {
    if (pageMode_) {  // within the print area; what goes below it is not drawn
      y_ = std::clamp<std::int64_t>(y_ + rows, 0, page_.Depth());
      return;
    }
    y_ = std::max<std::int64_t>(0, y_ + rows);
    if (y_ >= maxRows_) {
      y_ = maxRows_ - 1;
      StopAtPageEnd();
    }
  }

  // The carriage moves at most to the canvas's right edge; beyond it nothing is drawn.
  void SetX(std::int64_t x) { x_ = static_cast<int>(std::clamp<std::int64_t>(x, 0, Edge())); }

  void Step(const Item& item) {
    if (item.kind == Item::Text) return Text(item);
    if (item.kind != Item::Command) return;
    const std::uint8_t* data = s_.data() + item.dataAt;
    const int p0 = P(item, 0), p1 = P(item, 1);
    const Action action = item.definition->action;
    if (pageMode_ && StandardModeSetting(action)) {
      // Kept for standard mode; page mode does not use them.
      const Layout page = TakeLayout();
      const int x = x_;
      PutLayout(standard_);
      pageMode_ = false;
      Step(item);
      pageMode_ = true;
      standard_ = TakeLayout();
      PutLayout(page);
      x_ = x;
      return;
    }
    switch (action) {
      case Action::None:
      case Action::Drawer:
      case Action::BarcodeText: hri_ = (p0 >= '0' ? p0 - '0' : p0) & 3; break;
      case Action::BarcodeFont: hriFontB_ = Digit(p0) == 1; break;
      case Action::Unsupported: break;
      case Action::Init:
        if (pageMode_) LeavePageMode();
        Reset();
        if (line_.empty()) x_ = leftMargin_;
        break;
      case Action::LineFeed: LineFeed(); break;
      case Action::CarriageReturn:
        // ESC/P and STAR return the carriage; the line is printed then.
        PrintLine();
        x_ = leftMargin_;
        break;
      case Action::PrintLine: PrintLine(); break;
      case Action::FormFeed: PrintLine(); PaperEnd(); break;
      case Action::PageMode: EnterPageMode(); break;
      case Action::StandardMode:
        if (!pageMode_) break;
        LeavePageMode();
        DefaultPageArea();
        break;
      case Action::PageArea: {
        const int dx = P(item, 4) | P(item, 5) << 8, dy = P(item, 6) | P(item, 7) << 8;
        if (dx == 0 || dy == 0) break;
        if (pageMode_) PrintLine();
        page_.SetArea(Across(p0 | p1 << 8), DownUnits(P(item, 2) | P(item, 3) << 8), Across(dx), DownUnits(dy));
        if (pageMode_) {
          x_ = 0;
          y_ = 0;
        }
        break;
      }
      case Action::PageDirection:
        if (Digit(p0) < 0 || Digit(p0) > 3) break;
        if (pageMode_) PrintLine();
        page_.SetDirection(Digit(p0));
        if (pageMode_) {
          x_ = 0;
          y_ = 0;
        }
        break;
      case Action::PageVertical:
        if (const std::int64_t y = AcrossLines(p0 | p1 << 8); pageMode_ && y < page_.Depth()) {
          PrintLine();
          y_ = y;
        }
        break;
      case Action::PageVerticalStep:
        if (const std::int64_t y = y_ + AcrossLines(static_cast<std::int16_t>(p0 | p1 << 8));
            pageMode_ && y >= 0 && y < page_.Depth()) {
          PrintLine();
          y_ = y;
        }
        break;
      case Action::PrintPage:
        PrintLine();
        if (pageMode_) {
          PrintPage();
          LeavePageMode();
        }
        break;
      case Action::PrintPageStay:
        if (pageMode_) PrintPage();
        break;
      case Action::Tab: SetX((x_ / Cols(0.5) + 1) * std::int64_t{Cols(0.5)}); break;
      case Action::Cancel:
        line_.clear();
        x_ = leftMargin_;
        if (pageMode_) page_.ClearArea();
        break;
      case Action::Feed: Feed(p0, true); break;
      case Action::FeedBack: PrintLine(); Down(-Units(p0)); break;
      case Action::FeedLines: PrintLine(); Down(std::int64_t{p0} * lineSpacing_); x_ = leftMargin_; break;
      case Action::Spacing: lineSpacing_ = static_cast<int>(Units(p0)); break;
      case Action::Spacing360: lineSpacing_ = Rows(p0 / 360.0); break;
      case Action::Spacing60: lineSpacing_ = Rows(p0 / 60.0); break;
      case Action::SpacingSixth: lineSpacing_ = Rows(1.0 / 6); break;
      case Action::SpacingEighth: lineSpacing_ = Rows(1.0 / 8); break;
      case Action::SpacingSeven72: lineSpacing_ = Rows(7.0 / 72); break;
      case Action::Spacing72Define: defined72_ = p0; break;
      case Action::SpacingDefined: lineSpacing_ = defined72_ > 0 ? Rows(defined72_ / 72.0) : Rows(1.0 / 6); break;
      case Action::StarSpacing: lineSpacing_ = (p0 & 1) ? Rows(1.0 / 6) : Rows(1.0 / 8); break;
      case Action::MotionUnits:
        unit_ = p1 != 0 ? p1 : DefaultUnit();
        hUnit_ = p0 != 0 ? p0 : paper_.dpiX;
        break;
      case Action::PrintMode:
        if (EscPFamily()) {
          sizeX_ = (p0 & 0x20) ? 2 : 1;
          bold_ = p0 & 0x18;
        } else {
          sizeX_ = (p0 & 0x20) ? 2 : 1;
          sizeY_ = (p0 & 0x10) ? 2 : 1;
          bold_ = p0 & 0x08;
          fontB_ = set_ == CommandSet::EscPos && (p0 & 0x01);
        }
        underline_ = p0 & 0x80;
        break;
      // Settings only ESC/POS draws; the other sets keep their old look.
      case Action::CharacterSpacing: if (set_ == CommandSet::EscPos) charSpacing_ = Across(p0); break;
      case Action::KanjiSpacing:
        if (set_ == CommandSet::EscPos) {
          kanjiLeft_ = Across(p0);
          kanjiRight_ = Across(p1);
        }
        break;
      case Action::Font: fontB_ = !EscPFamily() && Digit(p0) == 1; break;
      case Action::StarExpansion:
        sizeY_ = kanjiY_ = std::clamp(Digit(p0), 0, 5) + 1;
        sizeX_ = kanjiX_ = std::clamp(Digit(p1), 0, 5) + 1;
        break;
      case Action::DotPosition: SetX(std::int64_t{leftMargin_} + (p0 | p1 << 8)); break;
      case Action::DotStep: SetX(std::int64_t{x_} + static_cast<std::int16_t>(p0 | p1 << 8)); break;
      case Action::ReverseOn: reverse_ = true; break;
      case Action::ReverseOff: reverse_ = false; break;
      case Action::Rotate90: rotated_ = p0 == 1 || p0 == '1'; break;
      case Action::UpsideDown: upsideDown_ = p0 & 1; break;
      case Action::Reverse: reverse_ = p0 & 1; break;
      case Action::FeedLinesBack: PrintLine(); Down(-std::int64_t{p0} * lineSpacing_); break;
      case Action::CharacterSize:
        sizeX_ = kanjiX_ = (p0 >> 4 & 7) + 1;
        sizeY_ = kanjiY_ = (p0 & 7) + 1;
        break;
      case Action::KanjiMode:
        kanjiX_ = (p0 & 0x04) ? 2 : 1;
        kanjiY_ = (p0 & 0x08) ? 2 : 1;
        break;
      case Action::KanjiOn:
      case Action::KanjiOff:
      case Action::CodePage: break;  // the decoder reads the text accordingly
      case Action::DefineUserCharacters: DefineUserCharacters(item); break;
      case Action::UserCharactersOn: userCharactersOn_ = p0 & 1; break;
      case Action::CancelUserCharacter: userCharacters_.erase(p0); break;
      case Action::DoubleWidthLine: lineWide_ = true; break;
      case Action::DoubleWidthOff: lineWide_ = false; break;
      case Action::DoubleWidth: sizeX_ = kanjiX_ = (p0 & 1) ? 2 : 1; break;
      case Action::DoubleHeight: sizeY_ = kanjiY_ = (p0 & 1) ? 2 : 1; break;
      case Action::Quadruple: kanjiX_ = kanjiY_ = (p0 & 1) ? 2 : 1; break;
      case Action::Bold: bold_ = p0 & 1; break;
      case Action::BoldOn: bold_ = true; break;
      case Action::BoldOff: bold_ = false; break;
      case Action::Underline: underline_ = (p0 & 3) != 0 && p0 != '0'; break;
      case Action::Align: align_ = p0 >= '0' ? p0 - '0' : p0; break;
      case Action::AbsolutePosition:
        if (pageMode_) {
          if (const std::int64_t x = AlongLine(p0 | p1 << 8); x < page_.LineLength()) SetX(x);
        } else if (set_ == CommandSet::EscPos) SetX(std::int64_t{leftMargin_} + Across(p0 | p1 << 8));
        else SetX(Cols((p0 | p1 << 8) / 60.0));
        break;
      case Action::RelativePosition:
        if (!pageMode_) {
          SetX(std::int64_t{x_} + Across(static_cast<std::int16_t>(p0 | p1 << 8)));
        } else if (const std::int64_t x = x_ + AlongLine(static_cast<std::int16_t>(p0 | p1 << 8));
                   x >= 0 && x < page_.LineLength()) {
          SetX(x);
        }
        break;
      case Action::LeftMargin:
        // Taken at the start of a line; the margin stays on the paper.
        leftMargin_ = std::min(Across(p0 | p1 << 8), paper_.width - 1);
        if (line_.empty()) x_ = leftMargin_;
        break;
      case Action::PrintAreaWidth: areaWidth_ = std::max(1, Across(p0 | p1 << 8)); break;
      case Action::BitImage: BitImage(p0, p1 | P(item, 2) << 8, item); break;
      case Action::EightDotImage: EightDot(item.definition->density, p0 | p1 << 8, item); break;
      case Action::PinImage: StarPins(p0, p1 | P(item, 2) << 8, item); break;
      case Action::StarRowImage: StarRows(p0 | p1 << 8, item); break;
      case Action::Raster: Raster(p0, p1 | P(item, 2) << 8, P(item, 3) | P(item, 4) << 8, item); break;
      case Action::DefineImage:
        // Kept only when the data holds the whole x by y image.
        if (item.dataLength == static_cast<std::size_t>(p0) * p1 * 8) {
          stored_.assign(data, data + item.dataLength);
          storedColumns_ = p0 * 8;
          storedBytes_ = p1;
        } else {
          stored_.clear();
        }
        break;
      case Action::PrintImage: PrintStored(p0); break;
      case Action::Barcode: Barcode(item); break;
      case Action::Graphics:
        if (const auto print = graphics_.Apply(s_.subspan(item.dataAt, item.dataLength))) DrawBitmap(*print);
        break;
      case Action::DefineNvImages: graphics_.DefineNvImages(p0, s_.subspan(item.dataAt, item.dataLength)); break;
      case Action::PrintNvImage:
        if (const auto print = graphics_.PrintNvImage(p0, p1)) DrawBitmap(*print);
        break;
      case Action::TwoDimensionalCode:
        if (const auto print = codes_.Apply(s_.subspan(item.dataAt, item.dataLength))) TwoDimensional(*print);
        break;
      case Action::BarcodeHeight: barHeight_ = std::max(1, p0); break;
      case Action::BarcodeWidth: barWidth_ = std::clamp(p0, 1, 6); break;
      case Action::Cut: {
        int feed = item.dataLength > 0 ? data[0] : 0;
        PrintLine();
        Down(Units(feed));
        PaperEnd();
        break;
      }
      case Action::CutNow: PrintLine(); PaperEnd(); break;
      case Action::StarCut:
        // 2 and 3 feed to the cutter first: one inch on a dot-matrix head; a
        // thermal head's distance is the model's own, so it cuts here.
        PrintLine();
        if (paper_.impact && (Digit(p0) == 2 || Digit(p0) == 3)) Down(Rows(1.0));
        PaperEnd();
        break;
      case Action::FeedToMark: PrintLine(); PaperEnd(); break;
    }
  }

  // Settings page mode keeps for standard mode without using them.
  struct Layout {
    int leftMargin = 0, areaWidth = 0, align = 0;
    bool rotated = false, upsideDown = false;
  };
  static bool StandardModeSetting(Action a) {
    return a == Action::LeftMargin || a == Action::PrintAreaWidth || a == Action::Align || a == Action::Rotate90 ||
           a == Action::UpsideDown;
  }
  Layout TakeLayout() const { return {leftMargin_, areaWidth_, align_, rotated_, upsideDown_}; }
  void PutLayout(const Layout& l) {
    leftMargin_ = l.leftMargin;
    areaWidth_ = l.areaWidth;
    align_ = l.align;
    rotated_ = l.rotated;
    upsideDown_ = l.upsideDown;
  }

  // Spacing each mode sets for itself: ESC SP, FS S, ESC 2 and ESC 3.
  struct Spacing {
    int character = 0, kanjiLeft = 0, kanjiRight = 0, line = 0;
  };
  void SwapSpacing() {
    const Spacing now{charSpacing_, kanjiLeft_, kanjiRight_, lineSpacing_};
    charSpacing_ = otherSpacing_.character;
    kanjiLeft_ = otherSpacing_.kanjiLeft;
    kanjiRight_ = otherSpacing_.kanjiRight;
    lineSpacing_ = otherSpacing_.line;
    otherSpacing_ = now;
  }

  // ESC/POS page mode's own distances: along a line in the horizontal
  // unit, across the lines in the vertical one; turned a quarter, each
  // takes the other's.
  std::int64_t DownUnits(int n) const { return std::int64_t{n} * paper_.dpiY / unit_; }
  std::int64_t AlongLine(int n) const { return page_.direction() & 1 ? DownUnits(n) : Across(n); }
  std::int64_t AcrossLines(int n) const { return page_.direction() & 1 ? Across(n) : DownUnits(n); }

  // A page of 1662 dots at 203 dpi across the paper, as thermal printers have by default.
  void DefaultPageArea() { page_.SetArea(0, 0, paper_.width, Rows(1662.0 / 203)); }

  // ESC L: the line so far is printed; from here on the page buffer is
  // drawn in, from the print area's starting corner.
  void EnterPageMode() {
    if (pageMode_) return;
    PrintLine();
    standard_ = TakeLayout();
    PutLayout({});
    standardY_ = y_;
    pageMode_ = true;
    SwapSpacing();
    page_.Clear();
    x_ = 0;
    y_ = 0;
  }

  // Back to standard mode; what the page buffer holds is dropped.
  void LeavePageMode() {
    line_.clear();
    page_.Clear();
    pageMode_ = false;
    PutLayout(standard_);
    SwapSpacing();
    y_ = standardY_;
    x_ = leftMargin_;
  }

  // FF and ESC FF: the page buffer goes on the paper and the paper moves on
  // by the page's height; the buffer and the position in it stay.
  void PrintPage() {
    PrintLine();
    const int x = x_;
    const std::int64_t y = y_;
    pageMode_ = false;
    y_ = standardY_;
    page_.ForEachDot([&](int col, int row) {
      if (stopped_.empty()) Dot(col, y_ + row);
    });
    Down(page_.Height());
    standardY_ = y_;
    pageMode_ = true;
    x_ = x;
    y_ = y;
  }

  std::int64_t Units(int n) {
    const std::int64_t scaled = std::int64_t{n} * paper_.dpiY + feedRest_;
    feedRest_ = scaled % unit_;
    return scaled / unit_;
  }

  // ESC J: print and feed; the ESC/P carriage stays where it is.
  void Feed(int n, bool forward) {
    const int x = x_;
    PrintLine();
    Down(forward ? Units(n) : -Units(n));
    if (EscPFamily()) x_ = x;
    if (pageMode_) x_ = 0;
  }

  void LineFeed() {
    int height = 0;
    for (const Stamp& st : line_)
      if (st.text) height = std::max(height, st.height);
    PrintLine();
    Down(std::max(lineSpacing_, height));
    if (pageMode_) x_ = 0;
  }

  // Draws the line buffer at the current position, aligned as set.
  // In page mode the line goes where its signs were placed, and the
  // position stays.
  void PrintLine() {
    if (line_.empty()) {
      if (!pageMode_) x_ = leftMargin_;
      return;
    }
    int used = 0, height = 0;
    for (const Stamp& st : line_) {
      used = std::max(used, st.x + st.width);
      height = std::max(height, st.height);
    }
    const int shift = pageMode_ ? 0 : AlignedLeft(used - leftMargin_) - leftMargin_;
    // Upside down, the line is turned about the middle of the print area.
    const int turn = leftMargin_ + AreaRight() - 1;
    for (const Stamp& st : line_) {
      const std::int64_t top = y_ + (st.text ? height - st.height : 0);
      for (int r = 0; r < st.height; ++r)
        for (int c = 0; c < st.kept; ++c)
          if (st.At(r, c)) {
            const int x = st.x + shift + c;
            if (upsideDown_) Dot(turn - x, y_ + height - 1 - (top - y_ + r));
            else Dot(x, top + r);
          }
    }
    line_.clear();
    lineWide_ = false;
    if (!pageMode_) x_ = leftMargin_;
  }

  void Text(const Item& item) {
    for (std::size_t i = item.offset; i < item.offset + item.length && stopped_.empty();) {
      const std::uint8_t b = s_[i];
      if (b < 0x80 || item.codeTable >= 0) {
        preview::Glyph g = b < 0x80 ? NarrowGlyph(b) : CodePageGlyph(item.codeTable, b);
        if (const auto own = userCharacters_.find(b); userCharactersOn_ && own != userCharacters_.end())
          g = {own->second.rows.data(), own->second.width, own->second.height};
        if (g.rows == nullptr) g = NarrowGlyph('?');
        DrawGlyph(g, sizeX_ * (lineWide_ ? 2 : 1), sizeY_, fontB_);
        x_ = std::min(Edge(), x_ + charSpacing_ * sizeX_);
        ++i;
      } else {
        // Two bytes, or four for GB18030's signs beyond GBK.
        const bool four = i + 3 < item.offset + item.length && s_[i + 1] >= 0x30 && s_[i + 1] <= 0x39;
        preview::Glyph g = four ? FourByteGlyph(b, s_[i + 1], s_[i + 2], s_[i + 3]) : WideGlyph(b, s_[i + 1]);
        if (g.rows == nullptr) g = NarrowGlyph('?');
        x_ = std::min(Edge(), x_ + kanjiLeft_);
        DrawGlyph(g, std::max(kanjiX_, sizeX_) * (lineWide_ ? 2 : 1), std::max(kanjiY_, sizeY_), false);
        x_ = std::min(Edge(), x_ + kanjiRight_);
        i += four ? 4 : 2;
      }
    }
  }

  // ESC & y c1 c2: signs c1 to c2, each x columns of y bytes, turned into
  // glyph rows; a sign 0 columns wide is undefined again.
  void DefineUserCharacters(const Item& item) {
    const int y = P(item, 0), first = P(item, 1), last = P(item, 2);
    std::size_t at = item.dataAt;
    const std::size_t end = item.dataAt + item.dataLength;
    for (int c = first; c <= last && at < end; ++c) {
      const int x = s_[at++];
      const std::size_t size = static_cast<std::size_t>(x) * y;
      if (size > end - at) return;
      if (x == 0 || y == 0) {
        userCharacters_.erase(c);
        continue;
      }
      UserCharacter sign{x, y * 8, std::vector<std::uint8_t>(static_cast<std::size_t>((x + 7) / 8) * y * 8, 0)};
      for (int col = 0; col < x; ++col)
        for (int dot = 0; dot < y * 8; ++dot)
          if (s_[at + static_cast<std::size_t>(col) * y + dot / 8] & (0x80 >> (dot % 8)))
            sign.rows[static_cast<std::size_t>(dot) * ((x + 7) / 8) + col / 8] |= static_cast<std::uint8_t>(0x80 >> (col % 8));
      userCharacters_[c] = std::move(sign);
      at += size;
    }
  }

  // A sign scaled by mulX x mulY (font B: 9 x 17 of the 12 x 24 cell),
  // bold, underlined, reversed and turned as set, into the line buffer.
  void DrawGlyph(const preview::Glyph& g, int mulX, int mulY, bool fontB = false) {
    const int w = std::max(1, static_cast<int>(std::lround(g.width * textScaleX_ * mulX * (fontB ? 0.75 : 1.0))));
    const int h = std::max(1, static_cast<int>(std::lround(g.height * textScaleY_ * mulY * (fontB ? 17.0 / 24 : 1.0))));
    // The upright sign's dot at row r, column c.
    const auto on = [&](int r, int c) {
      const int gy = r * g.height / h, gx = c * g.width / w;
      bool dot = g.Dot(gx, gy) || (bold_ && gx > 0 && g.Dot(gx - 1, gy)) || (underline_ && r == h - 1);
      return dot != reverse_;
    };
    Stamp st;
    st.text = true;
    st.width = rotated_ ? h : w;
    st.height = rotated_ ? w : h;
    if (x_ + st.width > AreaRight() && x_ > leftMargin_) LineFeed();
    if (!Begin(st)) return;
    for (int r = 0; r < st.height; ++r)
      for (int c = 0; c < st.kept; ++c)
        if (rotated_ ? on(h - 1 - c, r) : on(r, c)) st.Set(r, c);
    SetX(std::int64_t{x_} + st.width);
    line_.push_back(std::move(st));
  }

  // Places a stamp at the carriage and makes room for the columns it keeps;
  // false when the budget does not cover it.
  bool Begin(Stamp& st) {
    st.x = x_;
    st.kept = std::clamp(Edge() - st.x, 0, st.width);
    if (!Spend(kStampCost + std::int64_t{st.kept} * st.height)) return false;
    st.dots.assign(static_cast<std::size_t>(st.kept) * st.height, 0);
    return true;
  }

  // Column images into the line buffer: `bytes` bytes per column, top dot in the top bit.
  void Columns(const DotMode& mode, int bytes, int columns, const Item& item) {
    if (item.dataLength < static_cast<std::size_t>(columns) * bytes) return;  // never read past the data
    const std::uint8_t* data = s_.data() + item.dataAt;
    Stamp st;
    st.width = std::max(0, columns * mode.pitchX + mode.dotW - mode.pitchX);
    st.height = std::max(1, (mode.dots - 1) * mode.pitchY + mode.dotH);
    if (!Begin(st)) return;
    for (int c = 0; c < columns && c * mode.pitchX < st.kept; ++c)
      for (int d = 0; d < mode.dots; ++d)
        if (data[static_cast<std::size_t>(c) * bytes + d / 8] & (0x80 >> (d % 8)))
          for (int yy = 0; yy < mode.dotH; ++yy)
            for (int xx = 0; xx < mode.dotW && c * mode.pitchX + xx < st.kept; ++xx)
              st.Set(d * mode.pitchY + yy, c * mode.pitchX + xx);
    SetX(x_ + std::int64_t{columns} * mode.pitchX);
    line_.push_back(std::move(st));
    ++result_.images;
  }

  void BitImage(int m, int columns, const Item& item) {
    DotMode mode;
    if (EscPFamily()) {
      // 24-pin head on a 1/180 inch grid down; 8-dot modes use every third pin.
      const int dpi = (m == 0 || m == 32) ? 60 : (m == 1 || m == 33 || m == 2 || m == 3) ? 120 : m == 39 ? 180 : m == 40 ? 360 : 120;
      const int pitch = std::max(1, Cols(1.0 / dpi));
      mode = m >= 32 ? DotMode{24, pitch, Rows(1.0 / 180), std::max(1, pitch), std::max(1, Rows(1.0 / 180))}
                     : DotMode{8, pitch, Rows(1.0 / 60), std::max(1, pitch), Rows(1.0 / 60)};
      if (m >= 64) mode.dots = 48;
    } else if (paper_.impact) {
      mode = {8, m == 1 ? 1 : 2, Rows(1.0 / 72), 2, Rows(1.0 / 72)};
    } else {
      const bool full = m == 1 || m == 33;
      mode = m >= 32 ? DotMode{24, full ? 1 : 2, 1, full ? 1 : 2, 1} : DotMode{8, full ? 1 : 2, 3, full ? 1 : 2, 3};
    }
    Columns(mode, mode.dots / 8, columns, item);
  }

  void EightDot(int dpi, int columns, const Item& item) {
    const int pitch = std::max(1, Cols(1.0 / dpi));
    const int down = std::max(1, Rows(set_ == CommandSet::Star ? 1.0 / 72 : 1.0 / 60));
    Columns({8, pitch, down, pitch, down}, 1, columns, item);
  }

  // ESC k: 24 rows of `bytes` bytes into the line, one dot per bit, the
  // leftmost in the top bit.
  void StarRows(int bytes, const Item& item) {
    constexpr int kRows = 24;
    if (item.dataLength < static_cast<std::size_t>(bytes) * kRows) return;  // never read past the data
    const std::uint8_t* data = s_.data() + item.dataAt;
    Stamp st;
    st.width = bytes * 8;
    st.height = kRows;
    if (!Begin(st)) return;
    for (int r = 0; r < kRows; ++r)
      for (int c = 0; c < st.kept; ++c)
        if (data[static_cast<std::size_t>(r) * bytes + c / 8] & (0x80 >> (c % 8))) st.Set(r, c);
    SetX(x_ + std::int64_t{st.width});
    line_.push_back(std::move(st));
    ++result_.images;
  }

  void StarPins(int m, int columns, const Item& item) {
    static const DotMode kModes[6] = {{9, 1, 2, 2, 2}, {9, 2, 2, 2, 2}, {16, 2, 1, 2, 1},
                                      {16, 1, 1, 2, 1}, {18, 2, 1, 2, 1}, {18, 1, 1, 2, 1}};
    const DotMode mode = kModes[std::clamp(m, 0, 5)];
    Columns(mode, m >= 4 ? 3 : 2, columns, item);
  }

  void Raster(int m, int bytes, int rows, const Item& item) {
    PrintLine();
    if (item.dataLength < static_cast<std::size_t>(bytes) * static_cast<std::size_t>(rows)) return;
    const std::uint8_t* data = s_.data() + item.dataAt;
    m = m >= '0' ? m - '0' : m;
    const int sx = (m & 1) ? 2 : 1, sy = (m & 2) ? 2 : 1;
    // Bytes right of the canvas draw nothing and are not looked at.
    const int left = AlignedLeft(static_cast<int>(std::min<std::int64_t>(std::int64_t{bytes} * 8 * sx, Edge())));
    const int shown = std::min(bytes, (Edge() - left + 8 * sx - 1) / (8 * sx));
    for (int r = 0; r < rows && stopped_.empty(); ++r) {
      if (!Spend(std::int64_t{shown} * 8 * sx * sy)) break;
      for (int b = 0; b < shown; ++b) {
        const std::uint8_t bits = data[static_cast<std::size_t>(r) * bytes + b];
        for (int i = 0; i < 8; ++i)
          if (bits & (0x80 >> i))
            for (int yy = 0; yy < sy; ++yy)
              for (int xx = 0; xx < sx; ++xx) Dot(left + (b * 8 + i) * sx + xx, y_ + std::int64_t{r} * sy + yy);
      }
    }
    Down(std::int64_t{rows} * sy);
    ++result_.images;
  }

  // GS /: the downloaded image, column by column, printed at once.
  void PrintStored(int m) {
    if (stored_.empty()) return;
    PrintLine();
    m = m >= '0' ? m - '0' : m;
    const int sx = (m & 1) ? 2 : 1, sy = (m & 2) ? 2 : 1;
    const int left = AlignedLeft(storedColumns_ * sx);
    for (int c = 0; c < storedColumns_ && stopped_.empty(); ++c) {
      if (!Spend(std::int64_t{storedBytes_} * 8 * sx * sy)) break;
      for (int d = 0; d < storedBytes_ * 8; ++d)
        if (stored_[static_cast<std::size_t>(c) * storedBytes_ + d / 8] & (0x80 >> (d % 8)))
          for (int yy = 0; yy < sy; ++yy)
            for (int xx = 0; xx < sx; ++xx) Dot(left + c * sx + xx, y_ + std::int64_t{d} * sy + yy);
    }
    Down(std::int64_t{storedBytes_} * 8 * sy);
    ++result_.images;
  }

  // GS k and FS P: the symbol from the library, with its text above or below
  // as GS H sets; a labelled box where the library cannot draw it.
  // GS k m, STAR's ESC b n1 n2 n3 n4 and FS P, each with its own way to give
  // the symbology (as GS k's m), module width, height and text.
  void Barcode(const Item& item) {
    PrintLine();
    std::string data(reinterpret_cast<const char*>(s_.data() + item.dataAt), item.dataLength);
    if (!data.empty() && (data.back() == '\0' || data.back() == '\x1E')) data.pop_back();
    int m = -1, module = barWidth_, height = barHeight_, hri = hri_;
    std::string label = "FS P bar code";
    if (item.definition->data == Data::Barcode) {
      m = P(item, 0);
      if (m >= 65 && !data.empty()) data.erase(0, 1);
      label = BarcodeName(m);
    } else if (item.definition->data == Data::RsTerminated) {
      // UPC-E, UPC-A, EAN-8, EAN-13, CODE39, ITF, CODE128, CODE93, NW-7.
      static constexpr int kAsGsK[] = {1, 0, 3, 2, 4, 5, 79, 72, 6};
      const int type = Digit(P(item, 0)), text = Digit(P(item, 1)), width = Digit(P(item, 2));
      m = type >= 0 && type <= 8 ? kAsGsK[type] : -1;
      label = m >= 0 ? BarcodeName(m) : "type " + std::to_string(type);
      hri = text == 2 || text == 4 ? 2 : 0;
      module = width >= 1 && width <= 3 ? width + 1 : 2;
      height = std::max(1, P(item, 3));
    } else {
      module = std::clamp(P(item, 1), 1, 6);  // FS P carries its own module width
    }
    std::optional<Symbol> symbol;
    if (m >= 0)
      if (const auto request = BarcodeRequest(m, data)) {
        symbol = EncodeSymbol(*request);
        data = request->text.empty() ? request->data : request->text;  // as the text with the bars shows it
      }
    if (hri & 1) TextLine(data, hriFontB_);
    if (symbol) {
      DrawSymbol(*symbol, module, std::max(1, height / symbol->rows), 10);
      Down(2);
    } else {
      Placeholder(label + ": " + data, (35 + 11 * static_cast<std::int64_t>(data.size())) * module, height);
    }
    if (hri & 2) TextLine(data, hriFontB_);
    ++result_.images;
  }

  // A stored picture, printed at once and aligned as set.
  void DrawBitmap(const GraphicsStore::Print& print) {
    PrintLine();
    const Bitmap& b = *print.bitmap;
    const int sx = print.scaleX, sy = print.scaleY;
    const int left = AlignedLeft(static_cast<int>(std::min<std::int64_t>(std::int64_t{b.width} * sx, Edge())));
    const int shown = std::min(b.width, (Edge() - left + sx - 1) / sx);
    for (int r = 0; r < b.height && stopped_.empty(); ++r) {
      if (!Spend(std::int64_t{shown} * sx * sy)) break;
      for (int c = 0; c < shown; ++c)
        if (b.Dot(c, r))
          for (int yy = 0; yy < sy; ++yy)
            for (int xx = 0; xx < sx; ++xx) Dot(left + c * sx + xx, y_ + std::int64_t{r} * sy + yy);
    }
    Down(std::int64_t{b.height} * sy);
    ++result_.images;
  }

  void TwoDimensional(TwoDimensionalCodes::Print print) {
    PrintLine();
    print.request.dotsPerInch = paper_.dpiX;
    if (const auto symbol = EncodeSymbol(print.request)) {
      DrawSymbol(*symbol, print.moduleWidth, print.moduleHeight, print.request.type == Symbology::Pdf417 ? 2 : 4);
    } else {
      const char* name = print.request.type == Symbology::Qr || print.request.type == Symbology::MicroQr ? "QR code"
                         : print.request.type == Symbology::Pdf417 ? "PDF417"
                         : print.request.type == Symbology::MaxiCode ? "MaxiCode"
                         : print.request.type == Symbology::Aztec ? "Aztec" : "DataMatrix";
      const int side = print.request.type == Symbology::MaxiCode ? Cols(28.14 / 25.4) : 25 * print.moduleWidth;
      Placeholder(std::string(name) + ": " + print.request.data, side, print.request.type == Symbology::MaxiCode ? Rows(26.91 / 25.4) : 25 * print.moduleHeight);
    }
    ++result_.images;
  }

  // Modules of moduleW x moduleH dots, aligned with `quiet` modules of space each side.
  void DrawSymbol(const Symbol& symbol, int moduleW, int moduleH, int quiet) {
    const std::int64_t width = (std::int64_t{symbol.width} + 2 * quiet) * moduleW;
    const int left = AlignedLeft(static_cast<int>(std::min<std::int64_t>(width, Edge()))) + quiet * moduleW;
    if (!Spend(std::int64_t{symbol.width} * symbol.rows * moduleW * moduleH)) return;
    for (int r = 0; r < symbol.rows; ++r)
      for (int c = 0; c < symbol.width; ++c)
        if (symbol.Dark(r, c))
          for (int yy = 0; yy < moduleH; ++yy)
            for (int xx = 0; xx < moduleW; ++xx)
              Dot(left + std::int64_t{c} * moduleW + xx, y_ + std::int64_t{r} * moduleH + yy);
    Down(std::int64_t{symbol.rows} * moduleH);
  }

  // A frame where a symbol would be, and what it holds as text under it.
  void Placeholder(const std::string& label, std::int64_t width, int height) {
    const int w = static_cast<int>(std::clamp<std::int64_t>(width, 8, std::max(8, AreaRight() - leftMargin_)));
    const int left = AlignedLeft(w);
    if (!Spend(2 * (std::int64_t{w} + height))) return;
    for (int x = 0; x < w; ++x) {
      Dot(left + x, y_);
      Dot(left + x, y_ + height - 1);
    }
    for (int y = 0; y < height; ++y) {
      Dot(left, y_ + y);
      Dot(left + w - 1, y_ + y);
    }
    Down(height + 2);
    TextLine(label);
  }

  // One line of text in the plain font (or font B), then a line feed.
  // In page mode the next line starts where this one did.
  void TextLine(const std::string& text, bool fontB = false) {
    const int oldX = sizeX_, oldY = sizeY_, left = x_;
    sizeX_ = sizeY_ = 1;
    for (unsigned char c : text) {
      if (!stopped_.empty()) break;
      DrawGlyph(NarrowGlyph(c), 1, 1, fontB);
    }
    sizeX_ = oldX;
    sizeY_ = oldY;
    LineFeed();
    if (pageMode_) x_ = left;
  }

  void PaperEnd() {
    if (pageMode_) return;  // page mode cuts nothing
    if (!Spend(paper_.width)) return;
    for (int x = 0; x < paper_.width; x += 8)
      for (int w = 0; w < 4; ++w) Put(x + w, y_, kMark);
    Down(Rows(0.25));
    x_ = leftMargin_;
    ++result_.cuts;
  }

  // The canvas grows by half its rows at a time, never past the page's last row.
  void Grow(std::int64_t y) {
    if (y < rows_) return;
    const std::int64_t rows = std::min<std::int64_t>(std::max<std::int64_t>(y + 1, rows_ * 3LL / 2), maxRows_);
    cells_.resize(static_cast<std::size_t>(rows) * canvasWidth_, kPaper);
    rows_ = static_cast<int>(rows);
  }

  void Dot(std::int64_t x, std::int64_t y) { Put(x, y, kDot); }

  // Every cell is drawn here, clipped to the canvas; a cell below the
  // page's last row ends the picture.
  void Put(std::int64_t x, std::int64_t y, std::uint8_t cell) {
    if (pageMode_) return page_.Dot(x, y);
    if (x < 0 || x >= canvasWidth_ || y < 0) return;
    if (y >= maxRows_) return StopAtPageEnd();
    Grow(y);
    used_ = std::max(used_, y + 1);
    cells_[static_cast<std::size_t>(y) * canvasWidth_ + static_cast<std::size_t>(x)] = cell;
  }

  Bytes s_;
  CommandSet set_;
  Paper paper_;
  Limits limits_;
  std::int64_t budget_ = 0;
  std::string stopped_;
  int maxRows_ = 1;
  PageBuffer page_;
  bool pageMode_ = false;   // x_ and y_ are then in the print area, turned as set
  std::int64_t standardY_ = 0;  // the paper's position while in page mode
  Layout standard_;
  Spacing otherSpacing_;  // page mode's in standard mode, standard mode's in page mode
  int canvasWidth_ = 0;
  double textScaleX_ = 1, textScaleY_ = 1;
  std::vector<Stamp> line_;
  int x_ = 0;  // 0 to canvasWidth_
  int hUnit_ = 203;
  int leftMargin_ = 0;  // dots; below the paper's width
  int areaWidth_ = 0;   // dots; 0: to the paper's edge
  std::int64_t y_ = 0;  // below maxRows_
  std::int64_t used_ = 0;
  int unit_ = 180;
  std::int64_t feedRest_ = 0;
  int lineSpacing_ = 30;
  int defined72_ = 0;  // ESC A n waiting for ESC 2
  int sizeX_ = 1, sizeY_ = 1, kanjiX_ = 1, kanjiY_ = 1;
  bool bold_ = false, underline_ = false, lineWide_ = false;
  int align_ = 0;
  int barHeight_ = 162, barWidth_ = 3;
  int hri_ = 0;  // GS H: bit 0 text above, bit 1 below
  bool hriFontB_ = false;  // GS f
  int charSpacing_ = 0, kanjiLeft_ = 0, kanjiRight_ = 0;  // dots
  bool fontB_ = false, rotated_ = false, upsideDown_ = false, reverse_ = false;
  TwoDimensionalCodes codes_;
  GraphicsStore graphics_;
  struct UserCharacter {
    int width = 0, height = 0;
    std::vector<std::uint8_t> rows;  // as a Glyph's
  };
  std::map<int, UserCharacter> userCharacters_;  // ESC &, by code
  bool userCharactersOn_ = false;                // ESC %  // kept by ESC @, as the printer keeps what it stored
  std::vector<std::uint8_t> stored_;
  int storedColumns_ = 0, storedBytes_ = 0;
  int rows_ = 0;
  std::vector<std::uint8_t> cells_;
  Rendering result_;
};

}  // namespace

std::optional<Paper> PaperFor(std::string_view name, CommandSet set) {
  if (name == "58") return Paper{384, 203, 203, false};
  if (name == "80") return Paper{576, 203, 203, false};
  if (name == "76") {
    // 2.5 inches printed: STAR and ESC/POS heads on 1/160 by 1/144 inch,
    // ESC/P heads on 1/120 by 1/180 inch.
    if (set == CommandSet::EscP || set == CommandSet::Oki) return Paper{300, 120, 180, true};
    return Paper{400, 160, 144, true};
  }
  return std::nullopt;
}

Paper DefaultPaper(CommandSet set) { return *PaperFor(set == CommandSet::EscPos ? "80" : "76", set); }

Rendering Render(std::span<const std::uint8_t> stream, const Decoding& decoding, CommandSet set, const Paper& paper,
                 const Limits& limits) {
  Renderer renderer(stream, set, paper, limits);
  for (const Item& item : decoding.items) renderer.Take(item);
  return renderer.Finish();
}

Rendering DecodeAndRender(std::span<const std::uint8_t> stream, CommandSet set, const Paper& paper, Decoding& counts,
                          const Limits& limits) {
  Renderer renderer(stream, set, paper, limits);
  counts = DecodeEach(stream, set, [&](const Item& item) { renderer.Take(item); });
  return renderer.Finish();
}

}  // namespace preview
