// A stand-in game for the tests: appends its command line and working folder,
// separated by a tab, as one line to "started.txt" beside its executable, and
// the arguments as the C runtime splits them, tab-separated, as one line to
// "arguments.txt".
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  char exe[MAX_PATH] = "", cwd[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, exe, MAX_PATH);
  GetCurrentDirectoryA(MAX_PATH, cwd);
  std::string folder(exe);
  folder = folder.substr(0, folder.find_last_of('\\') + 1);
  if (FILE* f = std::fopen((folder + "started.txt").c_str(), "ab")) {
    std::fprintf(f, "%s\t%s\r\n", GetCommandLineA(), cwd);
    std::fclose(f);
  }
  if (FILE* f = std::fopen((folder + "arguments.txt").c_str(), "ab")) {
    for (int i = 1; i < __argc; ++i) std::fprintf(f, "%s%s", i > 1 ? "\t" : "", __argv[i]);
    std::fprintf(f, "\r\n");
    std::fclose(f);
  }
  return 0;
}
