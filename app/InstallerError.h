// Errors the installer raises to its callers. Handlers report them through the
// application's error box with what() as the text (8-bit GBK). A level text that
// is no number raises the program-wide EConvertError of skin/acStrToInt.h.
#pragma once

#include <stdexcept>
#include <string>

class EInstallerError : public std::runtime_error {
 public:
  explicit EInstallerError(const std::string& message) : std::runtime_error(message) {}
};
