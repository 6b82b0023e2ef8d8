#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

// The printer command sets a stream can be read in, and their commands.
namespace preview {

enum class CommandSet { EscPos, Star, EscP, Oki };

std::optional<CommandSet> ParseCommandSet(std::string_view name);  // escpos, star, escp, oki
const char* CommandSetName(CommandSet set);

// What a command does to the printout; the renderer acts on it.
enum class Action {
  None,             // a setting or status request that changes nothing drawn here
  Init,             // back to the power-on state
  LineFeed,         // print the line, feed one line
  CarriageReturn,   // back to the left edge, no feed
  FormFeed,         // eject the page (marked)
  PrintLine,        // print the line, no feed
  Tab,
  Cancel,           // drop the line buffer
  Feed,             // a0 motion units forward
  FeedBack,         // a0 motion units back
  FeedLines,        // a0 lines
  Spacing,          // line spacing a0 motion units
  Spacing360,       // line spacing a0/360 inch
  Spacing60,        // line spacing a0/60 inch
  SpacingSixth,     // 1/6 inch
  SpacingEighth,    // 1/8 inch
  SpacingSeven72,   // 7/72 inch
  Spacing72Define,  // ESC A n: n/72 inch, in use after ESC 2 (STAR)
  SpacingDefined,   // ESC 2 (STAR): the spacing ESC A defined
  StarSpacing,      // ESC z n: 1/6 inch for n = 1, 1/8 inch for n = 0
  MotionUnits,      // GS P x y: 1/x inch across, 1/y inch down
  PrintMode,        // ESC ! n
  CharacterSize,    // GS ! n
  KanjiMode,        // FS ! n
  KanjiOn,
  KanjiOff,
  CodePage,         // ESC t n: the single-byte table used outside Chinese mode
  DefineUserCharacters,  // ESC & y c1 c2, then per sign x and x columns of y bytes
  UserCharactersOn,      // ESC % n: bit 0
  CancelUserCharacter,   // ESC ? n
  DoubleWidthLine,  // SO: this line double width
  DoubleWidthOff,   // DC4
  DoubleWidth,      // a0 bit 0
  DoubleHeight,     // a0 bit 0
  Quadruple,        // FS W n
  Bold,             // a0 bit 0
  BoldOn,
  BoldOff,
  Underline,        // a0 non-zero
  CharacterSpacing, // ESC SP n: n horizontal motion units right of each sign
  KanjiSpacing,     // FS S n1 n2: left and right of each Chinese sign
  Font,             // ESC M n: 0 font A, 1 font B
  Rotate90,         // ESC V n: bit 0 (or '1') turns signs 90 degrees clockwise
  UpsideDown,       // ESC { n: bit 0, the line turned 180 degrees
  Reverse,          // GS B n: bit 0, white on black
  FeedLinesBack,    // ESC e n: print, then n lines back
  StarExpansion,    // ESC i n1 n2 (STAR): height n1 + 1, width n2 + 1
  DotPosition,      // ESC GS A n1 n2 (STAR): n1 + n2 × 256 dots from the left margin
  DotStep,          // ESC GS R n1 n2 (STAR): that many dots further, signed
  ReverseOn,        // ESC 4 (STAR)
  ReverseOff,       // ESC 5 (STAR)
  Align,            // a0: 0 left, 1 centre, 2 right
  AbsolutePosition, // a0 | a1 << 8: ESC/POS in horizontal motion units from the left margin, else 1/60 inch
  RelativePosition, // a0 | a1 << 8, signed, in horizontal motion units
  LeftMargin,       // GS L nL nH, in horizontal motion units
  PrintAreaWidth,   // GS W nL nH, in horizontal motion units
  BitImage,         // ESC * m nL nH
  EightDotImage,    // ESC K/L/Y/Z nL nH (ESC/P), ESC K/L (STAR): density by the letter
  PinImage,         // ESC ^ m nL nH (STAR)
  StarRowImage,     // ESC k n1 n2 (STAR): 24 rows of n1 + n2 × 256 bytes, 8 dots across each
  Raster,           // GS v 0 m xL xH yL yH
  DefineImage,      // GS * x y
  PrintImage,       // GS / m
  Barcode,          // GS k, FS P
  TwoDimensionalCode,  // GS ( k: a setting, the data, or print
  Graphics,         // GS ( L, GS 8 L: m fn, then the function's bytes
  DefineNvImages,   // FS q n
  PrintNvImage,     // FS p n m
  BarcodeHeight,
  BarcodeWidth,
  BarcodeFont,      // GS f n: 0 font A, 1 font B for the text
  BarcodeText,      // GS H n: the human-readable text above (1), below (2), both (3) or not (0)
  Cut,              // GS V m [n]
  CutNow,           // ESC i, ESC m
  StarCut,          // ESC d n (STAR): 0/1 cut here, 2/3 feed to the cutter first
  FeedToMark,       // GS FF
  Drawer,
  PageMode,         // ESC L: text and images go to the page buffer
  StandardMode,     // ESC S: back to standard mode; the page buffer is dropped
  PageArea,         // ESC W x y dx dy (16 bits each): the print area in page mode
  PageDirection,    // ESC T n: 0 left to right, 1 bottom to top, 2 right to left, 3 top to bottom
  PageVertical,     // GS $ nL nH: the position across the lines in page mode
  PageVerticalStep, // GS \ nL nH: signed, from where it is
  PrintPage,        // FF: in page mode print the page and go back to standard mode; else print the line
  PrintPageStay,    // ESC FF: in page mode print the page and keep it
  Unsupported,      // known, with its length, but not drawn here: flagged
};

// How many data bytes follow the fixed parameters.
enum class Data {
  None,
  BitImage,       // ESC * m nL nH: columns × (1 or 3)
  Columns,        // nL nH columns of `bytesPerColumn`
  StarPins,       // ESC ^ m nL nH: columns × (2 or 3)
  Raster,         // xL xH yL yH: x × y
  DefineImage,    // x y: x × y × 8
  Barcode,        // m < 32: up to NUL; otherwise n then n bytes
  Cut,            // m 65 or 66: one more byte
  Length16,       // the last two parameters: pL pH
  Counted,        // the last parameter: n
  NulTerminated,  // up to and with a NUL
  KanjiDefine,    // FS 2 c1 c2 and 72 bytes
  ConfigFrame,    // the maker's ESC | w frame after its function byte
  ZeroThenByte,   // one more byte when the parameter is 0 (ESC C 0 n)
  Length32,       // the last four parameters: p1 p2 p3 p4, lowest first
  UserCharacters, // ESC & y c1 c2: per character x, then y × x bytes
  NvImages,       // FS q n: per image xL xH yL yH, then x × y × 8 bytes
  RsTerminated,   // up to and with an RS (STAR ESC b)
};

struct CommandSpec {
  std::string_view prefix;
  int params;             // fixed parameter bytes after the prefix
  Data data;
  Action action;
  std::string_view mnemonic;  // "ESC @"
  std::string_view meaning;   // "initialise"
  int bytesPerColumn = 1;     // Data::Columns
  int density = 0;            // EightDotImage: columns per dot step (1 single, 2 double ...)
};

std::span<const CommandSpec> CommandsOf(CommandSet set);

}  // namespace preview
