#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "preview/command_set.h"
#include "preview/decoder.h"
#include "preview/page.h"

// Draws what a printer prints for a stream: text in the built-in font,
// bit images and raster images, bar codes (as bars with their text), feeds,
// and cuts and ejects marked across the paper.
namespace preview {

// The paper and head a stream is drawn for.
struct Paper {
  int width = 576;   // printable width in grid cells
  int dpiX = 203;
  int dpiY = 203;
  bool impact = false;  // a dot-matrix head
};

// "58" and "80": thermal heads of 203 dpi; "76": a dot-matrix head (the grid
// depends on the command set). Nothing for other names.
std::optional<Paper> PaperFor(std::string_view name, CommandSet set);
// 80 mm thermal paper for ESC/POS, 76 mm dot-matrix paper otherwise.
Paper DefaultPaper(CommandSet set);

// How much a stream may draw: the page ends after `pageMillimetres` of
// paper, and drawing stops once `dotBudget` dots were drawn or buffered.
struct Limits {
  int pageMillimetres = 3000;
  std::int64_t dotBudget = 100'000'000;
};

struct Rendering {
  Page page;
  int images = 0;
  int cuts = 0;
  bool widerThanPaper = false;  // something was drawn past the paper's edge
  std::string stopped;          // why the picture ends before the stream does; empty when it holds it all
};

Rendering Render(std::span<const std::uint8_t> stream, const Decoding& decoding, CommandSet set, const Paper& paper,
                 const Limits& limits = {});

// Decodes and draws in one pass, holding no list of items, for streams of
// any size; `counts` gets the decoder's flags.
Rendering DecodeAndRender(std::span<const std::uint8_t> stream, CommandSet set, const Paper& paper, Decoding& counts,
                          const Limits& limits = {});

}  // namespace preview
