#include "panels/star18_panel.h"

#include "panels/star18_pages.h"
#include "panels/star18_panel_ids.h"
#include "perf/charset_tables.h"

namespace {

Transmission Page(std::string page) { return Transmission{{std::move(page)}}; }

}  // namespace

std::optional<Transmission> Star18Panel::RunsFor(Panel&, int controlId) {
  switch (controlId) {
    case IDC_STAR18_FEED_PAGE: return Page(FeedPage());
    case IDC_STAR18_FONT_PAGE: return Page(FontPage());
    case IDC_STAR18_LAYOUT_PAGE: return Page(PageLayoutPage());
    case IDC_STAR18_DRAWER_PAGE: return Transmission{DrawerPages()};
    case IDC_STAR18_CUT_PAGE: return Page(CutPage());
    case IDC_STAR18_IMAGE_PAGE: return Page(BitImagePage());
    case IDC_STAR18_BLACK_MARK_PAGE: return Page(BlackMarkPage());
    case IDC_STAR18_GB2312_PAGE: return Page(std::string(Gb2312Table()));
    case IDC_STAR18_GB18030_PAGE: return Page(std::string(Gb18030Table()));
    default: return std::nullopt;
  }
}
