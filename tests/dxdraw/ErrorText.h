// The message of the exception a call raises, or "" when it raises none.
#pragma once
#include <functional>
#include <string>

#include "SysUtils.h"

inline std::string ErrorText(const std::function<void()>& f) {
  try {
    f();
  } catch (const Exception& e) {
    return e.Message();
  }
  return "";
}
