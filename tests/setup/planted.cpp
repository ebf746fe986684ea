// A library a user could put into the installed folder under the name of a
// system library the programs load: when loaded it writes "planted.txt"
// beside itself, holding its own path, and then refuses to load, so the
// program goes on with the system's own library.
#include <windows.h>

#include <cstring>
#include <string>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
  if (reason != DLL_PROCESS_ATTACH) return TRUE;
  char path[MAX_PATH] = "";
  GetModuleFileNameA(self, path, MAX_PATH);
  std::string marker(path);
  marker.erase(marker.find_last_of('\\') + 1);
  marker += "planted.txt";
  HANDLE f = CreateFileA(marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f != INVALID_HANDLE_VALUE) {
    DWORD written = 0;
    WriteFile(f, path, DWORD(strlen(path)), &written, nullptr);
    CloseHandle(f);
  }
  return FALSE;
}
