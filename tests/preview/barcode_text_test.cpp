#include <gtest/gtest.h>

#include "preview/symbol_commands.h"

namespace {

// The text printed with the bars: UPC-A, EAN-13 and EAN-8 given without
// their check digit show it; with it, or with other data, as given.
TEST(BarcodeText, ShowsTheCheckDigitThePrinterAdds) {
  struct Row {
    int m;
    const char* data;
    const char* text;
  };
  const Row rows[] = {
      {65, "01234567890", "012345678905"},    // UPC-A
      {0, "03600029145", "036000291452"},     // UPC-A, function A
      {67, "590123412345", "5901234123457"},  // EAN-13
      {68, "9638507", "96385074"},            // EAN-8
      {67, "5901234123457", "5901234123457"}, // check digit given
      {67, "59012341234X", "59012341234X"},   // not digits: as given
      {73, "{BRC1024", "RC1024"},             // CODE128
  };
  for (const Row& row : rows) {
    const auto request = preview::BarcodeRequest(row.m, row.data);
    ASSERT_TRUE(request.has_value()) << row.data;
    EXPECT_EQ(request->text.empty() ? request->data : request->text, row.text) << row.m << " " << row.data;
  }
}

}  // namespace
