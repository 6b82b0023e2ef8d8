#pragma once

#include <string>
#include <string_view>

// Texts pass between core and windows as code page 936 bytes; the windows
// use UTF-16. Converting explicitly keeps Chinese right whatever the
// system's ANSI code page is.
std::wstring WideFromGbk(std::string_view text);
std::string GbkFromWide(std::wstring_view text);
