#include "link/port_settings.h"

#include <gtest/gtest.h>

#include "fakes/fake_panel.h"
#include "fakes/recording_transport.h"
#include "link/port_settings_panel.h"
#include "link/printer_link.h"
#include "panels/interface_choice.h"
#include "support/hex.h"

namespace {

// 并口 name, 串口 name, baud, parity, data bits, stop bits
constexpr int kFields[] = {40010, 40007, 1046, 1045, 1047, 1043};
constexpr int kDefaults = 1024, kAdvanced = 1064;
constexpr int kHost = 1050, kPort = 1051;  // 网络打印机 address and port

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
  EXPECT_EQ(SettingsFrom({"lpt12", "com10", "115200", "even", "264", "2", "", ""}),
            (SerialSettings{"lpt1", "com1", 115200, "e", 8, 2, "", 9100}));
  // 并口1 keeps 并口; a串口 keeps a and 串; 奇 does not fit the parity.
  const SerialSettings s = SettingsFrom({"\xB2\xA2\xBF\xDA" "1", "a\xB4\xAE\xBF\xDA", "", "\xC6\xE6", "", "", "", ""});
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

  SerialSettings settings{"lpt2", "com3", 19200, "e", 7, 2, "printer.local", 9101};
  PortSettingsPanel logic{settings};
  FakePanel panel;
};

TEST_F(PortSettingsPanelTest, OpeningShowsTheStoredSettingsAndOkStoresTheFields) {
  EXPECT_EQ(Fields(), (std::vector<std::string>{"lpt2", "com3", "19200", "e", "7", "2"}));
  const std::vector<std::string> typed = {"lpt3", "com10", "4800", "o", "264", "1"};
  for (std::size_t i = 0; i < typed.size(); ++i) panel.texts[kFields[i]] = typed[i];
  logic.OnCommand(panel, 1);
  EXPECT_EQ(settings, (SerialSettings{"lpt3", "com1", 4800, "o", 8, 1, "printer.local", 9101}));
  EXPECT_TRUE(panel.ended);
}

TEST_F(PortSettingsPanelTest, DefaultsFillTheFieldsAndCancelStoresNothing) {
  logic.OnCommand(panel, kDefaults);
  EXPECT_EQ(Fields(), (std::vector<std::string>{"lpt1", "com1", "9600", "n", "8", "1"}));
  EXPECT_FALSE(panel.ended);
  logic.OnCommand(panel, 2);  // 取消, or Esc
  EXPECT_TRUE(panel.ended);
  EXPECT_EQ(settings, (SerialSettings{"lpt2", "com3", 19200, "e", 7, 2, "printer.local", 9101}));
}

TEST_F(PortSettingsPanelTest, NetworkPrinterFieldsAndAPortOutsideTheRangeKeepsTheDialogOpen) {
  EXPECT_EQ(panel.texts[kHost], "printer.local");
  EXPECT_EQ(panel.texts[kPort], "9101");
  logic.OnCommand(panel, kDefaults);  // leaves where the printer is
  EXPECT_EQ(panel.texts[kHost], "printer.local");
  const struct {
    const char* host;
    const char* port;
    bool stored;
    const char* storedHost;
    std::uint32_t storedPort;
  } cases[] = {
      {"", "9100", true, "", 9100},
      {" 192.168.1.20 ", "1", true, "192.168.1.20", 1},
      {"::1", "65535", true, "::1", 65535},
      {"10.0.0.9", "0", false, "", 0},
      {"10.0.0.9", "65536", false, "", 0},
      {"10.0.0.9", "", false, "", 0},
      {"10.0.0.9", "91oo", false, "", 0},
  };
  for (const auto& c : cases) {
    FakePanel dialog;
    SerialSettings stored{};
    PortSettingsPanel settingsLogic{stored};
    settingsLogic.OnInit(dialog);
    dialog.texts[kHost] = c.host;
    dialog.texts[kPort] = c.port;
    settingsLogic.OnCommand(dialog, 1);
    EXPECT_EQ(dialog.ended, c.stored) << c.port;
    if (c.stored) {
      EXPECT_EQ(stored.networkHost, c.storedHost);
      EXPECT_EQ(stored.networkPort, c.storedPort);
      EXPECT_TRUE(dialog.messages.empty());
    } else {
      ASSERT_EQ(dialog.messages.size(), 1u) << c.port;
      EXPECT_EQ(dialog.messages[0].caption, "\xB6\xCB\xBF\xDA\xC9\xE8\xD6\xC3");  // 端口设置
      EXPECT_EQ(stored, SerialSettings{});  // nothing stored
    }
  }
}

TEST_F(PortSettingsPanelTest, AdvancedShowsTheStoredSerialPortNotTheEditedName) {
  panel.texts[40007] = "com7";
  logic.OnCommand(panel, kAdvanced);
  EXPECT_EQ(panel.portDialogs, std::vector<std::string>{"com3"});
  EXPECT_FALSE(panel.ended);
}

TEST(PortSettingsOnTheLink, StoredSettingsReachTheLineAtTheNextOpenOnly) {
  RecordingTransport driver;
  SerialSettings settings;
  PrinterLink link{driver, driver, settings};
  FakePanel testPanel, dialog;
  ChooseInterface(testPanel, link, PortKind::Serial);

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
  ChooseInterface(testPanel, link, PortKind::Parallel);
  EXPECT_EQ(driver.events.back(), "open parallel:lpt2");
}

}  // namespace
