// Opening through the shell, and the addresses that may be opened from text.
#include "Shell.h"

#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>

#include "SysUtils.h"
#include "TestSeams.h"

bool ShellOpen(const std::string& target, const std::string& parameters,
               const std::string& folder, const std::string& verb) {
  if (const char* log = ShellLogFile()) {
    std::FILE* f = std::fopen(log, "ab");
    if (!f) return false;
    std::fprintf(f, "%s\t%s\t%s\n", verb.c_str(), target.c_str(), parameters.c_str());
    return std::fclose(f) == 0;
  }
  HINSTANCE result = ShellExecuteA(nullptr, verb.c_str(), target.c_str(),
                                   parameters.empty() ? nullptr : parameters.c_str(),
                                   folder.empty() ? nullptr : folder.c_str(), SW_SHOWNORMAL);
  return reinterpret_cast<INT_PTR>(result) > 32;
}

bool IsWebOrMailAddress(const std::string& address) {
  for (char c : address)
    if (static_cast<unsigned char>(c) <= ' ' || c == '\x7F' || c == '"') return false;
  const std::string lower = LowerCase(address);
  for (const char* scheme : {"http://", "https://", "mailto:"}) {
    const std::string s = scheme;
    if (lower.size() > s.size() && lower.compare(0, s.size(), s) == 0) return true;
  }
  return false;
}

std::string WebAddressToOpen(const std::string& text) {
  std::string address = Trim(text);
  const auto end = std::find_if(address.begin(), address.end(),
                                [](char c) { return static_cast<unsigned char>(c) <= ' ' || c == '\x7F'; });
  address.erase(end, address.end());
  if (address.size() > 4 && LowerCase(address).compare(0, 4, "www.") == 0) address = "http://" + address;
  return IsWebOrMailAddress(address) ? address : std::string();
}

bool ShellOpenAddress(const std::string& address) {
  return IsWebOrMailAddress(address) && ShellOpen(address);
}
