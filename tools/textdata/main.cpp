// Writes gbk_table.cpp (code page 936 double-byte codes to Unicode) and
// glyph_data.cpp (a 12 x 24 dot font for ASCII and a 24 x 24 dot font for
// every double-byte code; the upper halves of the single-byte code tables
// the printers select with ESC t, and 12 x 24 dot signs for them; GB18030's
// four-byte codes and 24 x 24 dot signs for those the fonts have) for the core.
//   make_text_data OUT_DIR CJK_FONT ASCII_FONT [FALLBACK_CJK_FONT]
#include <ft2build.h>
#include FT_FREETYPE_H

#include <iconv.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int kLeads = 126;   // 81..FE
constexpr int kTrails = 191;  // 40..FE (7F is no trail byte)
constexpr int kWide = 24;
constexpr int kNarrow = 12;
constexpr int kHeight = 24;
constexpr int kBaseline = 20;  // rows above the baseline

std::vector<char32_t> CodePage936() {
  std::vector<char32_t> table(kLeads * kTrails, 0);
  iconv_t cd = iconv_open("UTF-32LE", "CP936");
  if (cd == reinterpret_cast<iconv_t>(-1)) return {};
  for (int lead = 0; lead < kLeads; ++lead)
    for (int trail = 0; trail < kTrails; ++trail) {
      if (trail + 0x40 == 0x7F) continue;
      char in[2] = {static_cast<char>(lead + 0x81), static_cast<char>(trail + 0x40)};
      unsigned char out[8] = {};
      char* inPtr = in;
      char* outPtr = reinterpret_cast<char*>(out);
      std::size_t inLeft = 2, outLeft = sizeof out;
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
      if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1) || inLeft != 0) continue;
      if (sizeof out - outLeft != 4) continue;
      const char32_t cp = out[0] | out[1] << 8 | out[2] << 16 | static_cast<char32_t>(out[3]) << 24;
      if (cp >= 0xE000 && cp <= 0xF8FF) continue;  // user-defined area: nothing to draw or show
      table[lead * kTrails + trail] = cp;
    }
  iconv_close(cd);
  return table;
}

// GB18030's four-byte codes of the Basic Multilingual Plane, 81 30 81 30 to
// 84 31 A4 39, by their place in that run; 0 where there is no character.
constexpr int kFourByteBmpCodes = 39420;
std::vector<char32_t> FourByteBmp() {
  std::vector<char32_t> table(kFourByteBmpCodes, 0);
  iconv_t cd = iconv_open("UTF-32LE", "GB18030");
  if (cd == reinterpret_cast<iconv_t>(-1)) return {};
  for (int i = 0; i < kFourByteBmpCodes; ++i) {
    char in[4] = {static_cast<char>(0x81 + i / 12600), static_cast<char>(0x30 + i / 1260 % 10),
                  static_cast<char>(0x81 + i / 10 % 126), static_cast<char>(0x30 + i % 10)};
    unsigned char out[8] = {};
    char* inPtr = in;
    char* outPtr = reinterpret_cast<char*>(out);
    std::size_t inLeft = 4, outLeft = sizeof out;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1) || sizeof out - outLeft != 4) continue;
    const char32_t cp = out[0] | out[1] << 8 | out[2] << 16 | static_cast<char32_t>(out[3]) << 24;
    if (cp >= 0xE000 && cp <= 0xF8FF) continue;  // user-defined area
    table[i] = cp;
  }
  iconv_close(cd);
  return table;
}

// Single-byte tables by their ESC t number, read from iconv.
struct SingleByteTable {
  int number;
  const char* iconvName;
};
constexpr SingleByteTable kSingleByteTables[] = {
    {0, "CP437"},  {1, "SHIFT-JIS"}, {2, "CP850"},  {3, "CP860"},  {4, "CP863"},  {5, "CP865"},
    {14, "CP737"}, {16, "CP1252"},   {17, "CP866"}, {18, "CP852"}, {19, "CP858"}, {46, "CP1251"},
};

// Bytes 80..FF of a table as code points, 0 where it has none.
std::vector<char32_t> UpperHalf(const char* name) {
  std::vector<char32_t> half(128, 0);
  iconv_t cd = iconv_open("UTF-32LE", name);
  if (cd == reinterpret_cast<iconv_t>(-1)) return {};
  for (int b = 0x80; b <= 0xFF; ++b) {
    char in[1] = {static_cast<char>(b)};
    unsigned char out[8] = {};
    char* inPtr = in;
    char* outPtr = reinterpret_cast<char*>(out);
    std::size_t inLeft = 1, outLeft = sizeof out;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1) || sizeof out - outLeft != 4) continue;
    half[b - 0x80] = out[0] | out[1] << 8 | out[2] << 16 | static_cast<char32_t>(out[3]) << 24;
  }
  iconv_close(cd);
  return half;
}

