// decode and render from the command line: golden output, stored jobs, bad input.
#include <gtest/gtest.h>

#include <cstdio>

#include "postest_runner.h"

namespace {

// Init, Chinese text, centred double-size ASCII, a raster image, an 8-dot bit
// image, a cut with feed, a configuration frame, an unknown command and a
// raster image cut short.
const char* kStream =
    "1B 40 1C 26 D6 D0 CE C4 0A 1B 61 01 1D 21 11 41 42 0A"
    " 1D 76 30 00 01 00 02 00 FF 81 1B 2A 00 02 00 AA 55 1D 56 42 10"
    " 1B 7C 77 00 A0 12 01 1B 7E 1D 76 30 00 02 00";

std::string AsText(const Bytes& b) { return std::string(b.begin(), b.end()); }

TEST(PostestDecode, MatchesTheGoldenListing) {
  const RunResult r = RunPostest({"decode", "--set", "escpos"}, AsText(Hex(kStream)));
  EXPECT_EQ(r.status, 1) << "the stream has flagged commands";
  EXPECT_EQ(r.out, ReadText(std::filesystem::path(CLI_GOLDEN_DIR) / "decode_escpos.txt"));
  EXPECT_NE(r.err.find("1 unknown command"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("the stream ends inside a command"), std::string::npos) << r.err;
}

TEST(PostestDecode, CleanStreamExitsZeroInEveryCommandSet) {
  for (const char* set : {"escpos", "star", "escp", "oki"}) {
    const RunResult r = RunPostest({"decode", "--set", set}, AsText(Hex("1B 40 41 42 0A")));
    EXPECT_EQ(r.status, 0) << set << r.err;
    EXPECT_NE(r.out.find("00000002  41 42"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("text \"AB\"\n"), std::string::npos) << r.out;
  }
}

TEST(PostestDecode, StarCutAndEscPFormFeedAreNamedInTheirSets) {
  EXPECT_NE(RunPostest({"decode", "--set", "star"}, AsText(Hex("1B 64 00"))).out.find("ESC d     cut (0)"),
            std::string::npos);
  EXPECT_NE(RunPostest({"decode", "--set", "escp"}, AsText(Hex("0C"))).out.find("FF        form feed"),
            std::string::npos);
  EXPECT_NE(RunPostest({"decode", "--set", "STAR"}, AsText(Hex("1B 64 00"))).out.find("ESC d     cut (0)"),
            std::string::npos) << "set names are case-insensitive";
}

TEST(PostestDecode, AutoPicksTheSetThatExplainsTheStream) {
  // ESC d 0 then BEL: a STAR cut and drawer; BEL is unknown in ESC/POS.
  const RunResult r = RunPostest({"decode", "--set", "auto"}, AsText(Hex("1B 40 41 0A 1B 64 00 07")));
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.err.find("command set: star"), std::string::npos) << r.err;
}

TEST(PostestRender, WritesAPngOfThePrintout) {
  const auto png = WorkDir() / "page.png";
  std::filesystem::remove(png);
  const auto stream = WorkDir() / "page.bin";
  std::ofstream(stream, std::ios::binary) << AsText(Hex("1B 40 1C 26 D6 D0 CE C4 0A 1D 56 00"));
  const RunResult r = RunPostest({"render", stream.string(), "-o", png.string(), "--paper", "58"});
  EXPECT_EQ(r.status, 0) << r.err;
  const Bytes bytes = ReadBytes(png);
  ASSERT_GT(bytes.size(), 8u);
  EXPECT_EQ(ToHex(Bytes(bytes.begin(), bytes.begin() + 8)), "89 50 4E 47 0D 0A 1A 0A");
  EXPECT_NE(r.err.find(": 384 x "), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("1 cut"), std::string::npos) << r.err;
}

TEST(PostestPreview, BadInputIsReported) {
  const auto png = (WorkDir() / "bad.png").string();
  struct Case {
    std::vector<std::string> args;
    int status;
    std::string message;
  } cases[] = {
      {{"decode", "/nonexistent/job.bin"}, 1, "cannot read /nonexistent/job.bin"},
      {{"render", "/nonexistent/job.bin", "-o", png}, 1, "cannot read /nonexistent/job.bin"},
      {{"decode", WorkDir().string()}, 1, "cannot read " + WorkDir().string()},
      {{"render", WorkDir().string(), "-o", png}, 1, "cannot read " + WorkDir().string()},
      {{"decode", "--set", "pcl"}, 2, "unknown command set \"pcl\""},
      {{"render", "-", "--paper", "110", "-o", png}, 2, "unknown paper \"110\""},
      {{"render", "-"}, 2, "needs -o"},
      {{"decode"}, 1, "standard input is empty"},
      {{"render", "-o", png}, 1, "standard input is empty"},
  };
  for (const Case& c : cases) {
    const RunResult r = RunPostest(c.args, "");
    EXPECT_EQ(r.status, c.status) << c.message;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
  }
}

TEST(PostestRender, AStreamPastThePageLimitIsDrawnUpToItAndFails) {
  // GS P 0 1, ESC 3 255, ESC d 255: 13 million rows asked for; 80 mm paper
  // at 203 dpi holds 3000 / 25.4 * 203 = 23976 rows.
  const auto png = (WorkDir() / "long.png").string();
  const RunResult r = RunPostest({"render", "-o", png}, AsText(Hex("1D 50 00 01 1B 33 FF 1B 64 FF")));
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find(": 576 x 23976 dots"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("goes on past 3000 mm of paper"), std::string::npos) << r.err;
}

// What a bar code reader finds on a picture: "TYPE:data" lines.
std::string Scan(const std::string& png) {
  std::string found;
  if (std::FILE* reader = popen(("zbarimg -q " + png + " 2>/dev/null").c_str(), "r")) {
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, reader)) found += buffer;
    pclose(reader);
  }
  return found;
}

