// The 20 stored print jobs as the generator writes them: sizes, opening bytes, command
// syntax, what they print, and the share of FF bytes in the full-black pages.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "preview/png.h"
#include "stream_walker.h"
#include "support/hex.h"

namespace {

namespace fs = std::filesystem;
using jobcheck::Dialect;
using jobcheck::Profile;

enum class Kind { DriverTest, FullBlack, Receipt };

struct Expected {
  int id;
  std::size_t size;
  std::string lead;  // first bytes, hex
  Profile printer;
  Kind kind;
};

const std::string kEscPos180 = "1B 40 1B 3D 01 1D 50 B4 B4";
const std::string kEscPos203 = "1B 40 1B 3D 01 1D 50 CB CB";
const std::string kEscPosImpact = "1B 40 1B 3D 01 1B 52 00";
const std::string kStar = "1B 40 1B 7A 31 1B 1D 74 00 1B 1E 69";
const std::string kEscP = "1B 40 1B 74 01 1B 36 1B 52 00 1B 72 00 1B 55 01";
// NUL NUL NUL ESC SOH "@EJL 1284.4" LF "@EJL     " LF, then ESC/P.
const std::string kPacketExit =
    "00 00 00 1B 01 40 45 4A 4C 20 31 32 38 34 2E 34 0A 40 45 4A 4C 20 20 20 20 20 0A " + kEscP;
const std::string kOki = "1B 40 18 1B 74 01 1B 36 1B 52 00 1B 7C 15 07";

const Profile k58At180 = jobcheck::Thermal(180, 360);
const Profile k80At180 = jobcheck::Thermal(180, 512);
const Profile k58At203 = jobcheck::Thermal(203, 384);
const Profile k80At203 = jobcheck::Thermal(203, 576);
const Profile kImpact = jobcheck::ImpactEscPos();
const Profile kStarHead = jobcheck::Star();
const Profile kEscPHead = jobcheck::EscP(Dialect::EscP);
const Profile kOkiHead = jobcheck::EscP(Dialect::Oki);

const Expected kJobs[] = {
    {158, 30251, kEscPos180, k58At180, Kind::DriverTest},
    {162, 18698, kStar, kStarHead, Kind::DriverTest},
    {164, 55272, kStar, kStarHead, Kind::DriverTest},
    {166, 42840, kPacketExit, kEscPHead, Kind::DriverTest},
    {168, 39932, kOki, kOkiHead, Kind::DriverTest},
    {170, 6405, kPacketExit, kEscPHead, Kind::Receipt},
    {171, 3027, kEscP, kEscPHead, Kind::Receipt},
    {174, 32760, kEscPosImpact, kImpact, Kind::Receipt},
    {175, 12699, kEscPosImpact, kImpact, Kind::DriverTest},
    {176, 131106, kEscPos180, k58At180, Kind::Receipt},
    {177, 7089, kEscPos180, k58At180, Kind::Receipt},
    {178, 83131, "1B 3D 01 1D 50 B4 B4", k80At180, Kind::Receipt},
    {193, 15903, kEscPos203, k58At203, Kind::Receipt},
    {232, 27504, kEscPos203, k80At203, Kind::FullBlack},
    {233, 23416, "00 1B 40 1B 3D 01", kImpact, Kind::FullBlack},
    {234, 14914, kStar, kStarHead, Kind::FullBlack},
    {235, 15208, kStar, kStarHead, Kind::FullBlack},
    {236, 22865, kPacketExit, kEscPHead, Kind::FullBlack},
    {237, 22560, kOki, kOkiHead, Kind::FullBlack},
    {238, 783486, "1B 3D 01 1D 50 CB CB", k80At203, Kind::Receipt},
};

Bytes ReadFile(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

Bytes Job(int id) { return ReadFile(fs::path(SAMPLEJOBS_DIR) / (std::to_string(id) + ".bin")); }

double ShareOfFF(const Bytes& bytes) {
  std::size_t ff = 0;
  for (std::uint8_t b : bytes) ff += b == 0xFF;
  return static_cast<double>(ff) / static_cast<double>(bytes.size());
}

// Rows in which at least `share` of the paper width is printed.
int DarkRows(const jobcheck::Page& page, double share) {
  int rows = 0;
  for (int y = 0; y < page.height; ++y) {
    int dots = 0;
    for (int x = 0; x < page.width; ++x) dots += page.At(x, y) == jobcheck::kDot;
    rows += dots >= share * page.width;
  }
  return rows;
}

// A rectangle outline: two long horizontal runs with the same ends, at least `minGap` rows
// apart, joined by printed columns at both ends.
bool HasFrame(const jobcheck::Page& page, int minLength, int minGap) {
  struct Run {
    int y, x0, x1;
  };
  std::vector<Run> runs;
  for (int y = 0; y < page.height; ++y)
    for (int x = 0; x < page.width;) {
      int end = x;
      while (end < page.width && page.At(end, y) == jobcheck::kDot) ++end;
      if (end - x >= minLength) runs.push_back({y, x, end - 1});
      x = end + 1;
    }
  auto column = [&](int x, int y0, int y1) {
    for (int y = y0; y <= y1; ++y)
      if (page.At(x, y) != jobcheck::kDot) return false;
    return true;
  };
  for (const Run& top : runs)
    for (const Run& bottom : runs)
      if (bottom.y - top.y >= minGap && bottom.x0 == top.x0 && bottom.x1 == top.x1 &&
          column(top.x0, top.y, bottom.y) && column(top.x1, top.y, bottom.y))
        return true;
  return false;
}

TEST(SampleJobs, HaveTheirSizesAndOpeningBytes) {
  for (const Expected& e : kJobs) {
    SCOPED_TRACE("job " + std::to_string(e.id));
    const Bytes bytes = Job(e.id);
    EXPECT_EQ(bytes.size(), e.size);
    const Bytes lead = Hex(e.lead);
    ASSERT_GE(bytes.size(), lead.size());
    EXPECT_EQ(ToHex(Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(lead.size()))), ToHex(lead));
  }
}

TEST(SampleJobs, AreWellFormedAndPrintAPage) {
  const fs::path artifacts(SAMPLEJOBS_ARTIFACTS);
  fs::create_directories(artifacts);
  for (const Expected& e : kJobs) {
    SCOPED_TRACE("job " + std::to_string(e.id));
    const jobcheck::Walk walk = jobcheck::WalkStream(Job(e.id), e.printer);
    ASSERT_TRUE(walk.ok) << walk.error;
    EXPECT_TRUE(preview::WritePng(walk.page, (artifacts / (std::to_string(e.id) + ".png")).string()));
    EXPECT_TRUE(walk.endsWithCut) << "the paper is not cut or ejected at the end";
    EXPECT_GE(walk.page.height, 2 * e.printer.dpiY) << "less than two inches of paper";
    EXPECT_GE(walk.images, 10);
    switch (e.kind) {
      case Kind::DriverTest:
        EXPECT_TRUE(HasFrame(walk.page, e.printer.dpiX, e.printer.dpiY / 4)) << "no framed box on the test page";
        break;
      case Kind::FullBlack:
        // At least an inch of paper printed black across most of the width.
        EXPECT_GE(DarkRows(walk.page, 0.6), e.printer.dpiY);
        break;
      case Kind::Receipt:
        EXPECT_EQ(DarkRows(walk.page, 0.6), 0) << "receipts print text, not black areas";
        break;
    }
  }
}

TEST(SampleJobs, FullBlackPagesAreMostlyFFBytes) {
  for (int id : {232, 234, 235, 236, 237}) {
    const double share = ShareOfFF(Job(id));
    EXPECT_GE(share, 0.70) << id;
    EXPECT_LE(share, 0.80) << id;
  }
  // The impact EPSON-mode page prints every other column in double density.
  const double share = ShareOfFF(Job(233));
  EXPECT_GE(share, 0.28);
  EXPECT_LE(share, 0.40);
}

TEST(SampleJobs, GeneratorWritesTheSameBytesEveryRun) {
  const fs::path again = fs::path(SAMPLEJOBS_DIR).parent_path() / "samplejobs_again";
  fs::remove_all(again);
  fs::create_directories(again);
  const std::string command = std::string("\"") + SAMPLEJOBS_GENERATOR + "\" \"" + again.string() + "\"";
  ASSERT_EQ(std::system(command.c_str()), 0);
  for (const Expected& e : kJobs) EXPECT_EQ(ReadFile(again / (std::to_string(e.id) + ".bin")), Job(e.id)) << e.id;
  fs::remove_all(again);
}

}  // namespace
