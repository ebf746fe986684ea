// CapitalizeFirst.
#include "isokirjain.h"

#include <windows.h>

std::string CapitalizeFirst(const std::string& text) {
  std::string s = text;
  if (!s.empty()) CharUpperBuffA(s.data(), 1);
  return s;
}
