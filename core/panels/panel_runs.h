#pragma once

#include <initializer_list>
#include <string_view>

#include "panels/command_panel.h"

// Building blocks of the command-set test panels' buttons. Field ids are
// the panel's own; prefixes are the runs a panel writes first.

// Fixed runs, one write each.
Transmission Runs(std::initializer_list<std::string_view> runs);

// The runs repeated as often as the copy count field says.
Transmission CopyLoop(Panel& panel, int copyField, Transmission t);

// An optional prefix run, then `command` and the amount typed in hexadecimal
// as one run (ESC J n, ESC j n, ESC 3 n ...). An empty prefix writes no run.
Transmission Feed(Panel& panel, int amountField, std::string_view prefix, std::string_view command);

// A prefix run, then the user text as one run when there is any.
Transmission UserText(Panel& panel, int textField, std::string_view prefix);

// GS * 30 10: a 240 x 80 dot grid, one run per column.
Transmission DefineGridImage();

// GS / 0: prints the downloaded image at normal size, then a carriage return.
Transmission PrintGridImage();
