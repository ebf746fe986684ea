// The pictures that mini-HTML tags name: system icons of a file or of the
// system image list, bitmap resources of the program and bitmap files. A
// source that gives no picture gives null: the tag then draws nothing.
#include "ExtGridHTMLLines.h"

#include <commctrl.h>
#include <shellapi.h>

#include "FileUtils.h"
#include "SysUtils.h"
#include "WinGraphics.h"

namespace {
// Cell texts may come from files of others (a mod's own name): a picture on
// another machine ("\\server\share\...") is never fetched for a paint.
bool IsNetworkPath(std::string_view path) {
  return path.size() >= 2 && (path[0] == '\\' || path[0] == '/') && (path[1] == '\\' || path[1] == '/');
}

// "SSYS:" / "LSYS:" and a path or a number of the system image list.
std::shared_ptr<THTMLPicture> SystemIcon(const std::string& what, bool small) {
  const UINT size = small ? SHGFI_SMALLICON : SHGFI_LARGEICON;
  SHFILEINFOA info{};
  HICON icon = nullptr;
  int index = 0;
  if (TryStrToInt(what, index)) {
    auto list = HIMAGELIST(SHGetFileInfoA("", 0, &info, sizeof info, SHGFI_SYSICONINDEX | size));
    if (list && index >= 0 && index < ImageList_GetImageCount(list)) icon = ImageList_GetIcon(list, index, ILD_NORMAL);
  } else if (!what.empty() && !IsNetworkPath(what) && SHGetFileInfoA(what.c_str(), 0, &info, sizeof info, SHGFI_ICON | size)) {
    icon = info.hIcon;
  }
  if (!icon) return nullptr;
  auto p = std::make_shared<THTMLPicture>();
  p->Icon.Reset(icon);
  p->Width = GetSystemMetrics(small ? SM_CXSMICON : SM_CXICON);
  p->Height = GetSystemMetrics(small ? SM_CYSMICON : SM_CYICON);
  return p;
}

std::shared_ptr<THTMLPicture> BitmapFile(const std::string& path) {
  if (path.empty() || IsNetworkPath(path) || !FileExists(path)) return nullptr;
  auto p = std::make_shared<THTMLPicture>();
  try {
    p->Bitmap.LoadFromFile(path);
  } catch (const Exception&) {
    return nullptr;  // not a bitmap we can read: nothing is drawn
  }
  if (p->Bitmap.Empty()) return nullptr;
  p->Width = p->Bitmap.Width(), p->Height = p->Bitmap.Height();
  return p;
}
}  // namespace

std::shared_ptr<THTMLPicture> LoadHTMLPicture(std::string_view source, int width, int height) {
  const std::string src(source);
  if (StartsText("SSYS:", src) || StartsText("LSYS:", src)) return SystemIcon(src.substr(5), StartsText("S", src));
  if (StartsText("RES://", src)) {
    auto p = std::make_shared<THTMLPicture>();
    if (!LoadBitmapResource(p->Bitmap, src.substr(6).c_str()) || p->Bitmap.Empty()) return nullptr;
    p->Width = p->Bitmap.Width(), p->Height = p->Bitmap.Height();
    return p;
  }
  if (!StartsText("FILE://", src)) return nullptr;
  auto p = BitmapFile(src.substr(7));
  if (p && width > 0 && height > 0) p->Width = width, p->Height = height;
  return p;
}

std::shared_ptr<THTMLPicture> LoadHTMLBackground(std::string_view value) {
  if (!StartsText("FILE://", value)) return nullptr;
  return BitmapFile(std::string(value.substr(7)));
}

void DrawHTMLPicture(HDC dc, const THTMLPicture& picture, const RECT& dest) {
  if (picture.Icon.Get()) {
    DrawIconEx(dc, dest.left, dest.top, picture.Icon.Get(), dest.right - dest.left, dest.bottom - dest.top, 0, nullptr,
               DI_NORMAL);
    return;
  }
  DrawBitmap(dc, picture.Bitmap, dest, false);
}
