// Test helper: the icon of a program as the Explorer and shortcuts take it.
//   iconcheck exe PATH   the program's first icon group is MAINICON and holds
//                        an image of exactly 16, 32 and 48 pixels
// Prints a line per size; exits 0 when all hold.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {
BOOL CALLBACK FirstName(HMODULE, LPCSTR, LPSTR name, LONG_PTR out) {
  *reinterpret_cast<std::string*>(out) = IS_INTRESOURCE(name) ? "#" + std::to_string(ULONG_PTR(name)) : name;
  return FALSE;  // the first group is the one the Explorer shows
}

int IconWidth(HICON icon) {
  ICONINFO info{};
  if (!icon || !GetIconInfo(icon, &info)) return 0;
  BITMAP bm{};
  GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bm, &bm);
  if (info.hbmColor) DeleteObject(info.hbmColor);
  if (info.hbmMask) DeleteObject(info.hbmMask);
  return bm.bmWidth;
}

int CheckExe(const char* path) {
  HMODULE module = LoadLibraryExA(path, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  if (!module) {
    std::printf("cannot load %s\n", path);
    return 1;
  }
  std::string first;
  EnumResourceNamesA(module, MAKEINTRESOURCEA(14) /* RT_GROUP_ICON */, FirstName, LONG_PTR(&first));
  std::printf("first icon group: %s\n", first.empty() ? "(none)" : first.c_str());
  int failures = first == "MAINICON" ? 0 : 1;
  HRSRC group = first.empty() ? nullptr : FindResourceA(module, "MAINICON", MAKEINTRESOURCEA(14));
  for (int size : {16, 32, 48}) {
    int width = 0;
    if (group) {
      auto* dir = static_cast<BYTE*>(LockResource(LoadResource(module, group)));
      const int id = dir ? LookupIconIdFromDirectoryEx(dir, TRUE, size, size, LR_DEFAULTCOLOR) : 0;
      HRSRC image = id ? FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(3) /* RT_ICON */) : nullptr;
      if (image) {
        auto* bits = static_cast<BYTE*>(LockResource(LoadResource(module, image)));
        HICON icon = CreateIconFromResourceEx(bits, SizeofResource(module, image), TRUE, 0x00030000, size, size,
                                              LR_DEFAULTCOLOR);
        width = IconWidth(icon);
        if (icon) DestroyIcon(icon);
      }
    }
    std::printf("%d px: %s (%d)\n", size, width == size ? "ok" : "missing", width);
    if (width != size) ++failures;
  }
  FreeLibrary(module);
  return failures ? 1 : 0;
}
}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "exe") return CheckExe(argv[2]);
  std::fprintf(stderr, "usage: iconcheck exe PATH\n");
  return 2;
}
