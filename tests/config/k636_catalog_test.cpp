#include <gtest/gtest.h>

#include "app/panel_catalog.h"

namespace {

TEST(K636Catalog, MenuCommandsOpenTheirDialogsOwnedByTheMainWindow) {
  const struct {
    int command, dialog;
  } rows[] = {{40065, 234}, {40068, 219}, {40070, 220}, {40066, 218}};
  for (const auto& r : rows) {
    const PanelEntry* entry = FindPanelByCommand(r.command);
    ASSERT_NE(entry, nullptr) << r.command;
    EXPECT_EQ(entry->dialogId, r.dialog) << r.command;
    EXPECT_TRUE(entry->ownedByMainWindow) << r.command;
  }
}

}  // namespace
