// Runs a block of a test with one instruction-set path forced, and lists the paths
// this machine can run, so every vector path is compared with the scalar one.
#pragma once

#include <vector>

#include "paint/acCpuPaths.h"

class CpuPathScope {
 public:
  explicit CpuPathScope(TacCpuPath path) { ForceCpuPath(path); }
  ~CpuPathScope() { ClearForcedCpuPath(); }
  CpuPathScope(const CpuPathScope&) = delete;
  CpuPathScope& operator=(const CpuPathScope&) = delete;
};

inline std::vector<TacCpuPath> AvailableCpuPaths() {
  std::vector<TacCpuPath> paths;
  for (TacCpuPath p : {TacCpuPath::Scalar, TacCpuPath::Sse2, TacCpuPath::Avx2})
    if (CpuPathAvailable(p)) paths.push_back(p);
  return paths;
}

// The vector paths only: what must match the scalar path byte for byte.
inline std::vector<TacCpuPath> VectorCpuPaths() {
  std::vector<TacCpuPath> paths = AvailableCpuPaths();
  paths.erase(paths.begin());
  return paths;
}
