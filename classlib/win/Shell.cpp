#include "Shell.h"

#include <windows.h>
#include <shellapi.h>

#include <cstdio>

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
