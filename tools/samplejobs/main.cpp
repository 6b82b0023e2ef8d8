// make_sample_jobs <outdir>: writes the stored print jobs as <outdir>/<id>.bin.
#include <cstdio>
#include <exception>
#include <fstream>
#include <string>

#include "jobs.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_sample_jobs <outdir>\n");
    return 2;
  }
  try {
    for (const samplejobs::StoredJob& job : samplejobs::Jobs()) {
      const std::vector<std::uint8_t> bytes = samplejobs::BuildJob(job);
      const std::string path = std::string(argv[1]) + "/" + std::to_string(job.id) + ".bin";
      std::ofstream file(path, std::ios::binary | std::ios::trunc);
      file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
      if (!file) {
        std::fprintf(stderr, "make_sample_jobs: cannot write %s\n", path.c_str());
        return 1;
      }
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "make_sample_jobs: %s\n", e.what());
    return 1;
  }
  return 0;
}
