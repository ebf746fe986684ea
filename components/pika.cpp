// GetSpecialFolderPath: the shell's item of a special folder, then its path.
#include "pika.h"

#include <shlobj.h>

namespace {
// The shell's folder identifiers (CSIDL values) by index; 0x0C to 0x0F and
// 0x1C have no index.
constexpr int SpecialFolders[30] = {
    0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09,  // desktop .. send to
    0x0A, 0x0B, 0x10, 0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17,  // recycle bin .. common programs
    0x18, 0x19, 0x1A, 0x1B, 0x1D, 0x1E, 0x1F, 0x20, 0x21, 0x22,  // common startup .. history
};
}  // namespace

std::string GetSpecialFolderPath(HWND owner, int index) {
  if (index < 0 || index >= int(std::size(SpecialFolders))) return "";
  LPITEMIDLIST item = nullptr;
  if (FAILED(SHGetSpecialFolderLocation(owner, SpecialFolders[index], &item)) || !item) return "";
  char path[MAX_PATH] = "";
  BOOL ok = SHGetPathFromIDListA(item, path);
  CoTaskMemFree(item);
  return ok ? std::string(path) : std::string();
}
