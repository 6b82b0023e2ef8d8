#include "custom/reference_lists.h"

#include <gtest/gtest.h>

#include "custom/reference_lists_panel.h"
#include "fakes/fake_panel.h"
#include "support/hex.h"

namespace {

constexpr int kEscpList = 1005, kStarList = 1104, kOkiList = 1105;

// FNV-1a over the entries joined by line feeds: one slipped byte anywhere
// changes it.
std::uint32_t Fingerprint(const std::vector<std::string>& entries, std::size_t& bytes) {
  std::uint32_t hash = 0x811C9DC5u;
  bytes = 0;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const std::string text = (i ? "\n" : "") + entries[i];
    bytes += text.size();
    for (unsigned char c : text) hash = (hash ^ c) * 0x01000193u;
  }
  return hash;
}

TEST(ReferenceLists, EveryOpeningFillsTheThreeListsWithEveryEntry) {
  const struct {
    int list;
    std::size_t entries, bytes;
    std::uint32_t fingerprint;
  } lists[] = {
      {kEscpList, 57, 1416, 0xB23B5209u},
      {kStarList, 39, 1169, 0x1C193281u},
      {kOkiList, 56, 1241, 0x296EA6E3u},
  };
  ReferenceListsPanel logic;
  for (int opening = 0; opening < 2; ++opening) {
    FakePanel panel;
    logic.OnInit(panel);
    for (const auto& l : lists) {
      std::size_t bytes = 0;
      EXPECT_EQ(panel.lists[l.list].size(), l.entries) << l.list;
      EXPECT_EQ(Fingerprint(panel.lists[l.list], bytes), l.fingerprint) << l.list;
      EXPECT_EQ(bytes, l.bytes) << l.list;
      EXPECT_EQ(panel.tabStops[l.list], 44) << l.list;
    }
  }
}

TEST(ReferenceLists, EntriesKeepTabsAndTheIdeographicSpace) {
  const struct {
    const char* entry;
    const char* hex;
  } cases[] = {
      {kEscpReferenceList[4], "30 44 09 20 B4 F2 D3 A1 BB D8 B3 B5"},  // 0D, tab, space, 打印回车
      {kEscpReferenceList[36],
       "31 42 A1 A1 37 30 09 6D 20 6E 31 20 6E 32 20 B2 FA C9 FA C7 AE CF E4 C7 FD B6 AF C2 F6 B3 E5"},
      {kStarReferenceList[1],  // 0a 打印行缓冲器里的内容，并向前走纸一行
       "30 61 20 B4 F2 D3 A1 D0 D0 BB BA B3 E5 C6 F7 C0 EF B5 C4 C4 DA C8 DD A3 AC B2 A2 CF F2 C7 B0 D7 DF D6 "
       "BD D2 BB D0 D0"},
      {kOkiReferenceList[0], "42 53 20 CD CB B8 F1"},  // BS 退格
      {kOkiReferenceList[55], "45 53 43 20 24 20 40 20 C9 E8 B6 A8 BA BA D7 D6 B7 BD CA BD"},
  };
  for (const auto& c : cases) EXPECT_EQ(ToHex(Ascii(c.entry)), c.hex);
}

TEST(ReferenceLists, SharedTextsAreOneTextAndNearDuplicatesStayApart) {
  // ESC/P and STAR positions (from 1) of the texts both lists use.
  const std::pair<int, int> shared[] = {{7, 5},   {12, 9},  {16, 11}, {17, 12}, {43, 28},
                                        {44, 29}, {47, 31}, {48, 32}, {52, 34}};
  for (auto [escp, star] : shared)
    EXPECT_EQ(kEscpReferenceList[escp - 1], kStarReferenceList[star - 1]) << escp;

  // Alike but not the same: 1/120 against 1/140 inch, a tab, a space.
  const std::pair<int, int> apart[] = {{6, 4}, {5, 3}, {51, 33}, {37, 26}, {31, 18}};
  for (auto [escp, star] : apart)
    EXPECT_NE(std::string(kEscpReferenceList[escp - 1]), kStarReferenceList[star - 1]) << escp;
}

TEST(ReferenceLists, OnlyTheOkButtonCloses) {
  ReferenceListsPanel logic;
  FakePanel panel;
  for (int id : {2, kEscpList, kStarList, kOkiList}) logic.OnCommand(panel, id);
  EXPECT_FALSE(panel.ended);
  logic.OnCommand(panel, 1);
  EXPECT_TRUE(panel.ended);
  EXPECT_EQ(panel.endResult, 0);
}

}  // namespace
