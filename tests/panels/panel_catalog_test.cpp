#include "app/panel_catalog.h"

#include <gtest/gtest.h>

#include <set>

#include "fakes/no_files.h"
#include "fakes/recording_transport.h"
#include "link/printer_link.h"
#include "perf/aging_worker.h"
#include "perf/sample_job.h"

namespace {

struct NoJobs : SampleStore {
  std::optional<std::span<const std::uint8_t>> Find(int) const override { return std::nullopt; }
};

struct Services {
  RecordingTransport driver;
  SerialSettings settings;
  PrinterLink link{driver, driver, settings};
  NoJobs jobs;
  NoFiles files;
  AgingWorker aging{link};
  PanelServices services{settings, link, jobs, files, aging};
};

TEST(PanelCatalog, EveryPanelHasItsOwnCommandAndDialogAndBuildsItsLogic) {
  Services s;
  std::set<int> commands, dialogs;
  for (const PanelEntry& entry : PanelCatalog()) {
    EXPECT_TRUE(commands.insert(entry.command).second) << entry.command;
    EXPECT_TRUE(dialogs.insert(entry.dialogId).second) << entry.dialogId;
    EXPECT_NE(entry.make(s.services), nullptr) << entry.dialogId;
  }
}

TEST(PanelCatalog, EpsonModeRunsDialog114WithoutOwner) {
  const PanelEntry* entry = FindPanelByCommand(40047);
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(entry->dialogId, 114);
  EXPECT_FALSE(entry->ownedByMainWindow);
  EXPECT_EQ(FindPanelByDialog(114), entry);
  EXPECT_EQ(FindPanelByCommand(40002), nullptr);  // 退出 opens no panel
}

TEST(PanelCatalog, PerformanceTestRunsDialog128OwnedByTheMainWindow) {
  const PanelEntry* entry = FindPanelByCommand(40022);
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(entry->dialogId, 128);
  EXPECT_TRUE(entry->ownedByMainWindow);
}

}  // namespace
