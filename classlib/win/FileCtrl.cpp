// Folder listing through FindFirstFile; the path and drive lists.
#include "FileCtrl.h"

#include <algorithm>
#include <vector>

#include "FileUtils.h"

namespace {
bool ByName(const std::string& a, const std::string& b) { return CompareText(a, b) < 0; }

std::string WithoutTrailingBackslash(const std::string& path) {
  std::string p = path;
  while (p.size() > 3 && (p.back() == '\\' || p.back() == '/')) p.pop_back();
  return p;
}

}  // namespace

// --- TFileListBox

void TFileListBox::CreateHandle() {
  TListBox::CreateHandle();
  ReadFileNames();
}

void TFileListBox::FindEntries(const std::function<void(const WIN32_FIND_DATAA&)>& found) const {
  std::vector<std::string> seen;
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
      // "*.tif" also finds "x.tiff" through the short name: keep exact matches only.
      std::string want = LowerCase(ExtractFileExt(pattern));
      if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && want != ".*" && !want.empty() &&
          LowerCase(ExtractFileExt(name)) != want)
        continue;
      if (std::any_of(seen.begin(), seen.end(), [&](const std::string& n) { return SameText(n, name); })) continue;
      seen.push_back(name);
      found(fd);
    } while (FindNextFileA(h, &fd));
    FindClose(h);
  }
}

void TFileListBox::ReadFileNames() {
  std::vector<std::string> names, folders;
  FindEntries([&](const WIN32_FIND_DATAA& fd) {
    if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      if (FileType & ftDirectory) folders.push_back(fd.cFileName);
    } else if (FileType & ftNormal) {
      names.push_back(fd.cFileName);
    }
  });
  std::sort(names.begin(), names.end(), ByName);
  std::sort(folders.begin(), folders.end(), ByName);
  Items.Clear();
  for (const auto& n : names) Items.Add(n);
  for (const auto& f : folders) Items.Add("[" + f + "]");
  Change();
}

// --- TDirectoryListBox

TDirectoryListBox::TDirectoryListBox(TComponent* owner) : TListBox(owner) {
  char current[MAX_PATH];
  DWORD n = GetCurrentDirectoryA(MAX_PATH, current);
  FDirectory = n > 0 && n < MAX_PATH ? WithoutTrailingBackslash(current) : "C:\\";
}

void TDirectoryListBox::SetDirectory(const std::string& folder) {
  std::string path = WithoutTrailingBackslash(folder);
  if (path.size() == 2 && path[1] == ':') path += '\\';
  if (!DirectoryExists(path)) throw EInOutError("Cannot open the folder " + folder);
  FDirectory = path;
  BuildList();
  if (FileList) {
    FileList->Directory = FDirectory;
    FileList->Update();
  }
  if (OnChange) OnChange(this);
}

void TDirectoryListBox::CreateHandle() {
  TListBox::CreateHandle();
  BuildList();
}

void TDirectoryListBox::BuildList() {
  Items.Clear();
  // "C:\games\quake": "C:\", "games", "quake".
  size_t root = FDirectory.find('\\');
  Items.Add(root == std::string::npos ? FDirectory + "\\" : FDirectory.substr(0, root + 1));
  for (size_t p = root; p != std::string::npos && p + 1 < FDirectory.size();) {
    size_t next = FDirectory.find('\\', p + 1);
    Items.Add(FDirectory.substr(p + 1, next == std::string::npos ? std::string::npos : next - p - 1));
    p = next;
  }
  FPathCount = Items.Count();
  std::vector<std::string> subs = FolderEntries(FDirectory, "*", true);
  std::sort(subs.begin(), subs.end(), ByName);
  for (const std::string& sub : subs) Items.Add(sub);
  SetItemIndex(FPathCount - 1);
}

std::string TDirectoryListBox::ItemPath(int index) const {
  if (index < 0 || index >= Items.Count()) return "";
  if (index >= FPathCount) return IncludeTrailingBackslash(FDirectory) + Items[index];
  std::string path = Items[0];
  for (int i = 1; i <= index; ++i) path = IncludeTrailingBackslash(path) + Items[i];
  return path;
}

void TDirectoryListBox::DblClick() {
  std::string path = ItemPath(ItemIndex());
  if (!path.empty()) SetDirectory(path);
  TListBox::DblClick();
}

// --- TDriveComboBox

TDriveComboBox::TDriveComboBox(TComponent* owner) : TComboBox(owner) { Style = csDropDownList; }

void TDriveComboBox::CreateHandle() {
  TComboBox::CreateHandle();
  BuildList();
  SelectDrive(FDrive);
}

void TDriveComboBox::BuildList() {
  Items.Clear();
  DWORD drives = GetLogicalDrives();
  for (int i = 0; i < 26; ++i)
    if (drives & (1u << i)) Items.Add(std::string(1, char((TextCase == tcUpperCase ? 'A' : 'a') + i)) + ":");
}

void TDriveComboBox::SelectDrive(char drive) {
  FDrive = char(LowerCase(std::string(1, drive))[0]);
  for (int i = 0; i < Items.Count(); ++i)
    if (SameText(Items[i].substr(0, 1), std::string(1, FDrive))) SetItemIndex(i);
}

void TDriveComboBox::SetDrive(char drive) {
  const char old = FDrive;
  SelectDrive(drive);
  if (!DirList) return;
  try {
    DirList->SetDirectory(std::string(1, FDrive) + ":\\");
  } catch (const EInOutError&) {
    // A drive without a disc: the list goes on showing the folder's drive.
    SelectDrive(old);
    throw;
  }
}

bool TDriveComboBox::CommandNotify(WORD code) {
  int i = ItemIndex();
  if (code == CBN_SELCHANGE && i >= 0 && !Items[i].empty()) SetDrive(Items[i][0]);
  return TComboBox::CommandNotify(code);
}
