#pragma once

#include <stdexcept>
#include <string>

namespace kestrovane {

// The one error type of settings, macro and language handling: what() is the
// exact text the user sees in the message box of the top-level handler.
class Error : public std::runtime_error {
 public:
  explicit Error(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace kestrovane
