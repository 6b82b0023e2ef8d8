#pragma once

#include <string>
#include <vector>

// The self-describing test pages of the STAR 18-pin panel: each prints a
// Chinese caption around every command it shows. One run per page.

std::string FeedPage();        // line spacings and feeds, 427 bytes
std::string FontPage();        // fonts and character modes, 266 bytes
std::string PageLayoutPage();  // tabs, alignment, margins, page length, 440 bytes
std::vector<std::string> DrawerPages();  // drawer 1, drawer 2: two runs of 19 and 15 bytes
std::string CutPage();         // cuts after printing, 114 bytes
std::string BitImagePage();    // eight 25-column bit images, 614 bytes
std::string BlackMarkPage();   // print start and cut at the black mark, 58 bytes
