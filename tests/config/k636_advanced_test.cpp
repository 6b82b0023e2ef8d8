#include <gtest/gtest.h>

#include "config/k636/advanced_panel.h"
#include "config/k636_support.h"

namespace {

using namespace k636_test;

struct Harness : PanelHarness<k636::AdvancedPanel> {
  explicit Harness(bool opened = true) {
    if (opened) logic.OnInit(panel);
  }
};

constexpr int kLoad = 1024, kPageFeed = 1025, kLengthError = 1026, kFactory = 1102, kGraphics = 1044,
              kSpacing = 1045, kBaud = 1046, kDelay = 1047, kLeftMargin = 1048;
constexpr int kGraphicsList = 1119, kBaudList = 1121, kDelayList = 1122;

TEST(K636Advanced, OpeningFillsTheControls) {
  Harness h;
  const std::map<int, std::string> texts = {
      {1008, "50.00"}, {1009, "40.00"}, {1010, "00.00"}, {1011, "10.00"}, {1012, "0~255"}};
  EXPECT_EQ(h.panel.texts, texts);
  for (int id : {1144, 1145, 1148, 1149, 1154, 1151, 1114, 1115}) EXPECT_TRUE(h.panel.checked[id]) << id;
  for (int id : {1143, 1146, 1147, 1150, 1152, 1153, 1155, 1156, 1177, 1178, 1181, 1182, 1183})
    EXPECT_FALSE(h.panel.checked[id]) << id;
  EXPECT_EQ(h.panel.lists[kGraphicsList],
            (std::vector<std::string>{"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"}));
  EXPECT_EQ(h.panel.lists[kBaudList], (std::vector<std::string>{"4800", "9600", "19200", "38400"}));
  EXPECT_EQ(h.panel.lists[kDelayList], (std::vector<std::string>{"0", "1", "2", "3", "4", "5"}));
  EXPECT_EQ(h.panel.selected, (std::map<int, int>{{kGraphicsList, 0}, {kBaudList, 2}, {kDelayList, 1}}));
}

TEST(K636Advanced, YesNoButtonsSendTheFrameOfEachCheckedChoice) {
  const struct {
    int button, first, second;
    const char *firstHex, *secondHex;
  } rows[] = {
      {1027, 1147, 1148, "1B7C7700A0 13 01", "1B7C7700A0 13 00"},
      {1028, 1149, 1150, "1B7C7700A0 10 01", "1B7C7700A0 10 00"},
      {1029, 1151, 1152, "1B7C7700A0 0E 01", "1B7C7700A0 0E 00"},
      {1030, 1153, 1154, "1B7C7700A0 12 01", "1B7C7700A0 12 00"},
      {1031, 1155, 1156, "1B7C7700A0 01 00", "1B7C7700A0 01 01"},
      {1032, 1157, 1158, "1B7C7700A0 02 00", "1B7C7700A0 02 01"},
      {1033, 1159, 1160, "1B7C7700A0 0B 00", "1B7C7700A0 0B 01"},
      {1034, 1161, 1162, "1B7C7700A0 05 00", "1B7C7700A0 05 01"},
      {1035, 1163, 1164, "1B7C7700A0 0F 00", "1B7C7700A0 0F 01"},
      {1036, 1165, 1166, "1B7C7700A0 07 00", "1B7C7700A0 07 01"},
      {1037, 1167, 1168, "1B7C7700A0 08 00", "1B7C7700A0 08 01"},
      {1038, 1169, 1170, "1B7C7700A0 09 00", "1B7C7700A0 09 01"},
      {1039, 1171, 1172, "1B7C7700A0 0A 00", "1B7C7700A0 0A 01"},
      {1040, 1173, 1174, "1B7C7700A0 06 00", "1B7C7700A0 06 01"},
      {1041, 1175, 1176, "1B7C7700A0 0D 00", "1B7C7700A0 0D 01"},
      {1042, 1177, 1178, "1B7C7700A0 03 00", "1B7C7700A0 03 01"},
      {1043, 1179, 1180, "1B7C7700A0 0C 00", "1B7C7700A0 0C 01"},
  };
  for (const auto& r : rows) {
    const std::string label = std::to_string(r.button);
    Harness first(false), second(false), neither(false);
    first.panel.checked[r.first] = true;
    second.panel.checked[r.second] = true;
    ExpectRuns(first, r.button, {r.firstHex}, label + " yes");
    ExpectRuns(second, r.button, {r.secondHex}, label + " no");
    ExpectRuns(neither, r.button, {}, label + " neither");
  }
}

TEST(K636Advanced, RightAfterOpening) {
  const struct {
    int button;
    std::vector<std::string> runs;
  } rows[] = {
      {kLoad, {"1B7C7700A016", "02", "1B7C7700A017", "C4"}},
      {kPageFeed, {"1B7C7700A021", "02", "1B7C7700A022", "36", "1B7C7700A023", "02", "1B7C7700A024", "36"}},
      {kLengthError, {"1B7C7700A018", "00", "1B7C7700A019", "00"}},
      {kLeftMargin, {"1B7C7700A01B", "00", "1B7C7700A01C", "8D"}},
      {kSpacing, {"1B7C7700A004", "00"}},
      {kBaud, {"1B7C7700A01101"}},
      {kDelay, {"1B7C7700A01A", "01"}},
      {kGraphics, {"00"}},
      {1027, {"1B7C7700A01300"}},
      {1031, {}},
      {kFactory, {"1B7C7700AA", "1B7C7700A01300", "1B7C7700A016", "02", "1B7C7700A017", "C4"}},
  };
  for (const auto& r : rows) {
    Harness h;
    ExpectRuns(h, r.button, r.runs, std::to_string(r.button));
  }
}

TEST(K636Advanced, DistancesInSteps) {
  const struct {
    int button;
    Inputs in;
    std::vector<std::string> runs;
  } rows[] = {
      {kLoad,
       {{{1008, "50.00"}}, {{1143, true}, {1144, false}}},
       {"1B7C7700A014", "02", "1B7C7700A015", "C4"}},
      {kLoad,
       {{{1008, "12"}}, {{1143, true}}},
       {"1B7C7700A014", "00", "1B7C7700A015", "AA", "1B7C7700A016", "00", "1B7C7700A017", "AA"}},
      {kLoad, {{{1008, "1000"}}, {}}, {"1B7C7700A016", "37", "1B7C7700A017", "5D"}},
      {kPageFeed, {{{1009, "3"}}, {{1114, false}}}, {"1B7C7700A023", "00", "1B7C7700A024", "2A"}},
      {kPageFeed, {{}, {{1114, false}, {1115, false}}}, {}},
      {kLengthError,
       {{{1010, "3"}}, {{1145, false}, {1146, true}}},
       {"1B7C7700A018", "80", "1B7C7700A019", "2A"}},
      {kLengthError, {{{1010, "3"}}, {}}, {"1B7C7700A018", "00", "1B7C7700A019", "2A"}},
      {kLengthError, {{{1010, "2311.9"}}, {{1146, true}}}, {"1B7C7700A018", "FF", "1B7C7700A019", "FF"}},
      {kLeftMargin, {{{1011, "12.5"}}, {}}, {"1B7C7700A01B", "00", "1B7C7700A01C", "B1"}},
      {kLeftMargin, {{{1011, "5.25"}}, {}}, {"1B7C7700A01B", "00", "1B7C7700A01C", "4A"}},
      {kLeftMargin, {{{1011, "4623.9"}}, {}}, {"1B7C7700A01B", "FF", "1B7C7700A01C", "FF"}},
      {kLeftMargin, {{{1011, "abc"}}, {}}, {"1B7C7700A01B", "00", "1B7C7700A01C", "00"}},
  };
  int row = 0;
  for (const auto& r : rows) {
    Harness h;
    Apply(h, r.in);
    ExpectRuns(h, r.button, r.runs, "row " + std::to_string(row++));
  }
}

TEST(K636Advanced, DistancesThatCannotBeCarriedAreRefusedWhole) {
  const struct {
    int button;
    Inputs in;
  } rows[] = {
      {kLoad, {{{1008, "-1"}}, {}}},
      {kLoad, {{{1008, "9e9"}}, {{1143, true}}}},
      {kLoad, {{{1008, "4624"}}, {}}},
      {kPageFeed, {{{1009, "-0.1"}}, {}}},
      {kPageFeed, {{{1009, "1e999"}}, {{1114, false}}}},
      {kLengthError, {{{1010, "2312"}}, {}}},  // bit 7 is the direction
      {kLengthError, {{{1010, "-3"}}, {{1146, true}}}},
      {kLeftMargin, {{{1011, "-5"}}, {}}},
      {kLeftMargin, {{{1011, "65536"}}, {}}},
  };
  for (const auto& r : rows) {
    Harness h;
    Apply(h, r.in);
    ExpectRefused(h, r.button, kInvalidEntry, kEntryReminder, MessageButtons::Ok,
                  std::to_string(r.button) + " " + r.in.texts.begin()->second);
  }
}

TEST(K636Advanced, CharacterSpacingIsCheckedOnTheWholeEntry) {
  const struct {
    const char* text;
    const char* value;  // nullptr: refused
  } rows[] = {
      {"0~255", "00"},   {"255", "FF"},    {"12.9", "0C"},     {"  7", "07"},
      {"x", "00"},       {"-0.5", "00"},   {"256", nullptr},   {"-1", nullptr},
      {"1000", nullptr}, {"9e9", nullptr}, {"1e999", nullptr},
  };
  for (const auto& r : rows) {
    Harness h;
    h.panel.texts[1012] = r.text;
    if (r.value) {
      ExpectRuns(h, kSpacing, {"1B7C7700A004", r.value}, r.text);
    } else {
      ExpectRefused(h, kSpacing, "A3B0 7E A3B2 A3B5 A3B5 D6AE BCE4 B5C4 D5FB CAFD", "CCE1 D0D1",
                    MessageButtons::OkCancel, r.text);  // ０~２５５之间的整数 / 提醒
    }
  }
}

TEST(K636Advanced, ListChoices) {
  const struct {
    int button, list, index;
    std::vector<std::string> runs;  // empty: nothing and no reset
  } rows[] = {
      {kBaud, kBaudList, 0, {"1B7C7700A01103"}},
      {kBaud, kBaudList, 1, {"1B7C7700A01100"}},
      {kBaud, kBaudList, 3, {"1B7C7700A01102"}},
      {kBaud, kBaudList, -1, {}},
      {kDelay, kDelayList, 0, {"1B7C7700A01A", "00"}},
      {kDelay, kDelayList, 5, {"1B7C7700A01A", "05"}},
      {kDelay, kDelayList, -1, {}},
      {kGraphics, kGraphicsList, 9, {"09"}},
      {kGraphics, kGraphicsList, -1, {}},
  };
  for (const auto& r : rows) {
    Harness h;
    h.panel.selected[r.list] = r.index;
    const std::string label = std::to_string(r.button) + " #" + std::to_string(r.index);
    if (r.runs.empty()) {
      ExpectIgnored(h, r.button, label);
    } else {
      ExpectRuns(h, r.button, r.runs, label);
    }
  }
}

TEST(K636Advanced, GraphicsAdjustmentHeadsByMode) {
  const struct {
    int mode;
    const char* head;
  } rows[] = {
      {1181, "1B7C7700A103"}, {1182, "1B7C7700A101"}, {1183, "1B7C7700A100"},
      {1184, "1B7C7700A102"}, {1185, "1B7C7700A104"}, {1186, "1B7C7700A105"},
  };
  for (const auto& r : rows) {
    Harness h;
    h.panel.selected[kGraphicsList] = 7;
    h.panel.checked[r.mode] = true;
    ExpectRuns(h, kGraphics, {r.head, "07"}, std::to_string(r.mode));
  }
}

}  // namespace