class Rasterizer {
 public:
  Rasterizer() = default;
  Rasterizer(const Rasterizer&) = delete;
  Rasterizer& operator=(const Rasterizer&) = delete;
  ~Rasterizer() {
    if (face_) FT_Done_Face(face_);
    if (library_) FT_Done_FreeType(library_);
  }

  bool Open(const char* path, int pixels) {
    if (!library_ && FT_Init_FreeType(&library_)) return false;
    if (FT_New_Face(library_, path, 0, &face_)) return false;
    return FT_Set_Pixel_Sizes(face_, 0, pixels) == 0;
  }

  // Draws a code point centred in a cell of `width` x kHeight dots, rows of
  // (width + 7) / 8 bytes, leftmost dot in the top bit. False when the font lacks it.
  bool Draw(char32_t cp, int width, std::vector<std::uint8_t>& out) {
    const FT_UInt index = FT_Get_Char_Index(face_, cp);
    if (index == 0 || FT_Load_Glyph(face_, index, FT_LOAD_RENDER | FT_LOAD_TARGET_NORMAL)) return false;
    const FT_GlyphSlot g = face_->glyph;
    const int stride = (width + 7) / 8;
    const std::size_t start = out.size();
    out.resize(start + static_cast<std::size_t>(stride) * kHeight, 0);
    const int advance = static_cast<int>(g->advance.x >> 6);
    const int left = g->bitmap_left + (width - advance) / 2;
    const int top = kBaseline - g->bitmap_top;
    for (unsigned row = 0; row < g->bitmap.rows; ++row)
      for (unsigned col = 0; col < g->bitmap.width; ++col) {
        const int x = left + static_cast<int>(col), y = top + static_cast<int>(row);
        if (x < 0 || x >= width || y < 0 || y >= kHeight) continue;
        if (g->bitmap.buffer[row * g->bitmap.pitch + col] < 110) continue;
        out[start + static_cast<std::size_t>(y) * stride + x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
      }
    return true;
  }

 private:
  FT_Library library_ = nullptr;
  FT_Face face_ = nullptr;
};

// Numbers as array elements, sixteen to a line.
template <class T>
void Numbers(std::ostringstream& out, const std::vector<T>& values) {
  for (std::size_t i = 0; i < values.size(); ++i)
    out << (i % 16 == 0 ? "    " : " ") << static_cast<long long>(values[i]) << "," << (i % 16 == 15 ? "\n" : "");
}

void Bytes(std::ostringstream& out, const std::vector<std::uint8_t>& data) {
  out << "    \"";
  for (std::size_t i = 0; i < data.size(); ++i) {
    char escape[8];
    std::snprintf(escape, sizeof escape, "\\%o", data[i]);
    // Octal escapes end after three digits or at a non-digit.
    if (data[i] < 64 && i + 1 < data.size()) std::snprintf(escape, sizeof escape, "\\%03o", data[i]);
    out << escape;
    if (i % 64 == 63 && i + 1 < data.size()) out << "\"\n    \"";
  }
  out << "\"";
}

bool WriteIfChanged(const std::string& path, const std::string& text) {
  std::ifstream old(path, std::ios::binary);
  std::stringstream previous;
  previous << old.rdbuf();
  if (old && previous.str() == text) return true;
  old.close();
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file << text;
  return static_cast<bool>(file);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4 && argc != 5) {
    std::cerr << "usage: make_text_data OUT_DIR CJK_FONT ASCII_FONT [FALLBACK_CJK_FONT]\n";
    return 2;
  }
  const std::string dir = argv[1];
  const std::vector<char32_t> table = CodePage936();
  if (table.empty()) {
    std::cerr << "make_text_data: iconv has no CP936\n";
    return 1;
  }

  std::ostringstream gbk;
  gbk << "// Generated by make_text_data from iconv's CP936. Do not edit.\n"
      << "#include \"text/gbk.h\"\n\nnamespace gbk::detail {\n\nconst std::uint16_t kToUnicode[" << kLeads * kTrails
      << "] = {\n";
  Numbers(gbk, table);
  gbk << "\n};\n\n}  // namespace gbk::detail\n";

  Rasterizer cjk, ascii, fallback;
  if (!cjk.Open(argv[2], kWide - 1) || !ascii.Open(argv[3], 20) || (argc == 5 && !fallback.Open(argv[4], kWide - 1))) {
    std::cerr << "make_text_data: cannot open the fonts " << argv[2] << ", " << argv[3] << (argc == 5 ? ", " : "")
              << (argc == 5 ? argv[4] : "") << "\n";
    return 1;
  }
  std::vector<std::uint8_t> narrow;
  for (char32_t c = 0x20; c < 0x7F; ++c)
    if (!ascii.Draw(c, kNarrow, narrow)) narrow.resize(narrow.size() + 2 * kHeight, 0);
  std::vector<std::uint8_t> wide;
  std::vector<int> index(table.size(), -1);
  int count = 0;
  for (std::size_t i = 0; i < table.size(); ++i)
    if (table[i] != 0 && cjk.Draw(table[i], kWide, wide)) index[i] = count++;

