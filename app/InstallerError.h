// Errors the installer raises to its callers. Handlers report them through the
// application's error box with what() as the text (8-bit GBK).
#pragma once

#include <stdexcept>
#include <string>

class EInstallerError : public std::runtime_error {
 public:
  explicit EInstallerError(const std::string& message) : std::runtime_error(message) {}
};

// A text that should hold a decimal integer does not.
class EConvertError : public EInstallerError {
 public:
  explicit EConvertError(const std::string& message) : EInstallerError(message) {}
};
