// A broken programming contract inside the painting engine (a caller handed a
// routine something it can never accept). Thrown, never caught by the engine.
#pragma once

#include <stdexcept>
#include <string>

class EacAssertion : public std::logic_error {
 public:
  // The message names the unit that detected the fault: "<message> (<unit>)".
  EacAssertion(const std::string& message, const std::string& unit)
      : std::logic_error(message + " (" + unit + ")") {}
};
