// The cell text helpers that need the system's code pages.
#include <windows.h>

#include "ExtGridUtil.h"

// Through the wide characters, so that a double-byte OEM code page converts too.
std::string OemToAnsiText(std::string_view s) {
  if (s.empty()) return {};
  const int n = MultiByteToWideChar(CP_OEMCP, 0, s.data(), int(s.size()), nullptr, 0);
  if (n <= 0) return std::string(s);
  std::wstring wide(size_t(n), L'\0');
  MultiByteToWideChar(CP_OEMCP, 0, s.data(), int(s.size()), wide.data(), n);
  const int m = WideCharToMultiByte(CP_ACP, 0, wide.data(), n, nullptr, 0, nullptr, nullptr);
  if (m <= 0) return std::string(s);
  std::string out(size_t(m), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.data(), n, out.data(), m, nullptr, nullptr);
  return out;
}
