#pragma once

#include <functional>
#include <string>

#include "base/Error.h"

namespace kestrovane {

// The text of the Error an action throws, or "no error": a test compares
// what the user would read.
inline std::string errorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const Error& error) {
    return error.what();
  }
  return "no error";
}

}  // namespace kestrovane
