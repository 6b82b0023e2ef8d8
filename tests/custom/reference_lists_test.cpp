#include "custom/reference_lists.h"

#include <gtest/gtest.h>

#include "custom/reference_lists_panel.h"
#include "fakes/fake_panel.h"
#include "support/hex.h"

namespace {

// FNV-1a over the entries joined by line feeds: one slipped byte anywhere changes it.
std::uint32_t Fingerprint(const std::vector<std::string>& entries) {
  std::uint32_t hash = 0x811C9DC5u;
  for (std::size_t i = 0; i < entries.size(); ++i)
    for (unsigned char c : (i ? "\n" : "") + entries[i]) hash = (hash ^ c) * 0x01000193u;
  return hash;
}

TEST(ReferenceLists, EveryOpeningFillsTheListsAndOnlyOkCloses) {
  const struct {
    int list;
    std::size_t entries;
    std::uint32_t fingerprint;
  } lists[] = {{1005, 57, 0xB23B5209u}, {1104, 39, 0x1C193281u}, {1105, 56, 0x296EA6E3u}};
  ReferenceListsPanel logic;
  for (int opening = 0; opening < 2; ++opening) {
    FakePanel panel;
    logic.OnInit(panel);
    for (const auto& l : lists) {
      EXPECT_EQ(panel.lists[l.list].size(), l.entries) << l.list;
      EXPECT_EQ(Fingerprint(panel.lists[l.list]), l.fingerprint) << l.list;
      EXPECT_EQ(panel.tabStops[l.list], 44) << l.list;
    }
    for (int id : {2, 1005, 1104, 1105}) logic.OnCommand(panel, id);
    EXPECT_FALSE(panel.ended);
    logic.OnCommand(panel, 1);
    EXPECT_TRUE(panel.ended);
  }
}

TEST(ReferenceLists, EntriesKeepTabsSpacesAndTheIdeographicSpace) {
  // 0D, tab, space, 打印回车
  EXPECT_EQ(ToHex(Ascii(kEscpReferenceList[4])), "30 44 09 20 B4 F2 D3 A1 BB D8 B3 B5");
  // 1B, ideographic space, 70, tab, m n1 n2 产生钱箱驱动脉冲
  EXPECT_EQ(ToHex(Ascii(kEscpReferenceList[36])),
            "31 42 A1 A1 37 30 09 6D 20 6E 31 20 6E 32 20 B2 FA C9 FA C7 AE CF E4 C7 FD B6 AF C2 F6 B3 E5");
  EXPECT_EQ(ToHex(Ascii(kOkiReferenceList[0])), "42 53 20 CD CB B8 F1");  // BS 退格
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

}  // namespace
