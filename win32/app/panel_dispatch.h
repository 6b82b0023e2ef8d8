#pragma once

#include <windows.h>

// Runs the panel that a menu command opens. Returns false for commands
// that open no panel (yet).
bool RunPanelForCommand(HINSTANCE instance, HWND mainWindow, int commandId);
