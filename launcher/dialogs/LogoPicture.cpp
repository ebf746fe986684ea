// Logo pictures from files.
#include "LogoPicture.h"

#include "FileUtils.h"
#include "Handles.h"
#include "I2BConve.h"
#include "SysUtils.h"
#include "WinGraphics.h"

#include <shellapi.h>

bool LoadLogoPicture(const std::string& path, TBitmap& bitmap, bool& transparent) {
  transparent = false;
  if (!FileExists(path)) return false;
  const std::string ext = LowerCase(ExtractFileExt(path));
  try {
    if (ext == ".bmp") {
      bitmap.LoadFromFile(path);
      return true;
    }
    if (ext != ".ico" && ext != ".exe") return false;
    HICON handle = ext == ".ico" ? HICON(LoadImageA(nullptr, path.c_str(), IMAGE_ICON, 0, 0, LR_LOADFROMFILE))
                                 : ExtractIconA(GetModuleHandleA(nullptr), path.c_str(), 0);
    // ExtractIcon gives 1 for a file that is no program.
    TIconHandle owned(reinterpret_cast<UINT_PTR>(handle) > 1 ? handle : nullptr);
    if (!owned) return false;
    IconToBitmap(owned.Get(), kLogoIconMarker, bitmap);
    transparent = true;
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

void LoadUnknownLogoPicture(const std::string& appDir, TBitmap& bitmap) {
  const std::string file = appDir + "Logos\\unknown.bmp";
  if (FileExists(file)) {
    try {
      bitmap.LoadFromFile(file);
      return;
    } catch (const std::exception&) {
      // The built-in picture below.
    }
  }
  if (!LoadBitmapResource(bitmap, "UNKNOWN")) bitmap.SetSize(0, 0);
}

std::string LogoPath(const std::string& appDir, const std::string& logo) {
  return ExtractFilePath(logo).empty() ? appDir + "Logos\\" + logo : logo;
}
