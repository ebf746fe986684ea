// A stand-in game for the tests: appends its command line and working folder,
// separated by a tab, as one line to "started.txt" beside its executable.
#include <windows.h>

#include <cstdio>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  char exe[MAX_PATH] = "", cwd[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, exe, MAX_PATH);
  GetCurrentDirectoryA(MAX_PATH, cwd);
  std::string log(exe);
  log = log.substr(0, log.find_last_of('\\') + 1) + "started.txt";
  if (FILE* f = std::fopen(log.c_str(), "ab")) {
    std::fprintf(f, "%s\t%s\r\n", GetCommandLineA(), cwd);
    std::fclose(f);
  }
  return 0;
}
