#include "perf/sample_job.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/fake_panel.h"
#include "fakes/recording_transport.h"
#include "panels/interface_choice.h"
#include "perf/map_sample_store.h"
#include "support/hex.h"

namespace {

// Also notes where each write's bytes came from.
using SourceRecordingDriver = RecordingTransport;

class SendSampleJobTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ChooseInterface(panel, link, PortKind::Serial);
    panel.messages.clear();
    driver.events.clear();
  }

  SerialSettings settings;
  SourceRecordingDriver driver;
  PrinterLink link{driver, driver, settings};
  FakePanel panel;
  MapSampleStore store;
};

using Events = std::vector<std::string>;

TEST_F(SendSampleJobTest, StoredJobGoesOutInOneWriteFromTheStoreThenTheLinkIsReset) {
  store.jobs[162] = Hex("1B 40 1B 7A 31 1B 1D 74 00 1B 1E 0A");
  store.jobs[164] = Hex("1B 40 FF FF");

  SendSampleJob(link, store, panel, 162);

  EXPECT_EQ(driver.events, (Events{"write serial:com1", "close serial:com1", "open serial:com1"}));
  EXPECT_EQ(driver.RunsTo("serial:com1"), std::vector<Bytes>{Hex("1B 40 1B 7A 31 1B 1D 74 00 1B 1E 0A")});
  ASSERT_EQ(driver.sources.size(), 1u);
  EXPECT_EQ(driver.sources[0], store.jobs[162].data());
  EXPECT_TRUE(panel.messages.empty());
}

TEST_F(SendSampleJobTest, BytesPassUnchangedWhateverTheyBeginWith) {
  const Bytes packetExit = Cat({Hex("00 00 00 1B 01"), Ascii("@EJL 1284.4\n@EJL     \n"), Hex("1B 40 1B 74 01")});
  const Bytes noEscAt = Hex("1D 50 B4 B4 1B 4A 00 0A 00");
  store.jobs[166] = packetExit;
  store.jobs[178] = noEscAt;

  SendSampleJob(link, store, panel, 166);
  SendSampleJob(link, store, panel, 178);

  EXPECT_EQ(driver.RunsTo("serial:com1"), (std::vector<Bytes>{packetExit, noEscAt}));
}

TEST_F(SendSampleJobTest, LargestJobIsNotSplit) {
  Bytes big(783486);
  for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<std::uint8_t>(i * 7 + (i >> 9));
  store.jobs[238] = big;

  SendSampleJob(link, store, panel, 238);

  const auto runs = driver.RunsTo("serial:com1");
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0].size(), 783486u);
  EXPECT_TRUE(runs[0] == big);
}

TEST_F(SendSampleJobTest, MissingJobSendsNothingAndNamesTheJob) {
  store.jobs[162] = Hex("1B 40");

  SendSampleJob(link, store, panel, 158);
  SendSampleJob(link, store, panel, 238);

  EXPECT_TRUE(driver.events.empty());  // no write, no reset
  ASSERT_EQ(panel.messages.size(), 2u);
  // "找不到内置打印数据 158" / "提示"
  EXPECT_EQ(ToHex(Ascii(panel.messages[0].text)),
            "D5 D2 B2 BB B5 BD C4 DA D6 C3 B4 F2 D3 A1 CA FD BE DD 20 31 35 38");
  EXPECT_EQ(ToHex(Ascii(panel.messages[0].caption)), "CC E1 CA BE");
  EXPECT_EQ(panel.messages[0].buttons, MessageButtons::Ok);
  EXPECT_EQ(ToHex(Ascii(panel.messages[1].text)),
            "D5 D2 B2 BB B5 BD C4 DA D6 C3 B4 F2 D3 A1 CA FD BE DD 20 32 33 38");
}

}  // namespace
