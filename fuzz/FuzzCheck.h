#pragma once

// A broken invariant is a crash to libFuzzer, with the reason on stderr.

#include <cstdio>
#include <cstdlib>

namespace velmora::fuzz {

inline void Require(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
  }
}

}  // namespace velmora::fuzz
