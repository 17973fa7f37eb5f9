#include "framework/vclGuard.h"

#include <stdexcept>

#include "framework/vclApplication.h"

namespace {
// What the box says for an error that carries no message of its own.
const char kUnknownError[] = "发生未知错误。";
}  // namespace

void ReportGuardedError(const std::exception* error) noexcept {
  try {
    if (error) {
      Application->HandleException(*error);
    } else {
      const std::runtime_error unknown(kUnknownError);
      Application->HandleException(unknown);
    }
  } catch (...) {
    // The report itself failed (an OnException that throws, no memory): nothing is left to tell.
  }
}
