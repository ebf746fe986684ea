// Folder listing through FindFirstFile.
#include "FileCtrl.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "SysUtils.h"

void TFileListBox::Update() {
  std::vector<std::string> names, folders;
  std::string folder = Directory.empty() ? std::string() : IncludeTrailingBackslash(Directory);
  size_t start = 0;
  while (start <= Mask.size()) {
    size_t end = Mask.find(';', start);
    if (end == std::string::npos) end = Mask.size();
    std::string pattern = Trim(Mask.substr(start, end - start));
    start = end + 1;
    if (pattern.empty()) continue;
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((folder + pattern).c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) continue;
    do {
      std::string name = fd.cFileName;
      if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        if ((FileType & ftDirectory) && std::find(folders.begin(), folders.end(), name) == folders.end())
          folders.push_back(name);
        continue;
      }
      if (!(FileType & ftNormal)) continue;
      // "*.tif" also finds "x.tiff" through the short name: keep exact matches only.
      std::string ext = LowerCase(ExtractFileExt(name));
      std::string want = LowerCase(ExtractFileExt(pattern));
      if (want != ".*" && !want.empty() && ext != want) continue;
      if (std::none_of(names.begin(), names.end(), [&](const std::string& n) { return SameText(n, name); }))
        names.push_back(name);
    } while (FindNextFileA(h, &fd));
    FindClose(h);
  }
  auto byName = [](const std::string& a, const std::string& b) { return CompareText(a, b) < 0; };
  std::sort(names.begin(), names.end(), byName);
  std::sort(folders.begin(), folders.end(), byName);
  Items.Clear();
  for (const auto& n : names) Items.Add(n);
  for (const auto& f : folders) Items.Add("[" + f + "]");
}
