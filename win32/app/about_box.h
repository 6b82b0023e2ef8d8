#pragma once

#include <windows.h>

// Runs the About box (template IDD_ABOUT) as a modal dialog owned by `owner`.
void ShowAboutBox(HINSTANCE instance, HWND owner);
