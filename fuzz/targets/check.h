#pragma once

#include <cstdio>
#include <cstdlib>

// A failed check is a finding: libFuzzer keeps the input that caused it.
#define FUZZ_CHECK(condition, ...)                                     \
  do {                                                                 \
    if (!(condition)) {                                                \
      std::fprintf(stderr, "check failed: %s\n", #condition);          \
      std::fprintf(stderr, __VA_ARGS__);                               \
      std::fputc('\n', stderr);                                        \
      std::abort();                                                    \
    }                                                                  \
  } while (0)
