#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "panels/panel_harness.h"

// One button of a settings tool and the writes it must make, in hex.
struct ToolPress {
  int id;
  const char* caption;
  std::vector<std::string> writes;
};

// Each button on a freshly opened tool: exactly its writes, then one reset.
template <typename Tool>
void ExpectPresses(std::initializer_list<ToolPress> presses) {
  for (const ToolPress& press : presses) {
    PanelHarness<Tool> h;
    h.logic.OnInit(h.panel);
    std::vector<Bytes> expected;
    for (const std::string& w : press.writes) expected.push_back(Hex(w));
    EXPECT_EQ(h.Press(press.id), expected) << press.caption;
    EXPECT_EQ(h.resetCount, 1) << press.caption;
  }
}

// Controls that are not buttons of the tool (and Esc, id 2): no write, no reset.
template <typename Tool>
void ExpectSilent(std::initializer_list<int> ids) {
  for (int id : ids) {
    PanelHarness<Tool> h;
    h.logic.OnInit(h.panel);
    EXPECT_TRUE(h.Press(id).empty()) << id;
    EXPECT_EQ(h.resetCount, 0) << id;
    EXPECT_FALSE(h.panel.ended) << id;
  }
}