// Every symbol is drawn by the symbol library and read back by a scanner.
TEST(PostestRender, BarCodesAndQrCodesScan) {
  const struct {
    const char* what;
    const char* hex;  // between a feed above and below
    const char* scanned;
  } rows[] = {
      {"UPC-A, 11 digits", "1D 6B 00 30 31 32 33 34 35 36 37 38 39 30 00", "EAN-13:0012345678905\n"},
      {"EAN-13, 12 digits", "1D 6B 43 0C 34 39 30 31 32 33 34 35 36 37 38 39", "EAN-13:4901234567894\n"},
      {"EAN-8, 7 digits", "1D 6B 03 31 32 33 34 35 36 37 00", "EAN-8:12345670\n"},
      {"CODE39", "1D 6B 04 41 42 43 2D 31 32 33 00", "CODE-39:ABC-123\n"},
      {"ITF", "1D 6B 05 31 32 33 34 35 36 00", "I2/5:123456\n"},
      {"CODABAR", "1D 6B 06 41 31 32 33 34 35 42 00", "Codabar:A12345B\n"},
      {"CODE93", "1D 6B 48 05 43 4F 44 45 39", "CODE-93:CODE9\n"},
      // {B "No." then {C with the pairs 12 34 56 as bytes.
      {"CODE128 with code sets", "1D 6B 49 0A 7B 42 4E 6F 2E 7B 43 0C 22 38", "CODE-128:No.123456\n"},
      {"CODE128, centred, text below", "1B 61 01 1D 48 02 1D 6B 49 05 7B 42 50 4F 53", "CODE-128:POS\n"},
      {"DataBar", "1D 6B 4B 0D 30 39 35 30 31 31 30 31 35 33 30 30 30", "DataBar:0109501101530003\n"},
      {"DataBar truncated", "1D 6B 4C 0D 30 39 35 30 31 31 30 31 35 33 30 30 30", "DataBar:0109501101530003\n"},
      // GS w 2: "(01)00012345678905(10)ABC123"; the parentheses are not encoded.
      {"GS1-128",
       "1D 77 02 1D 6B 4A 1C 28 30 31 29 30 30 30 31 32 33 34 35 36 37 38 39 30 35 28 31 30 29 41 42 43 31 32 33",
       "CODE-128:010001234567890510ABC123\n"},
      // "(01)0001234567890*(10)AB1{1(17)251231": '*' is the check digit 5;
      // FNC1 ends the lot number, read as GS.
      {"GS1-128, check digit and FNC1",
       "1D 77 02 1D 6B 4A 25 28 30 31 29 30 30 30 31 32 33 34 35 36 37 38 39 30 2A 28 31 30 29 41 42 31 7B 31 28 31"
       " 37 29 32 35 31 32 33 31",
       "CODE-128:010001234567890510AB1\x1d" "17251231\n"},
      // "(01)00012345678905(10)AB1(17)251231"
      {"DataBar expanded",
       "1D 77 02 1D 6B 4E 23 28 30 31 29 30 30 30 31 32 33 34 35 36 37 38 39 30 35 28 31 30 29 41 42 31 28 31 37 29"
       " 32 35 31 32 33 31",
       "DataBar-Exp:010001234567890510AB1\x1d" "17251231\n"},
      // Model 2, 4-dot modules, level M, 33 bytes stored (pL = 36), printed.
      {"QR code",
       "1D 28 6B 04 00 31 41 32 00 1D 28 6B 03 00 31 43 04 1D 28 6B 03 00 31 45 31"
       " 1D 28 6B 24 00 31 50 30 68 74 74 70 73 3A 2F 2F 65 78 61 6D 70 6C 65 2E 63 6F 6D 2F"
       " 72 65 63 65 69 70 74 3F 69 64 3D 34 32 1D 28 6B 03 00 31 51 30",
       "QR-Code:https://example.com/receipt?id=42\n"},
  };
  for (const auto& row : rows) {
    const auto png = (WorkDir() / "symbol.png").string();
    std::filesystem::remove(png);
    const std::string stream = std::string("1B 40 1B 4A 28 ") + row.hex + " 1B 4A 28";
    const RunResult r = RunPostest({"render", "-o", png, "--paper", "80"}, AsText(Hex(stream)));
    EXPECT_EQ(r.status, 0) << row.what << r.err;
    EXPECT_EQ(Scan(png), row.scanned) << row.what;
  }
  // STAR ESC b n1 n2 n3 n4 data RS: CODE128 ('6'), text below ('2'), 3-dot
  // modules ('2'), 80 dots tall; then EAN-13 ('3') from 12 digits.
  const struct {
    const char* hex;
    const char* scanned;
  } star[] = {
      {"1B 62 36 32 32 50 53 54 41 52 2D 31 1E", "CODE-128:STAR-1\n"},
      {"1B 62 33 31 32 50 34 39 30 31 32 33 34 35 36 37 38 39 1E", "EAN-13:4901234567894\n"},
  };
  for (const auto& row : star) {
    const auto png = (WorkDir() / "star.png").string();
    std::filesystem::remove(png);
    const std::string stream = std::string("1B 40 0A 0A ") + row.hex + " 0A 0A";
    const RunResult r = RunPostest({"render", "-o", png, "--set", "star"}, AsText(Hex(stream)));
    EXPECT_EQ(r.status, 0) << row.hex << r.err;
    EXPECT_EQ(Scan(png), row.scanned) << row.hex;
  }
}

}  // namespace
