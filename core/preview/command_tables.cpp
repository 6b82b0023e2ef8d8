// The commands of each command set: bytes, parameters, data and meaning.
#include <algorithm>
#include <string>
#include <vector>

#include "preview/command_set.h"

namespace preview {

namespace {

using namespace std::string_view_literals;
using A = Action;
using D = Data;

// Control codes and commands every set here reads the same way.
const CommandSpec kCommon[] = {
    {"\x09"sv, 0, D::None, A::Tab, "HT", "horizontal tab"},
    {"\x0A"sv, 0, D::None, A::LineFeed, "LF", "print and feed one line"},
    {"\x0D"sv, 0, D::None, A::CarriageReturn, "CR", "carriage return"},
    {"\x1B@"sv, 0, D::None, A::Init, "ESC @", "initialise"},
    {"\x1B!"sv, 1, D::None, A::PrintMode, "ESC !", "print mode"},
    {"\x1B-"sv, 1, D::None, A::Underline, "ESC -", "underline"},
    {"\x1B" "2"sv, 0, D::None, A::SpacingSixth, "ESC 2", "line spacing 1/6 inch"},
    {"\x1B" "3"sv, 1, D::None, A::Spacing, "ESC 3", "line spacing"},
    {"\x1BJ"sv, 1, D::None, A::Feed, "ESC J", "print and feed"},
    {"\x1BR"sv, 1, D::None, A::None, "ESC R", "international character set"},
    {"\x1Bt"sv, 1, D::None, A::CodePage, "ESC t", "character code table"},
    {"\x1B "sv, 1, D::None, A::CharacterSpacing, "ESC SP", "right character spacing"},
    {"\x1BU"sv, 1, D::None, A::None, "ESC U", "unidirectional printing"},
    {"\x1B$"sv, 2, D::None, A::AbsolutePosition, "ESC $", "absolute print position"},
    {"\x1Bp"sv, 3, D::None, A::Drawer, "ESC p", "cash drawer pulse"},
    {"\x1C!"sv, 1, D::None, A::KanjiMode, "FS !", "Chinese character print mode"},
    {"\x1C&"sv, 0, D::None, A::KanjiOn, "FS &", "Chinese character mode on"},
    {"\x1C."sv, 0, D::None, A::KanjiOff, "FS .", "Chinese character mode off"},
    {"\x1C-"sv, 1, D::None, A::None, "FS -", "Chinese character underline"},
    {"\x1C" "2"sv, 2, D::KanjiDefine, A::None, "FS 2", "define a Chinese character"},
    {"\x1CS"sv, 2, D::None, A::KanjiSpacing, "FS S", "Chinese character spacing"},
    {"\x1CT"sv, 2, D::None, A::None, "FS T", "half-width character spacing"},
    {"\x1CW"sv, 1, D::None, A::Quadruple, "FS W", "quadruple size"},
    {"\x1B|w"sv, 1, D::ConfigFrame, A::None, "ESC | w", "printer configuration"},
    {"\x1B|r"sv, 4, D::None, A::Drawer, "ESC | r", "cash drawer pulse"},
    {"\x1Cx"sv, 1, D::None, A::None, "FS x", "print speed"},
};

const CommandSpec kEscPos[] = {
    {"\x00"sv, 0, D::None, A::None, "NUL", "idle"},
    {"\x0C"sv, 0, D::None, A::PrintPage, "FF", "print the page (page mode)"},
    {"\x0D"sv, 0, D::None, A::None, "CR", "carriage return"},
    {"\x18"sv, 0, D::None, A::Cancel, "CAN", "cancel page data"},
    {"\x10\x04"sv, 1, D::None, A::None, "DLE EOT", "real-time status"},
    {"\x10\x05"sv, 1, D::None, A::None, "DLE ENQ", "real-time request"},
    {"\x10\x14"sv, 3, D::None, A::Drawer, "DLE DC4", "real-time pulse"},
    {"\x1B%"sv, 1, D::None, A::UserCharactersOn, "ESC %", "user-defined characters on/off"},
    {"\x1B*"sv, 3, D::BitImage, A::BitImage, "ESC *", "bit image"},
    {"\x1B=", 1, D::None, A::None, "ESC =", "select peripheral device"},
    {"\x1B?"sv, 1, D::None, A::CancelUserCharacter, "ESC ?", "cancel user-defined character"},
    {"\x1B" "D"sv, 0, D::NulTerminated, A::None, "ESC D", "horizontal tab positions"},
    {"\x1B" "E"sv, 1, D::None, A::Bold, "ESC E", "emphasis"},
    {"\x1BG"sv, 1, D::None, A::Bold, "ESC G", "double strike"},
    {"\x1BH"sv, 0, D::None, A::None, "ESC H", "double strike off"},
    {"\x1Bq"sv, 1, D::None, A::None, "ESC q", "character style"},
    {"\x1C\x0F"sv, 0, D::None, A::None, "FS SI", "half-width Chinese"},
    {"\x1CP"sv, 5, D::Counted, A::Barcode, "FS P", "bar code"},
    {"\x1Cr"sv, 1, D::None, A::None, "FS r", "superscript or subscript"},
    {"\x1BM"sv, 1, D::None, A::Font, "ESC M", "character font"},
    {"\x1BL"sv, 0, D::None, A::PageMode, "ESC L", "page mode"},
    {"\x1BS"sv, 0, D::None, A::StandardMode, "ESC S", "standard mode"},
    {"\x1BV"sv, 1, D::None, A::Rotate90, "ESC V", "90-degree rotation"},
    {"\x1B\\"sv, 2, D::None, A::RelativePosition, "ESC \\", "relative print position"},
    {"\x1B" "a"sv, 1, D::None, A::Align, "ESC a", "justification"},
    {"\x1B" "c3"sv, 1, D::None, A::None, "ESC c 3", "paper sensors for paper-end signals"},
    {"\x1B" "c4"sv, 1, D::None, A::None, "ESC c 4", "paper sensors to stop printing"},
    {"\x1B" "c5"sv, 1, D::None, A::None, "ESC c 5", "panel buttons on/off"},
    {"\x1B" "d"sv, 1, D::None, A::FeedLines, "ESC d", "print and feed lines"},
    {"\x1B" "e"sv, 1, D::None, A::FeedLinesBack, "ESC e", "print and reverse feed lines"},
    {"\x1Bi"sv, 0, D::None, A::CutNow, "ESC i", "full cut"},
    {"\x1Bj"sv, 1, D::None, A::FeedBack, "ESC j", "reverse feed"},
    {"\x1Bm"sv, 0, D::None, A::CutNow, "ESC m", "partial cut"},
    {"\x1B{"sv, 1, D::None, A::UpsideDown, "ESC {", "upside-down printing"},
    {"\x1Bw"sv, 1, D::None, A::DoubleHeight, "ESC w", "double height"},
    {"\x1BW"sv, 8, D::None, A::PageArea, "ESC W", "print area in page mode"},
    {"\x1C" "C"sv, 1, D::None, A::None, "FS C", "Chinese character code system"},
    {"\x1Cp"sv, 2, D::None, A::PrintNvImage, "FS p", "print stored bit image"},
    {"\x1D!"sv, 1, D::None, A::CharacterSize, "GS !", "character size"},
    {"\x1D(", 3, D::Length16, A::None, "GS (", "extended function"},
    {"\x1D(F", 2, D::Length16, A::None, "GS ( F", "black mark position"},
    {"\x1D*"sv, 2, D::DefineImage, A::DefineImage, "GS *", "define downloaded bit image"},
    {"\x1D/"sv, 1, D::None, A::PrintImage, "GS /", "print downloaded bit image"},
    {"\x1D" "B"sv, 1, D::None, A::Reverse, "GS B", "reverse printing"},
    {"\x1DH"sv, 1, D::None, A::BarcodeText, "GS H", "bar code text position"},
    {"\x1DI"sv, 1, D::None, A::None, "GS I", "printer ID"},
    {"\x1DL"sv, 2, D::None, A::LeftMargin, "GS L", "left margin"},
    {"\x1DP"sv, 2, D::None, A::MotionUnits, "GS P", "motion units"},
    {"\x1DV"sv, 1, D::Cut, A::Cut, "GS V", "cut"},
    {"\x1DW"sv, 2, D::None, A::PrintAreaWidth, "GS W", "print area width"},
    {"\x1D" "a"sv, 1, D::None, A::None, "GS a", "automatic status back"},
    {"\x1D" "f"sv, 1, D::None, A::BarcodeFont, "GS f", "bar code text font"},
    {"\x1Dh"sv, 1, D::None, A::BarcodeHeight, "GS h", "bar code height"},
    {"\x1Dk"sv, 1, D::Barcode, A::Barcode, "GS k", "bar code"},
    {"\x1Dr"sv, 1, D::None, A::None, "GS r", "status request"},
    {"\x1Dv0"sv, 5, D::Raster, A::Raster, "GS v 0", "raster bit image"},
    {"\x1Dw"sv, 1, D::None, A::BarcodeWidth, "GS w", "bar code module width"},
    {"\x1D\x0C"sv, 0, D::None, A::FeedToMark, "GS FF", "feed to the black mark"},
    // Known by their length; those that change the printout are flagged.
    {"\x10\x14\x07"sv, 1, D::None, A::None, "DLE DC4 7", "real-time status transmission"},
    {"\x10\x14\x08"sv, 7, D::None, A::None, "DLE DC4 8", "clear buffers"},
    {"\x1B&"sv, 3, D::UserCharacters, A::DefineUserCharacters, "ESC &", "define user-defined characters"},
    {"\x1B("sv, 3, D::Length16, A::None, "ESC (", "extended function (buzzer)"},
    {"\x1B<"sv, 0, D::None, A::None, "ESC <", "return home"},
    {"\x1B" "c0"sv, 1, D::None, A::None, "ESC c 0", "paper type for printing"},
    {"\x1B" "c1"sv, 1, D::None, A::None, "ESC c 1", "paper type for settings"},
    {"\x1BT"sv, 1, D::None, A::PageDirection, "ESC T", "print direction in page mode"},
    {"\x1B\x0C"sv, 0, D::None, A::PrintPageStay, "ESC FF", "print page mode data"},
    {"\x1Br"sv, 1, D::None, A::None, "ESC r", "print colour"},
    {"\x1Bu"sv, 1, D::None, A::None, "ESC u", "peripheral device status"},
    {"\x1Bv"sv, 1, D::None, A::None, "ESC v", "paper sensor status"},
    {"\x1C("sv, 3, D::Length16, A::None, "FS (", "extended function"},
    {"\x1C?"sv, 2, D::None, A::None, "FS ?", "cancel user-defined Chinese character"},
    {"\x1Cg1"sv, 7, D::Length16, A::None, "FS g 1", "write to NV user memory"},
    {"\x1Cg2"sv, 7, D::None, A::None, "FS g 2", "read NV user memory"},
    {"\x1Cq"sv, 1, D::NvImages, A::DefineNvImages, "FS q", "define NV bit images"},
    {"\x1D$"sv, 2, D::None, A::PageVertical, "GS $", "absolute vertical position in page mode"},
    {"\x1D(L"sv, 2, D::Length16, A::Graphics, "GS ( L", "graphics"},
    {"\x1D(k"sv, 2, D::Length16, A::TwoDimensionalCode, "GS ( k", "2D code"},
    {"\x1D" "8L"sv, 4, D::Length32, A::Graphics, "GS 8 L", "graphics"},
    {"\x1D:"sv, 0, D::None, A::Unsupported, "GS :", "start or end of a macro"},
    {"\x1D" "E"sv, 1, D::None, A::None, "GS E", "print head control"},
    {"\x1DQ0"sv, 5, D::Raster, A::Unsupported, "GS Q 0", "variable vertical size bit image"},
    {"\x1DT"sv, 1, D::None, A::None, "GS T", "print position to the line start"},
    {"\x1D\\"sv, 2, D::None, A::PageVerticalStep, "GS \\", "relative vertical position in page mode"},
    {"\x1D^"sv, 3, D::None, A::Unsupported, "GS ^", "execute a macro"},
    {"\x1D" "b"sv, 1, D::None, A::None, "GS b", "smoothing"},
    {"\x1D" "c"sv, 0, D::None, A::Unsupported, "GS c", "print the counter"},
    {"\x1Dg0"sv, 3, D::None, A::None, "GS g 0", "reset a maintenance counter"},
    {"\x1Dg2"sv, 3, D::None, A::None, "GS g 2", "send a maintenance counter"},
    {"\x1Dj"sv, 1, D::None, A::None, "GS j", "automatic status back (ink)"},
    {"\x1Dz0"sv, 2, D::None, A::None, "GS z 0", "online recovery wait"},
};

const CommandSpec kStar[] = {
    {"\x07"sv, 0, D::None, A::Drawer, "BEL", "cash drawer 1"},
    {"\x19"sv, 0, D::None, A::Drawer, "EM", "cash drawer 2"},
    {"\x0B"sv, 0, D::None, A::LineFeed, "VT", "vertical tab"},
    {"\x1B" "1"sv, 0, D::None, A::SpacingSeven72, "ESC 1", "line spacing 7/72 inch"},
    {"\x1B" "2"sv, 0, D::None, A::SpacingDefined, "ESC 2", "line spacing set by ESC A"},
    {"\x1B" "A"sv, 1, D::None, A::Spacing72Define, "ESC A", "line spacing n/72 inch for ESC 2"},
    {"\x1By"sv, 1, D::None, A::Spacing, "ESC y", "line spacing n/144 inch"},
    {"\x1BI"sv, 1, D::None, A::Feed, "ESC I", "feed n/144 inch"},
    {"\x1B" "C"sv, 1, D::ZeroThenByte, A::None, "ESC C", "page length"},
    {"\x1BN"sv, 1, D::None, A::None, "ESC N", "bottom margin"},
    {"\x1BO"sv, 0, D::None, A::None, "ESC O", "bottom margin off"},
    {"\x1B" "B"sv, 0, D::NulTerminated, A::None, "ESC B", "vertical tab positions"},
    {"\x1Bl"sv, 1, D::None, A::None, "ESC l", "left margin"},
    {"\x1BQ"sv, 1, D::None, A::None, "ESC Q", "right margin"},
    {"\x1B/"sv, 1, D::None, A::None, "ESC /", "slashed zero"},
    {"\x1BP"sv, 0, D::None, A::None, "ESC P", "pitch"},
    {"\x1B:"sv, 0, D::None, A::None, "ESC :", "pitch"},
    {"\x1BM"sv, 0, D::None, A::None, "ESC M", "pitch"},
    {"\x1B_"sv, 1, D::None, A::None, "ESC _", "overline"},
    {"\x1B\x1E" "A"sv, 1, D::None, A::None, "ESC RS A", "print region"},
    {"\x1B\x1D(F"sv, 2, D::Length16, A::None, "ESC GS ( F", "black mark position"},
    {"\x0C"sv, 0, D::None, A::FormFeed, "FF", "form feed"},
    {"\x0E"sv, 0, D::None, A::DoubleWidthLine, "SO", "double width for the line"},
    {"\x14"sv, 0, D::None, A::DoubleWidthOff, "DC4", "double width off"},
    {"\x18"sv, 0, D::None, A::Cancel, "CAN", "cancel the line"},
    {"\x1A"sv, 0, D::None, A::Drawer, "SUB", "cash drawer 2"},
    {"\x1B" "0"sv, 0, D::None, A::SpacingEighth, "ESC 0", "line spacing 1/8 inch"},
    {"\x1B" "3"sv, 1, D::None, A::Spacing, "ESC 3", "line spacing"},
    {"\x1B" "4"sv, 0, D::None, A::ReverseOn, "ESC 4", "highlight on"},
    {"\x1B" "5"sv, 0, D::None, A::ReverseOff, "ESC 5", "highlight off"},
    {"\x1B" "E"sv, 0, D::None, A::BoldOn, "ESC E", "emphasis on"},
    {"\x1B" "F"sv, 0, D::None, A::BoldOff, "ESC F", "emphasis off"},
    {"\x1BK"sv, 2, D::Columns, A::EightDotImage, "ESC K", "8-dot normal-density image", 1, 80},
    {"\x1BL"sv, 2, D::Columns, A::EightDotImage, "ESC L", "8-dot double-density image", 1, 160},
    {"\x1B^"sv, 3, D::StarPins, A::PinImage, "ESC ^", "9- and 18-pin image"},
    {"\x1BW"sv, 1, D::None, A::DoubleWidth, "ESC W", "double width"},
    {"\x1Bh"sv, 1, D::None, A::DoubleHeight, "ESC h", "double height"},
    {"\x1Bw"sv, 1, D::None, A::DoubleHeight, "ESC w", "double height"},
    {"\x1B" "a"sv, 1, D::None, A::FeedLines, "ESC a", "feed lines"},
    {"\x1B" "d"sv, 1, D::None, A::StarCut, "ESC d", "cut"},
    {"\x1Bk"sv, 2, D::Columns, A::StarRowImage, "ESC k", "fine bit image, 24 rows", 24},
    {"\x1Bi"sv, 2, D::None, A::StarExpansion, "ESC i", "character expansion"},
    {"\x1Bm"sv, 0, D::None, A::CutNow, "ESC m", "partial cut"},
    {"\x1Bj"sv, 1, D::None, A::FeedBack, "ESC j", "reverse feed"},
    {"\x1Bz"sv, 1, D::None, A::StarSpacing, "ESC z", "line spacing 1/6 or 1/8 inch"},
    {"\x1B\x07"sv, 2, D::None, A::None, "ESC BEL", "drawer pulse width"},
    {"\x1B\x1Dt"sv, 1, D::None, A::None, "ESC GS t", "code page"},
    {"\x1B\x1E" "i"sv, 1, D::None, A::None, "ESC RS i", "print density"},
    {"\x1B\x1D" "a"sv, 1, D::None, A::Align, "ESC GS a", "alignment"},
    {"\x1B\x1D" "A"sv, 2, D::None, A::DotPosition, "ESC GS A", "absolute position"},
    {"\x1B\x1DR"sv, 2, D::None, A::DotStep, "ESC GS R", "relative position"},
    {"\x1B\x1E" "F"sv, 1, D::None, A::Font, "ESC RS F", "font"},
    {"\x1B" "b"sv, 4, D::RsTerminated, A::Barcode, "ESC b", "bar code"},
    {"\x1B\x0C"sv, 0, D::None, A::FeedToMark, "ESC FF", "feed to the black mark"},
    {"\x1B" "c4"sv, 1, D::None, A::None, "ESC c 4", "stop on paper end"},
    {"\x1B" "c5"sv, 1, D::None, A::None, "ESC c 5", "feed button on/off"},
    {"\x1B" "D"sv, 0, D::NulTerminated, A::None, "ESC D", "horizontal tab positions"},
    {"\x1C~S"sv, 1, D::None, A::None, "FS ~ S", "Chinese character print speed"},
    {"\x1D(F", 2, D::Length16, A::None, "GS ( F", "black mark position"},
    {"\x1D*"sv, 2, D::DefineImage, A::DefineImage, "GS *", "define downloaded bit image"},
    {"\x1D/"sv, 1, D::None, A::PrintImage, "GS /", "print downloaded bit image"},
    {"\x1DV"sv, 1, D::Cut, A::Cut, "GS V", "feed to the cut position"},
    {"\x1D\x0C"sv, 0, D::None, A::FeedToMark, "GS FF", "feed to the black mark"},
};

const CommandSpec kEscP[] = {
    {"\x00\x00\x00\x1B\x01@EJL 1284.4\n@EJL     \n"sv, 0, D::None, A::None, "EJL", "leave packet mode"},
    {"\x08"sv, 0, D::None, A::None, "BS", "backspace"},
    {"\x0B"sv, 0, D::None, A::LineFeed, "VT", "vertical tab"},
    {"\x0C"sv, 0, D::None, A::FormFeed, "FF", "form feed"},
    {"\x0E"sv, 0, D::None, A::DoubleWidthLine, "SO", "double width for the line"},
    {"\x0F"sv, 0, D::None, A::None, "SI", "condensed"},
    {"\x12"sv, 0, D::None, A::None, "DC2", "condensed off"},
    {"\x14"sv, 0, D::None, A::DoubleWidthOff, "DC4", "double width off"},
    {"\x18"sv, 0, D::None, A::Cancel, "CAN", "cancel the line"},
    {"\x1B\x0E"sv, 0, D::None, A::DoubleWidthLine, "ESC SO", "double width for the line"},
    {"\x1B\x0F"sv, 0, D::None, A::None, "ESC SI", "condensed"},
    {"\x1B\x19"sv, 1, D::None, A::None, "ESC EM", "sheet feeder"},
    {"\x1B*"sv, 3, D::BitImage, A::BitImage, "ESC *", "bit image"},
    {"\x1B+"sv, 1, D::None, A::Spacing360, "ESC +", "line spacing n/360 inch"},
    {"\x1B" "0"sv, 0, D::None, A::SpacingEighth, "ESC 0", "line spacing 1/8 inch"},
    {"\x1B" "4"sv, 0, D::None, A::None, "ESC 4", "italic"},
    {"\x1B" "5"sv, 0, D::None, A::None, "ESC 5", "italic off"},
    {"\x1B" "6"sv, 0, D::None, A::None, "ESC 6", "upper control codes printable"},
    {"\x1B" "7"sv, 0, D::None, A::None, "ESC 7", "upper control codes"},
    {"\x1B<"sv, 0, D::None, A::None, "ESC <", "unidirectional for one line"},
    {"\x1B" "A"sv, 1, D::None, A::Spacing60, "ESC A", "line spacing n/60 inch"},
    {"\x1B" "B"sv, 0, D::NulTerminated, A::None, "ESC B", "vertical tab positions"},
    {"\x1B" "C"sv, 1, D::None, A::None, "ESC C", "page length"},
    {"\x1B" "D"sv, 0, D::NulTerminated, A::None, "ESC D", "horizontal tab positions"},
    {"\x1B" "E"sv, 0, D::None, A::BoldOn, "ESC E", "bold"},
    {"\x1B" "F"sv, 0, D::None, A::BoldOff, "ESC F", "bold off"},
    {"\x1BG"sv, 0, D::None, A::BoldOn, "ESC G", "double strike"},
    {"\x1BH"sv, 0, D::None, A::BoldOff, "ESC H", "double strike off"},
    {"\x1BK"sv, 2, D::Columns, A::EightDotImage, "ESC K", "8-dot single-density image", 1, 60},
    {"\x1BL"sv, 2, D::Columns, A::EightDotImage, "ESC L", "8-dot double-density image", 1, 120},
    {"\x1BY"sv, 2, D::Columns, A::EightDotImage, "ESC Y", "8-dot high-speed double-density image", 1, 120},
    {"\x1BZ"sv, 2, D::Columns, A::EightDotImage, "ESC Z", "8-dot quadruple-density image", 1, 240},
    {"\x1BM"sv, 0, D::None, A::None, "ESC M", "12 characters per inch"},
    {"\x1BP"sv, 0, D::None, A::None, "ESC P", "10 characters per inch"},
    {"\x1BS"sv, 1, D::None, A::None, "ESC S", "superscript or subscript"},
    {"\x1BT"sv, 0, D::None, A::None, "ESC T", "superscript and subscript off"},
    {"\x1BW"sv, 1, D::None, A::DoubleWidth, "ESC W", "double width"},
    {"\x1Bw"sv, 1, D::None, A::DoubleHeight, "ESC w", "double height"},
    {"\x1B\\"sv, 2, D::None, A::None, "ESC \\", "relative print position"},
    {"\x1B" "a"sv, 1, D::None, A::Align, "ESC a", "justification"},
    {"\x1Bg"sv, 0, D::None, A::None, "ESC g", "15 characters per inch"},
    {"\x1Bk"sv, 1, D::None, A::None, "ESC k", "typeface"},
    {"\x1Bl"sv, 1, D::None, A::None, "ESC l", "left margin"},
    {"\x1BQ"sv, 1, D::None, A::None, "ESC Q", "right margin"},
    {"\x1BN"sv, 1, D::None, A::None, "ESC N", "skip over perforation"},
    {"\x1BO"sv, 0, D::None, A::None, "ESC O", "skip over perforation off"},
    {"\x1Bq"sv, 1, D::None, A::None, "ESC q", "character style"},
    {"\x1Br"sv, 1, D::None, A::None, "ESC r", "colour"},
    {"\x1Bx"sv, 1, D::None, A::None, "ESC x", "print quality"},
    {"\x1B(", 3, D::Length16, A::None, "ESC (", "extended setting"},
    {"\x1C\x0E"sv, 0, D::None, A::None, "FS SO", "Chinese double width"},
    {"\x1C\x0F"sv, 0, D::None, A::None, "FS SI", "half-width Chinese"},
    {"\x1C\x12"sv, 0, D::None, A::None, "FS DC2", "half-width Chinese off"},
    {"\x1C\x14"sv, 0, D::None, A::None, "FS DC4", "Chinese double width off"},
    {"\x1C*"sv, 0, D::None, A::KanjiOff, "FS *", "Chinese mode off"},
    {"\x1CI"sv, 0, D::None, A::None, "FS I", "vertical writing"},
    {"\x1CJ"sv, 0, D::None, A::None, "FS J", "horizontal writing"},
    {"\x1CU"sv, 0, D::None, A::None, "FS U", "half-width adjustment"},
    {"\x1CV"sv, 0, D::None, A::None, "FS V", "half-width adjustment off"},
    {"\x1Cx"sv, 1, D::None, A::None, "FS x", "Chinese high-speed printing"},
    // Known by their length; those that change the printout are flagged.
    {"\x1B" "1"sv, 0, D::None, A::SpacingSeven72, "ESC 1", "line spacing 7/72 inch"},
    {"\x1B" "8"sv, 0, D::None, A::None, "ESC 8", "paper-out detector off"},
    {"\x1B" "9"sv, 0, D::None, A::None, "ESC 9", "paper-out detector on"},
    {"\x1B#"sv, 0, D::None, A::None, "ESC #", "MSB control off"},
    {"\x1B="sv, 0, D::None, A::None, "ESC =", "MSB 0"},
    {"\x1B>"sv, 0, D::None, A::None, "ESC >", "MSB 1"},
    {"\x1B:"sv, 3, D::None, A::None, "ESC :", "copy ROM characters to RAM"},
    {"\x1B/"sv, 1, D::None, A::None, "ESC /", "vertical tab channel"},
    {"\x1B?"sv, 2, D::None, A::None, "ESC ?", "reassign bit-image mode"},
    {"\x1BI"sv, 1, D::None, A::None, "ESC I", "printable control codes"},
    {"\x1B" "b"sv, 1, D::NulTerminated, A::None, "ESC b", "vertical tabs in a channel"},
    {"\x1B" "e"sv, 2, D::None, A::None, "ESC e", "tab increments"},
    {"\x1Bi"sv, 1, D::None, A::None, "ESC i", "immediate print"},
    {"\x1Bm"sv, 1, D::None, A::None, "ESC m", "upper control codes"},
    {"\x1Bs"sv, 1, D::None, A::None, "ESC s", "low-speed mode"},
    {"\x1B%"sv, 1, D::None, A::Unsupported, "ESC %", "user-defined characters"},
    {"\x1B^"sv, 3, D::StarPins, A::Unsupported, "ESC ^", "9-pin graphics"},
    {"\x1B" "c"sv, 2, D::None, A::Unsupported, "ESC c", "horizontal motion index"},
    {"\x1B" "f"sv, 2, D::None, A::Unsupported, "ESC f", "horizontal or vertical skip"},
    {"\x1Bj"sv, 1, D::None, A::Unsupported, "ESC j", "reverse paper feed"},
    {"\x1BX"sv, 3, D::None, A::Unsupported, "ESC X", "pitch and point size"},
};

const CommandSpec kOki[] = {
    {"\x11"sv, 0, D::None, A::None, "DC1", "on line"},
    {"\x13"sv, 0, D::None, A::None, "DC3", "off line"},
    {"\x10" "B"sv, 0, D::None, A::Init, "DLE B", "initialise"},
    {"\x1B|"sv, 2, D::None, A::None, "ESC |", "OKI mode setting"},
    {"\x1B%9"sv, 2, D::None, A::None, "ESC % 9", "line spacing n/120 inch"},
    {"\x1B%B"sv, 0, D::None, A::None, "ESC % B", "bidirectional printing"},
    {"\x1B%U"sv, 0, D::None, A::None, "ESC % U", "unidirectional printing"},
    {"\x1B$@"sv, 0, D::None, A::KanjiOn, "ESC $ @", "Chinese mode"},
};

std::vector<CommandSpec> Combine(std::initializer_list<std::span<const CommandSpec>> parts) {
  // Later parts override earlier ones with the same bytes.
  std::vector<CommandSpec> all;
  for (std::span<const CommandSpec> part : parts)
    for (const CommandSpec& entry : part) {
      auto same = std::find_if(all.begin(), all.end(), [&](const CommandSpec& c) { return c.prefix == entry.prefix; });
      if (same != all.end()) *same = entry;
      else all.push_back(entry);
    }
  return all;
}

}  // namespace

std::span<const CommandSpec> CommandsOf(CommandSet set) {
  static const std::vector<CommandSpec> escPos = Combine({kCommon, kEscPos});
  static const std::vector<CommandSpec> star = Combine({kCommon, kStar});
  static const std::vector<CommandSpec> escP = Combine({kCommon, kEscP});
  static const std::vector<CommandSpec> oki = Combine({kCommon, kEscP, kOki});
  switch (set) {
    case CommandSet::EscPos: return escPos;
    case CommandSet::Star: return star;
    case CommandSet::EscP: return escP;
    case CommandSet::Oki: return oki;
  }
  return escPos;
}

std::optional<CommandSet> ParseCommandSet(std::string_view name) {
  if (name == "escpos") return CommandSet::EscPos;
  if (name == "star") return CommandSet::Star;
  if (name == "escp") return CommandSet::EscP;
  if (name == "oki") return CommandSet::Oki;
  return std::nullopt;
}

const char* CommandSetName(CommandSet set) {
  switch (set) {
    case CommandSet::EscPos: return "escpos";
    case CommandSet::Star: return "star";
    case CommandSet::EscP: return "escp";
    case CommandSet::Oki: return "oki";
  }
  return "escpos";
}

}  // namespace preview
