// Decodes and renders a stream and prints the time it took (processor time,
// so a busy machine does not count) and the speed. Fails above the limit.
//   preview_benchmark JOB.bin [LIMIT_SECONDS (1)]
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iterator>
#include <vector>

#include "preview/png.h"
#include "preview/renderer.h"

int main(int argc, char** argv) {
  if (argc != 2 && argc != 3) return 2;
  const double limit = argc == 3 ? std::atof(argv[2]) : 1.0;
  std::ifstream file(argv[1], std::ios::binary);
  const std::vector<std::uint8_t> job(std::istreambuf_iterator<char>(file), {});
  if (job.empty()) {
    std::fprintf(stderr, "cannot read %s\n", argv[1]);
    return 1;
  }
  const std::clock_t start = std::clock();
  const preview::Decoding decoding = preview::Decode(job, preview::CommandSet::EscPos);
  const preview::Rendering rendering =
      preview::Render(job, decoding, preview::CommandSet::EscPos, preview::DefaultPaper(preview::CommandSet::EscPos));
  const std::clock_t rendered = std::clock();
  const std::vector<std::uint8_t> png = preview::EncodePng(rendering.page);
  const std::clock_t encoded = std::clock();
  const double render = static_cast<double>(rendered - start) / CLOCKS_PER_SEC;
  const double total = static_cast<double>(encoded - start) / CLOCKS_PER_SEC;
  std::printf("%zu bytes, %zu commands: decoded and rendered in %.3f s (%.1f MB/s), with PNG %.3f s; page %d x %d\n",
              job.size(), decoding.items.size(), render, job.size() / render / 1e6, total, rendering.page.width,
              rendering.page.height);
  return render < limit && decoding.Clean() && !png.empty() ? 0 : 1;
}
