#include "perf/charset_tables.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <cstdint>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "support/hex.h"

namespace {

Bytes ToBytes(std::string_view s) { return Bytes(s.begin(), s.end()); }

Bytes Slice(const Bytes& b, std::size_t offset, std::size_t count) {
  return Bytes(b.begin() + offset, b.begin() + offset + count);
}

// The two-byte codes after the leading ESC @.
std::vector<std::uint16_t> Codes(const Bytes& table) {
  std::vector<std::uint16_t> codes;
  for (std::size_t i = 2; i + 1 < table.size(); i += 2)
    codes.push_back(static_cast<std::uint16_t>(table[i] << 8 | table[i + 1]));
  return codes;
}

std::uint32_t Crc32(const Bytes& bytes) {
  std::uint32_t crc = 0xFFFFFFFFu;
  for (std::uint8_t b : bytes) {
    crc ^= b;
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

// GBK bytes to Unicode code points with the C library's converter.
std::u32string DecodeGbk(const Bytes& in) {
  iconv_t cd = iconv_open("UTF-32LE", "GBK");
  if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv_open GBK");
  std::string src(in.begin(), in.end());
  std::string dst(in.size() * 4 + 16, '\0');
  char* inPtr = src.data();
  char* outPtr = dst.data();
  std::size_t inLeft = src.size(), outLeft = dst.size();
  const std::size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
  iconv_close(cd);
  if (rc == static_cast<std::size_t>(-1) || inLeft != 0) throw std::runtime_error("not GBK");
  std::u32string out;
  const auto* u = reinterpret_cast<const unsigned char*>(dst.data());
  for (std::size_t i = 0; i + 3 < dst.size() - outLeft; i += 4)
    out.push_back(static_cast<char32_t>(u[i] | u[i + 1] << 8 | u[i + 2] << 16 | u[i + 3] << 24));
  return out;
}

// Row B0 starts at byte 190: ESC @ and the 94 codes of row A3 come first.
Bytes Gb2312Row(int row) {
  return Slice(ToBytes(Gb2312Table()), 190 + static_cast<std::size_t>(row - 0xB0) * 64, 64);
}

TEST(Gb2312Table, IsEscAtAnd2430Codes) {
  const Bytes t = ToBytes(Gb2312Table());
  ASSERT_EQ(t.size(), 4862u);
  EXPECT_EQ(ToHex(Slice(t, 0, 4)), "1B 40 A3 A1");
  EXPECT_EQ(ToHex(Slice(t, t.size() - 4, 4)), "F8 CE F8 CF");
  EXPECT_EQ(Codes(t).size(), 2430u);
  EXPECT_EQ(Crc32(t), 0x3481DDE2u);
}

TEST(Gb2312Table, RowsAppearInOrderWithTheirCodeCounts) {
  std::map<int, int> perRow;
  int previousRow = 0;
  for (std::uint16_t code : Codes(ToBytes(Gb2312Table()))) {
    const int row = code >> 8;
    EXPECT_GE(row, previousRow);
    previousRow = row;
    ++perRow[row];
  }
  ASSERT_EQ(perRow.size(), 1u + 73u);  // A3, then B0 to F8
  EXPECT_EQ(perRow[0xA3], 94);
  for (int row = 0xB0; row <= 0xF8; ++row) EXPECT_EQ(perRow[row], 32) << std::hex << row;
}

TEST(Gb2312Table, RowA3RepeatsTheCodeBeforeEachTrailEndingIn8) {
  const Bytes t = ToBytes(Gb2312Table());
  EXPECT_EQ(Slice(t, 2, 188),
            Hex("A3A1 A3A2 A3A3 A3A4 A3A5 A3A6 A3A7 A3A7 A3A9 A3AA A3AB A3AC A3AD A3AE A3AF A3B0"
                "A3B1 A3B2 A3B3 A3B4 A3B5 A3B6 A3B7 A3B7 A3B9 A3BA A3BB A3BC A3BD A3BE A3BF A3C0"
                "A3C1 A3C2 A3C3 A3C4 A3C5 A3C6 A3C7 A3C7 A3C9 A3CA A3CB A3CC A3CD A3CE A3CF A3D0"
                "A3D1 A3D2 A3D3 A3D4 A3D5 A3D6 A3D7 A3D7 A3D9 A3DA A3DB A3DC A3DD A3DE A3DF A3E0"
                "A3E1 A3E2 A3E3 A3E4 A3E5 A3E6 A3E7 A3E7 A3E9 A3EA A3EB A3EC A3ED A3EE A3EF A3F0"
                "A3F1 A3F2 A3F3 A3F4 A3F5 A3F6 A3F7 A3F7 A3F9 A3FA A3FB A3FC A3FD A3FE"));
  const std::vector<std::uint16_t> codes = Codes(t);
  const std::multiset<std::uint16_t> all(codes.begin(), codes.end());
  for (std::uint16_t absent : {0xA3A8, 0xA3B8, 0xA3C8, 0xA3D8, 0xA3E8, 0xA3F8})
    EXPECT_EQ(all.count(absent), 0u) << std::hex << absent;
  for (std::uint16_t twice : {0xA3A7, 0xA3B7, 0xA3C7, 0xA3D7, 0xA3E7, 0xA3F7})
    EXPECT_EQ(all.count(twice), 2u) << std::hex << twice;
}

TEST(Gb2312Table, RowB0BeginsWithTheFirstHanzi) {
  const Bytes row = Gb2312Row(0xB0);
  EXPECT_EQ(Slice(row, 0, 20), Hex("B0B0 B0B1 B0B2 B0B3 B0B4 B0B5 B0B6 B0B7 B0B8 B0B9"));
  EXPECT_EQ(DecodeGbk(Slice(row, 0, 20)), U"鞍氨安俺按暗岸胺案肮");
}

TEST(Gb2312Table, RowB4RepeatsB4B4InsteadOfB4B3) {
  EXPECT_EQ(Gb2312Row(0xB4),
            Hex("B4B0 B4B1 B4B2 B4B4 B4B4 B4B5 B4B6 B4B7 B4B8 B4B9 B4BA B4BB B4BC B4BD B4BE B4BF"
                "B4C0 B4C1 B4C2 B4C3 B4C4 B4C5 B4C6 B4C7 B4C8 B4C9 B4CA B4CB B4CC B4CD B4CE B4CF"));
  const std::vector<std::uint16_t> codes = Codes(ToBytes(Gb2312Table()));
  const std::multiset<std::uint16_t> all(codes.begin(), codes.end());
  EXPECT_EQ(all.count(0xB4B3), 0u);
  EXPECT_EQ(all.count(0xB4B4), 2u);
}

TEST(Gb2312Table, RowsCdAndCeSendTheirUpperHalfFirst) {
  EXPECT_EQ(Gb2312Row(0xCD),
            Hex("CDC0 CDC1 CDC2 CDC3 CDC4 CDC5 CDC6 CDC7 CDC8 CDC9 CDCA CDCB CDCC CDCD CDCE CDCF"
                "CDB0 CDB1 CDB2 CDB3 CDB4 CDB5 CDB6 CDB7 CDB8 CDB9 CDBA CDBB CDBC CDBD CDBE CDBF"));
  EXPECT_EQ(Gb2312Row(0xCE),
            Hex("CEC0 CEC1 CEC2 CEC3 CEC4 CEC5 CEC6 CEC7 CEC8 CEC9 CECA CECB CECC CECD CECE CECF"
                "CEB0 CEB1 CEB2 CEB3 CEB4 CEB5 CEB6 CEB7 CEB8 CEB9 CEBA CEBB CEBC CEBD CEBE CEBF"));
  // Their neighbours keep the plain order.
  EXPECT_EQ(Gb2312Row(0xCC),
            Hex("CCB0 CCB1 CCB2 CCB3 CCB4 CCB5 CCB6 CCB7 CCB8 CCB9 CCBA CCBB CCBC CCBD CCBE CCBF"
                "CCC0 CCC1 CCC2 CCC3 CCC4 CCC5 CCC6 CCC7 CCC8 CCC9 CCCA CCCB CCCC CCCD CCCE CCCF"));
  EXPECT_EQ(Gb2312Row(0xCF),
            Hex("CFB0 CFB1 CFB2 CFB3 CFB4 CFB5 CFB6 CFB7 CFB8 CFB9 CFBA CFBB CFBC CFBD CFBE CFBF"
                "CFC0 CFC1 CFC2 CFC3 CFC4 CFC5 CFC6 CFC7 CFC8 CFC9 CFCA CFCB CFCC CFCD CFCE CFCF"));
}

TEST(Gb2312Table, LastRowIsF8) {
  EXPECT_EQ(Gb2312Row(0xF8),
            Hex("F8B0 F8B1 F8B2 F8B3 F8B4 F8B5 F8B6 F8B7 F8B8 F8B9 F8BA F8BB F8BC F8BD F8BE F8BF"
                "F8C0 F8C1 F8C2 F8C3 F8C4 F8C5 F8C6 F8C7 F8C8 F8C9 F8CA F8CB F8CC F8CD F8CE F8CF"));
}

TEST(Gb18030Table, IsEscAtAnd924GbkCodes) {
  const Bytes t = ToBytes(Gb18030Table());
  ASSERT_EQ(t.size(), 1850u);
  EXPECT_EQ(Slice(t, 0, 22), Hex("1B 40 81 B4 81 CC 83 76 83 F9 85 A5 B4 F4 B0 A7 B0 A5 B0 A6 86 8D"));
  EXPECT_EQ(Slice(t, 1844, 6), Hex("9A 47 D5 4F DA C0"));
  EXPECT_EQ(Crc32(t), 0x3DACAF22u);

  const std::vector<std::uint16_t> codes = Codes(t);
  ASSERT_EQ(codes.size(), 924u);
  int outsideGb2312 = 0;
  for (std::uint16_t code : codes) {
    const int lead = code >> 8, trail = code & 0xFF;
    EXPECT_TRUE(lead >= 0x81 && lead <= 0xFE && trail >= 0x40 && trail <= 0xFE && trail != 0x7F)
        << std::hex << code;
    if (lead <= 0xA0 || trail <= 0xA0) ++outsideGb2312;
  }
  EXPECT_EQ(outsideGb2312, 588);
  // 47 characters occur again in a later run.
  EXPECT_EQ(std::set<std::uint16_t>(codes.begin(), codes.end()).size(), 877u);
}

TEST(Gb18030Table, DecodesTo17AscendingRuns) {
  const Bytes t = ToBytes(Gb18030Table());
  const std::u32string text = DecodeGbk(Slice(t, 2, t.size() - 2));
  ASSERT_EQ(text.size(), 924u);
  EXPECT_EQ(text.substr(0, 10), U"伌佁僾凒叆呆哀哎唉啀");
  EXPECT_EQ(text.substr(921), U"欸誒诶");

  std::vector<int> runs{1};
  for (std::size_t i = 1; i < text.size(); ++i) {
    if (text[i] > text[i - 1])
      ++runs.back();
    else
      runs.push_back(1);
  }
  EXPECT_EQ(runs, (std::vector<int>{85, 71, 12, 83, 1, 89, 203, 113, 68, 31, 84, 40, 4, 2, 30, 5, 3}));
}

}  // namespace
