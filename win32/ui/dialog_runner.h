#pragma once

#include <windows.h>

#include "ui/panel.h"

// Runs a dialog template as a modal dialog driven by the given logic. The
// dialog ignores Esc and close requests: only the logic ends it.
INT_PTR RunPanelDialog(HINSTANCE instance, int templateId, HWND owner, PanelLogic& logic);
