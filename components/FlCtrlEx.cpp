// The icon lists over the shell's system image list.
#include "FlCtrlEx.h"

#include <shellapi.h>
#include <winnetwk.h>

#include <algorithm>

#include "WinGraphics.h"

namespace {
constexpr int kIconSize = 16;
constexpr int kFileItemHeight = 17, kDriveItemHeight = 16;
constexpr int kFileTextLeft = 17, kDriveTextGap = 6, kFolderTextGap = 4;
constexpr int kHourglassAfter = 100;  // items read before the wait cursor shows

// Answers WM_DRAWITEM: an item in range gets its rectangle filled in its
// colours, then draw(canvas, item, rect) and the focus frame.
template <typename Draw>
LRESULT DrawListItem(const TWinControl& control, int count, LPARAM lParam, Draw draw) {
  const auto& d = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
  int item = int(d.itemID);
  if (item < 0 || item >= count) return TRUE;
  TCanvas canvas(d.hDC);
  bool selected = d.itemState & ODS_SELECTED;
  canvas.Font = control.Font;
  canvas.BrushColor = selected ? clHighlight : control.Color;
  canvas.Font.Color = selected ? clHighlightText : control.Font.Color;
  canvas.FillRect(d.rcItem);
  draw(canvas, item, d.rcItem);
  if ((d.itemState & ODS_FOCUS) && !(d.itemState & ODS_COMBOBOXEDIT)) DrawFocusRect(d.hDC, &d.rcItem);
  return TRUE;
}

std::string CasedLike(const std::string& text, TTextCase textCase) {
  return textCase == tcUpperCase ? UpperCase(text) : LowerCase(text);
}
}  // namespace

// --- TShellSmallIcons

TShellSmallIcons::TShellSmallIcons() {
  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = sizeof version;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  FNT = GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT;
#pragma GCC diagnostic pop
  if (FNT) return;
  SHFILEINFOA info{};
  FImages = HIMAGELIST(SHGetFileInfoA("*.*", FILE_ATTRIBUTE_NORMAL, &info, sizeof info,
                                      SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES));
}

int TShellSmallIcons::IconOf(const std::string& path, DWORD attributes, bool byAttributes, bool open) {
  SHFILEINFOA info{};
  UINT flags = SHGFI_SYSICONINDEX | SHGFI_SMALLICON | (byAttributes ? SHGFI_USEFILEATTRIBUTES : 0) |
               (open ? SHGFI_OPENICON : 0);
  if (!SHGetFileInfoA(path.c_str(), attributes, &info, sizeof info, flags)) return -1;
  return info.iIcon;
}

void TShellSmallIcons::Draw(HDC dc, int index, int x, int y) {
  if (index < 0) return;
  SHFILEINFOA info{};
  auto images = HIMAGELIST(SHGetFileInfoA("*.*", FILE_ATTRIBUTE_NORMAL, &info, sizeof info,
                                          SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES));
  if (images) ImageList_Draw(images, index, dc, x, y, ILD_TRANSPARENT);
}

// --- TFileListBoxEx

void TFileListBoxEx::CreateParams(TCreateParams& p) {
  TFileListBox::CreateParams(p);
  p.Style |= LBS_OWNERDRAWFIXED | LBS_HASSTRINGS;
}

void TFileListBoxEx::CreateHandle() {
  TFileListBox::CreateHandle();
  // WM_MEASUREITEM came while the window was being made, before it was ours.
  SendMessageA(FHandle, LB_SETITEMHEIGHT, 0, kFileItemHeight);
}

void TFileListBoxEx::ReadFileNames() {
  if (!HandleAllocated()) return;
  const DWORD mask = FileType & ~ftNormal;
  if (!Directory.empty() && !SetCurrentDirectoryA(Directory.c_str()))
    throw EInOutError("Cannot open the folder " + Directory);
  Items.Clear();
  FIconIndexes.clear();
  HCURSOR cursor = GetCursor();
  int added = 0;
  FindEntries([&](const WIN32_FIND_DATAA& fd) {
    if (!(FileType & ftNormal) && !(fd.dwFileAttributes & mask)) return;
    bool folder = fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
    if (folder && !(FileType & ftDirectory)) return;
    std::string name = fd.cFileName;
    int index = Items.Add(folder ? "[" + name + "]" : name);
    if (!FIcons.NT())
      FIconIndexes.insert(FIconIndexes.begin() + std::min<size_t>(size_t(index), FIconIndexes.size()),
                          TShellSmallIcons::IconOf(name, folder ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL,
                                                   true));
    if (++added == kHourglassAfter) SetCursor(LoadCursor(nullptr, IDC_WAIT));
  });
  SetCursor(cursor);
  Change();
}

bool TFileListBoxEx::Reflected(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (msg == WM_MEASUREITEM) {
    reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = kFileItemHeight;
    result = TRUE;
    return true;
  }
  if (msg != WM_DRAWITEM) return TFileListBox::Reflected(msg, wParam, lParam, result);
  result = DrawListItem(*this, Items.Count(), lParam, [&](TCanvas& canvas, int item, const RECT& r) {
    std::string text = Items[item];
    int icon = -1;
    if (!FIcons.NT()) {
      icon = item < int(FIconIndexes.size()) ? FIconIndexes[size_t(item)] : -1;
    } else {
      bool folder = text.size() > 2 && text.front() == '[' && text.back() == ']';
      std::string name = folder ? text.substr(1, text.size() - 2) : text;
      icon = TShellSmallIcons::IconOf(IncludeTrailingBackslash(Directory) + name, 0, false);
    }
    TShellSmallIcons::Draw(canvas.Handle(), icon, r.left, r.top);
    canvas.TextRect(r, r.left + kFileTextLeft, r.top, text);
  });
  return true;
}

