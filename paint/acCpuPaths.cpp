#include "paint/acCpuPaths.h"

#include <atomic>

namespace {

constexpr int kNotForced = -1;
std::atomic<int> g_forced{kNotForced};

bool HasAvx2() {
#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
  // GCC's check includes the system's support for saving the 256-bit registers.
  __builtin_cpu_init();
  return __builtin_cpu_supports("avx2");
#else
  return false;
#endif
}

TacCpuPath BestCpuPath() {
  static const TacCpuPath best = HasAvx2() ? TacCpuPath::Avx2
#if defined(__SSE2__)
                                           : TacCpuPath::Sse2;
#else
                                           : TacCpuPath::Scalar;
#endif
  return best;
}

}  // namespace

bool CpuPathAvailable(TacCpuPath path) {
  switch (path) {
    case TacCpuPath::Scalar:
      return true;
    case TacCpuPath::Sse2:
#if defined(__SSE2__)
      return true;
#else
      return false;
#endif
    case TacCpuPath::Avx2:
      return BestCpuPath() == TacCpuPath::Avx2;
  }
  return false;
}

TacCpuPath ActiveCpuPath() {
  const int forced = g_forced.load(std::memory_order_relaxed);
  return forced == kNotForced ? BestCpuPath() : static_cast<TacCpuPath>(forced);
}

void ForceCpuPath(TacCpuPath path) {
  if (CpuPathAvailable(path)) g_forced.store(static_cast<int>(path), std::memory_order_relaxed);
}

void ClearForcedCpuPath() { g_forced.store(kNotForced, std::memory_order_relaxed); }

const char* CpuPathName(TacCpuPath path) {
  switch (path) {
    case TacCpuPath::Scalar:
      return "scalar";
    case TacCpuPath::Sse2:
      return "SSE2";
    case TacCpuPath::Avx2:
      return "AVX2";
  }
  return "?";
}
