// Which instruction set the pixel loops run with. Every vector path computes the
// same bytes as the scalar one; the choice is only about speed. The best path the
// processor offers is taken at the first call; tests force each path in turn.
#pragma once

enum class TacCpuPath {
  Scalar,  // plain C++, the reference arithmetic
  Sse2,    // 128-bit vectors: the baseline of both x86 builds
  Avx2,    // 256-bit vectors, where the processor (and the system) supports them
};

// True when this build has the path and the processor can run it.
bool CpuPathAvailable(TacCpuPath path);

// The path the pixel loops use now: the forced one when a test set it, else the best available.
TacCpuPath ActiveCpuPath();

// Tests only: run every loop with `path` (which must be available) until ClearForcedCpuPath.
void ForceCpuPath(TacCpuPath path);
void ClearForcedCpuPath();

const char* CpuPathName(TacCpuPath path);
