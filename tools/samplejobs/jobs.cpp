#include "jobs.h"

#include <stdexcept>
#include <string>

namespace samplejobs {

namespace {

PrinterSetup EscPos(Opening opening, Head head, Graphics graphics, int width, const char* model,
                   bool wholeRaster = false) {
  return {CommandSet::EscPos, opening, head, graphics, width, wholeRaster, model, "ESC/POS"};
}

PrinterSetup Star(Graphics graphics, const char* model) {
  return {CommandSet::Star, Opening::Init, Head::Impact, graphics, 400, false, model, "STAR"};
}

PrinterSetup EscP(Opening opening, Graphics graphics, int width, const char* model) {
  const char* emulation = opening == Opening::Oki ? "OKI" : "ESC/P";
  return {CommandSet::EscP, opening, Head::Impact, graphics, width, false, model, emulation};
}

PageOptions Black(double share) {
  PageOptions page;
  page.blackShare = share;
  return page;
}

PageOptions Customer(int shop, int receipts, int linePitch, bool logo = false) {
  PageOptions page;
  page.shop = shop;
  page.receipts = receipts;
  page.linePitch = linePitch;
  page.logo = logo;
  page.startValue = static_cast<unsigned>(100 + shop * 37);
  return page;
}

constexpr Opening kInit = Opening::Init;
constexpr Head kT180 = Head::Thermal180;
constexpr Head kT203 = Head::Thermal203;
constexpr Head kImpact = Head::Impact;
constexpr PageKind kDriver = PageKind::DriverTest;
constexpr PageKind kBlack = PageKind::FullBlack;
constexpr PageKind kReceipts = PageKind::Receipts;

// Stretch range of each page kind: pattern height and black height in dots, receipt items.
struct Range {
  int low, high;
};

Range StretchRange(const StoredJob& job) {
  switch (job.kind) {
    case PageKind::DriverTest: return {0, 3000};
    case PageKind::FullBlack: return {0, 6000};
    case PageKind::Receipts: return {job.page.receipts, job.page.receipts * 200};
  }
  return {0, 0};
}

ByteStream Content(const StoredJob& job, const Printer& printer, int stretch) {
  ByteStream out;
  printer.Begin(out);
  switch (job.kind) {
    case PageKind::DriverTest: DriverTestPage(out, printer, job.printer, stretch); break;
    case PageKind::FullBlack: FullBlackPage(out, printer, job.printer, job.page, stretch); break;
    case PageKind::Receipts: CustomerReceipts(out, printer, job.page, stretch); break;
  }
  return out;
}

}  // namespace

// Id, size in bytes, printer (command set, opening, head, graphics mode, print width in
// dots at the finest density across), page kind and page options.
const std::vector<StoredJob>& Jobs() {
  using G = Graphics;
  static const std::vector<StoredJob> jobs = {
      {158, 30251, EscPos(kInit, kT180, G::Raster, 360, "Thermal receipt printer"), kDriver, {}},
      {162, 18698, Star(G::Pins9, "515K series, STAR mode"), kDriver, {}},
      {164, 55272, Star(G::Pins18Double, "585K series, STAR mode"), kDriver, {}},
      {166, 42840, EscP(Opening::PacketExit, G::Dots24Double, 540, "636K series"), kDriver, {}},
      {168, 39932, EscP(Opening::Oki, G::Dots24Double, 540, "636K series, OKI mode"), kDriver, {}},
      {170, 6405, EscP(Opening::PacketExit, G::Dots8, 384, "636K series"), kReceipts, Customer(6, 1, 9)},
      {171, 3027, EscP(kInit, G::Dots8, 336, "636K series"), kReceipts, Customer(7, 1, 8)},
      {174, 32760, EscPos(kInit, kImpact, G::Dots8, 400, "76 mm impact"), kReceipts, Customer(5, 5, 9)},
      {175, 12699, EscPos(kInit, kImpact, G::Dots8, 400, "515K / 585K series, EPSON mode"), kDriver, {}},
      {176, 131106, EscPos(kInit, kT180, G::Raster, 360, "58 mm thermal", true), kReceipts, Customer(0, 4, 10)},
      {177, 7089, EscPos(kInit, kT180, G::Dots8, 360, "58 mm thermal"), kReceipts, Customer(1, 1, 9)},
      {178, 83131, EscPos(Opening::NoInit, kT180, G::Dots24Double, 512, "80 mm thermal"), kReceipts,
       Customer(3, 2, 10)},
      {193, 15903, EscPos(kInit, kT203, G::RasterDouble, 384, "58 mm thermal"), kReceipts, Customer(2, 1, 10, true)},
      {232, 27504, EscPos(kInit, kT203, G::Dots24, 576, "Thermal receipt printer"), kBlack, Black(0.77)},
      {233, 23416, EscPos(Opening::NulInit, kImpact, G::Dots8Double, 400, "515K / 585K series, EPSON mode"), kBlack,
       Black(0.62)},
      {234, 14914, Star(G::Dots8, "515K series, STAR mode"), kBlack, Black(0.75)},
      {235, 15208, Star(G::Pins16, "585K series, STAR mode"), kBlack, Black(0.77)},
      {236, 22865, EscP(Opening::PacketExit, G::Dots8, 780, "636K series"), kBlack, Black(0.75)},
      {237, 22560, EscP(Opening::Oki, G::Dots8, 780, "636K series, OKI mode"), kBlack, Black(0.75)},
      {238, 783486, EscPos(Opening::NoInit, kT203, G::Raster, 576, "80 mm thermal", true), kReceipts,
       Customer(4, 25, 10)},
  };
  return jobs;
}

std::vector<std::uint8_t> BuildJob(const StoredJob& job) {
  const auto printer = MakePrinter(job.printer);
  ByteStream closing;
  printer->End(closing);
  if (closing.Size() >= job.size) throw std::runtime_error("job " + std::to_string(job.id) + " too small");
  const std::size_t limit = job.size - closing.Size();

  // Largest stretch whose content still fits.
  Range range = StretchRange(job);
  const std::size_t smallest = Content(job, *printer, range.low).Size();
  if (smallest > limit)
    throw std::runtime_error("job " + std::to_string(job.id) + ": page needs " + std::to_string(smallest) +
                             " bytes, room for " + std::to_string(limit));
  while (range.low < range.high) {
    const int middle = range.high - (range.high - range.low) / 2;
    if (Content(job, *printer, middle).Size() <= limit)
      range.low = middle;
    else
      range.high = middle - 1;
  }
  ByteStream out = Content(job, *printer, range.low);
  printer->Pad(out, limit - out.Size());
  out.Append(closing);
  if (out.Size() != job.size) throw std::logic_error("job " + std::to_string(job.id) + ": size mismatch");
  return out.Bytes();
}

}  // namespace samplejobs
