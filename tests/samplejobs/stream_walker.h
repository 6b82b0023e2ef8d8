#pragma once

// Reads a printer stream command by command in one command set, rejects anything unknown,
// incomplete or inconsistent, and prints it onto a page image.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "preview/page.h"

namespace jobcheck {

enum class Dialect { EscPos, Star, EscP, Oki };

// The printer a stream is walked for. The page is rendered on a grid of dpiX × dpiY; every
// graphics mode of the dialect maps to whole grid cells there.
struct Profile {
  Dialect dialect = Dialect::EscPos;
  int dpiX = 180;
  int dpiY = 180;
  int paperWidth = 512;  // printable width in grid columns
  bool impact = false;   // ESC/POS only: dot-matrix head (8-dot images, 1/144 inch feeds)
};

// 180 and 203 dpi thermal heads; the 76 mm impact heads (ESC/POS and STAR) on a grid of
// 1/160 inch across and 1/144 inch down; the 24-pin ESC/P head on 1/120 by 1/180 inch.
Profile Thermal(int dpi, int paperWidth);
Profile ImpactEscPos();
Profile Star();
Profile EscP(Dialect dialect);

// The page type and PNG writer are the product's preview code; the walk itself is independent of
// the product's decoder and renderer.
using preview::kDot;
using preview::kMark;
using preview::kPaper;
using preview::Page;

struct Walk {
  bool ok = false;
  std::string error;  // the first fault and its offset
  Page page;
  int images = 0;             // graphics commands
  int cuts = 0;               // cuts and form feeds
  bool endsWithCut = false;   // the last command cut or ejected the paper
};

Walk WalkStream(const std::vector<std::uint8_t>& stream, const Profile& profile);

}  // namespace jobcheck
