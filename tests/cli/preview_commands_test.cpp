// decode and render from the command line: golden output, stored jobs, bad input.
#include <gtest/gtest.h>

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

}  // namespace