// --- TDirectoryListBoxEx

TDirectoryListBoxEx::TDirectoryListBoxEx(TComponent* owner) : TDirectoryListBox(owner) {
  if (FIcons.NT()) return;
  FClosedFolder = TShellSmallIcons::IconOf("folder", FILE_ATTRIBUTE_DIRECTORY, true);
  FOpenFolder = TShellSmallIcons::IconOf("folder", FILE_ATTRIBUTE_DIRECTORY, true, true);
}

void TDirectoryListBoxEx::CreateParams(TCreateParams& p) {
  TDirectoryListBox::CreateParams(p);
  p.Style |= LBS_OWNERDRAWFIXED | LBS_HASSTRINGS;
}

bool TDirectoryListBoxEx::Reflected(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (msg != WM_DRAWITEM) return TDirectoryListBox::Reflected(msg, wParam, lParam, result);
  result = DrawListItem(*this, Items.Count(), lParam, [&](TCanvas& canvas, int item, const RECT& r) {
    // The path steps in by 4 pixels a level; its sub-folders one step further.
    bool sub = item >= PathCount();
    int indent = sub ? 4 * int(std::count(Directory().begin(), Directory().end(), '\\')) + 6 : 4 * item + 2;
    int icon = FIcons.NT() ? TShellSmallIcons::IconOf("folder", FILE_ATTRIBUTE_DIRECTORY, true, !sub)
                           : (sub ? FClosedFolder : FOpenFolder);
    TShellSmallIcons::Draw(canvas.Handle(), icon, r.left + indent, r.top);
    canvas.TextRect(r, r.left + kIconSize + indent + kFolderTextGap, r.top, Items[item]);
  });
  return true;
}

// --- TDriveComboBoxEx

TDriveComboBoxEx::TDriveComboBoxEx(TComponent* owner) : TDriveComboBox(owner) {
  Style = csOwnerDrawFixed;
  ItemHeight = kDriveItemHeight;
}

std::string TDriveComboBoxEx::DriveText(char letter, TTextCase textCase) {
  const std::string root = std::string(1, letter) + ":\\";
  auto volumeLabel = [&] {
    char name[MAX_PATH + 1] = "";
    // A drive without a disc must not ask the user to insert one.
    UINT old = SetErrorMode(SEM_FAILCRITICALERRORS);
    if (!GetVolumeInformationA(root.c_str(), name, sizeof name, nullptr, nullptr, nullptr, nullptr, 0)) name[0] = 0;
    SetErrorMode(old);
    return "[" + CasedLike(name, textCase) + "]";
  };
  std::string label;
  switch (GetDriveTypeA(root.c_str())) {
    case DRIVE_REMOVABLE:
      break;
    case DRIVE_FIXED:
    case DRIVE_CDROM:
    case DRIVE_RAMDISK:
      label = volumeLabel();
      break;
    case DRIVE_REMOTE: {
      char remote[MAX_PATH + 1] = "";
      DWORD size = sizeof remote;
      std::string local = UpperCase(std::string(1, letter)) + ":";
      label = WNetGetConnectionA(local.c_str(), remote, &size) == NO_ERROR ? CasedLike(remote, textCase)
                                                                            : volumeLabel();
      break;
    }
    default:
      return "";
  }
  return std::string(1, letter) + ": " + label;
}

void TDriveComboBoxEx::BuildList() {
  Items.Clear();
  FIconIndexes.clear();
  DWORD drives = GetLogicalDrives();
  for (int i = 0; i < 26; ++i) {
    if (!(drives & (1u << i))) continue;
    char letter = char((TextCase == tcUpperCase ? 'A' : 'a') + i);
    std::string text = DriveText(letter, TextCase);
    if (text.empty()) continue;
    Items.Add(text);
    if (!FIcons.NT()) FIconIndexes.push_back(TShellSmallIcons::IconOf(std::string(1, letter) + ":\\", 0, false));
  }
}

bool TDriveComboBoxEx::Reflected(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (msg != WM_DRAWITEM) return TDriveComboBox::Reflected(msg, wParam, lParam, result);
  result = DrawListItem(*this, Items.Count(), lParam, [&](TCanvas& canvas, int item, const RECT& rect) {
    std::string text = Items[item];
    int icon = FIcons.NT() ? TShellSmallIcons::IconOf(text.substr(0, text.find(' ')) + "\\", 0, false)
                           : (item < int(FIconIndexes.size()) ? FIconIndexes[size_t(item)] : -1);
    HDC dc = canvas.Handle();
    TShellSmallIcons::Draw(dc, icon, rect.left, rect.top);
    RECT r = rect;
    r.left += kIconSize + kDriveTextGap;
    SetBkMode(dc, TRANSPARENT);
    TFontHandle font = CreateFontHandle(canvas.Font);
    TSelectGuard select(dc, font.Get());
    SetTextColor(dc, ColorToRGB(canvas.Font.Color));
    DrawTextA(dc, text.c_str(), int(text.size()), &r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  });
  return true;
}