  // The single-byte tables and a narrow sign for each of their characters.
  std::vector<char32_t> tables, extraCodes;
  for (const SingleByteTable& t : kSingleByteTables) {
    const std::vector<char32_t> half = UpperHalf(t.iconvName);
    if (half.empty()) {
      std::cerr << "make_text_data: iconv has no " << t.iconvName << "\n";
      return 1;
    }
    tables.insert(tables.end(), half.begin(), half.end());
  }
  std::vector<char32_t> wanted(tables);
  std::sort(wanted.begin(), wanted.end());
  wanted.erase(std::unique(wanted.begin(), wanted.end()), wanted.end());
  std::vector<std::uint8_t> extra;
  for (char32_t cp : wanted)
    if (cp != 0 && (ascii.Draw(cp, kNarrow, extra) || cjk.Draw(cp, kNarrow, extra))) extraCodes.push_back(cp);

  // GB18030's four-byte signs: the BMP table, and a wide sign for each
  // character of it or of planes 1 and 2 that a CJK font has.
  const std::vector<char32_t> fourByte = FourByteBmp();
  if (fourByte.empty()) {
    std::cerr << "make_text_data: iconv has no GB18030\n";
    return 1;
  }
  std::vector<char32_t> fourByteWanted;
  for (char32_t cp : fourByte)
    if (cp != 0) fourByteWanted.push_back(cp);
  for (char32_t cp = 0x10000; cp < 0x30000; ++cp) fourByteWanted.push_back(cp);
  std::sort(fourByteWanted.begin(), fourByteWanted.end());
  fourByteWanted.erase(std::unique(fourByteWanted.begin(), fourByteWanted.end()), fourByteWanted.end());
  std::vector<char32_t> fourByteCodes;
  std::vector<std::uint8_t> fourByteGlyphs;
  for (char32_t cp : fourByteWanted)
    if (cjk.Draw(cp, kWide, fourByteGlyphs) || (argc == 5 && fallback.Draw(cp, kWide, fourByteGlyphs)))
      fourByteCodes.push_back(cp);

  std::ostringstream glyphs;
  glyphs << "// Generated by make_text_data with FreeType. Do not edit.\n"
         << "#include \"preview/glyph_font.h\"\n\nnamespace preview::detail {\n\n"
         << "const char kNarrowGlyphs[] =\n";
  Bytes(glyphs, narrow);
  glyphs << ";\n\nconst std::int16_t kWideGlyphIndex[" << index.size() << "] = {\n";
  Numbers(glyphs, index);
  glyphs << "\n};\n\nconst char kWideGlyphs[] =\n";
  Bytes(glyphs, wide);
  glyphs << ";\n\nconst int kSingleByteTableCount = " << std::size(kSingleByteTables) << ";\n"
         << "const std::uint8_t kSingleByteTableNumbers[] = {";
  for (const SingleByteTable& t : kSingleByteTables) glyphs << t.number << ", ";
  glyphs << "};\n\nconst char32_t kSingleByteTables[] = {\n";
  Numbers(glyphs, tables);
  glyphs << "};\n\nconst int kExtraGlyphCount = " << extraCodes.size() << ";\n"
         << "const char32_t kExtraGlyphCodes[] = {\n";
  Numbers(glyphs, extraCodes);
  glyphs << "\n};\n\nconst char kExtraGlyphs[] =\n";
  Bytes(glyphs, extra);
  glyphs << ";\n\nconst char16_t kFourByteBmp[" << fourByte.size() << "] = {\n";
  Numbers(glyphs, fourByte);
  glyphs << "\n};\n\nconst int kFourByteGlyphCount = " << fourByteCodes.size() << ";\n"
         << "const char32_t kFourByteGlyphCodes[] = {\n";
  Numbers(glyphs, fourByteCodes);
  glyphs << "\n};\n\nconst char kFourByteGlyphs[] =\n";
  Bytes(glyphs, fourByteGlyphs);
  glyphs << ";\n\n}  // namespace preview::detail\n";

  if (!WriteIfChanged(dir + "/gbk_table.cpp", gbk.str()) || !WriteIfChanged(dir + "/glyph_data.cpp", glyphs.str())) {
    std::cerr << "make_text_data: cannot write into " << dir << "\n";
    return 1;
  }
  std::cout << "make_text_data: " << count << " double-byte glyphs, " << fourByteCodes.size() << " four-byte glyphs\n";
  return 0;
}
