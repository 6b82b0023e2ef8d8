#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "pages.h"
#include "printer.h"

namespace samplejobs {

enum class PageKind { DriverTest, FullBlack, Receipts };

// One stored print job: its id, exact size, printer and page.
struct StoredJob {
  int id = 0;
  std::size_t size = 0;
  PrinterSetup printer;
  PageKind kind = PageKind::DriverTest;
  PageOptions page;
};

const std::vector<StoredJob>& Jobs();

// The job's bytes: set-up, the page grown as far as the size allows, blank filler, closing
// commands. Throws when the page does not fit.
std::vector<std::uint8_t> BuildJob(const StoredJob& job);

}  // namespace samplejobs
