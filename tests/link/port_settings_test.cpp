#include "link/port_settings.h"

#include <gtest/gtest.h>

#include "fakes/fake_panel.h"
#include "fakes/recording_port_driver.h"
#include "link/port_settings_panel.h"
#include "link/printer_link.h"
#include "support/hex.h"

namespace {

// 并口 name, 串口 name, baud, parity, data bits, stop bits
constexpr int kFields[] = {40010, 40007, 1046, 1045, 1047, 1043};
constexpr int kDefaults = 1024, kAdvanced = 1064;

TEST(ParseUnsignedField, OnlyAPlainUnsignedNumberCounts) {
  const struct {
    const char* text;
    std::uint32_t value;
  } cases[] = {
      {"9600", 9600}, {" 19200 ", 19200}, {"007", 7},   {"4294967295", 4294967295u}, {"", 0},
      {"-5", 0},      {"+5", 0},          {"9600abc", 0}, {"9 600", 0},              {"4294967296", 0},
      {"0x10", 0},    {"\xC8\xFD", 0},  // 三
  };
  for (const auto& c : cases) EXPECT_EQ(ParseUnsignedField(c.text), c.value) << "'" << c.text << "'";
}

TEST(PortSettingsTexts, NamesKeepFourBytesAndTheParityOneButNeverHalfASign) {
  EXPECT_EQ(SettingsFrom({"lpt12", "com10", "115200", "even", "264", "2"}),
            (SerialSettings{"lpt1", "com1", 115200, "e", 8, 2}));
  // 并口1 keeps 并口; a串口 keeps a and 串; 奇 does not fit the parity.
  const SerialSettings s = SettingsFrom({"\xB2\xA2\xBF\xDA" "1", "a\xB4\xAE\xBF\xDA", "", "\xC6\xE6", "", ""});
  EXPECT_EQ(ToHex(Ascii(s.parallelPortName)), "B2 A2 BF DA");
  EXPECT_EQ(ToHex(Ascii(s.serialPortName)), "61 B4 AE");
  EXPECT_EQ(s.parity, "");
}

class PortSettingsPanelTest : public ::testing::Test {
 protected:
  PortSettingsPanelTest() { logic.OnInit(panel); }
  std::vector<std::string> Fields() {
    std::vector<std::string> texts;
    for (int id : kFields) texts.push_back(panel.texts[id]);
    return texts;
  }

  SerialSettings settings{"lpt2", "com3", 19200, "e", 7, 2};
  PortSettingsPanel logic{settings};
  FakePanel panel;
};

TEST_F(PortSettingsPanelTest, OpeningShowsTheStoredSettingsAndOkStoresTheFields) {
  EXPECT_EQ(Fields(), (std::vector<std::string>{"lpt2", "com3", "19200", "e", "7", "2"}));
  const std::vector<std::string> typed = {"lpt3", "com10", "4800", "o", "264", "1"};
  for (std::size_t i = 0; i < typed.size(); ++i) panel.texts[kFields[i]] = typed[i];
  logic.OnCommand(panel, 1);
  EXPECT_EQ(settings, (SerialSettings{"lpt3", "com1", 4800, "o", 8, 1}));
  EXPECT_TRUE(panel.ended);
}

TEST_F(PortSettingsPanelTest, DefaultsFillTheFieldsAndCancelStoresNothing) {
  logic.OnCommand(panel, kDefaults);
  EXPECT_EQ(Fields(), (std::vector<std::string>{"lpt1", "com1", "9600", "n", "8", "1"}));
  EXPECT_FALSE(panel.ended);
  logic.OnCommand(panel, 2);  // 取消, or Esc
  EXPECT_TRUE(panel.ended);
  EXPECT_EQ(settings, (SerialSettings{"lpt2", "com3", 19200, "e", 7, 2}));
}

TEST_F(PortSettingsPanelTest, AdvancedShowsTheStoredSerialPortNotTheEditedName) {
  panel.texts[40007] = "com7";
  logic.OnCommand(panel, kAdvanced);
  EXPECT_EQ(panel.portDialogs, std::vector<std::string>{"com3"});
  EXPECT_FALSE(panel.ended);
}

TEST(PortSettingsOnTheLink, StoredSettingsReachTheLineAtTheNextOpenOnly) {
  RecordingPortDriver driver;
  SerialSettings settings;
  PrinterLink link{driver, settings};
  FakePanel testPanel, dialog;
  link.SelectPortKind(testPanel, PortKind::Serial);

  PortSettingsPanel logic{settings};
  logic.OnInit(dialog);
  const std::vector<std::string> typed = {"lpt2", "com2", "19200", "n", "7", "2"};
  for (std::size_t i = 0; i < typed.size(); ++i) dialog.texts[kFields[i]] = typed[i];
  const std::size_t mark = driver.events.size();
  logic.OnCommand(dialog, 1);
  EXPECT_EQ(driver.events.size(), mark);  // the open connection is left alone

  link.ResetAfterSend();
  EXPECT_EQ(std::vector<std::string>(driver.events.begin() + static_cast<long>(mark), driver.events.end()),
            (std::vector<std::string>{"close serial:com1", "open serial:com2"}));
  EXPECT_EQ(driver.lastLine, (LineSettings{19200, 7, 0, 2, true}));
  link.SelectPortKind(testPanel, PortKind::Parallel);
  EXPECT_EQ(driver.events.back(), "open parallel:lpt2");
}

}  // namespace
