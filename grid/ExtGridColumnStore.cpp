// TExtStringGrid's column width store: "Col<i>" = width in section
// ColumnSize.Section of the INI file ColumnSize.Key, or of the registry key
// ColumnSize.Key under the current user.
#include "ExtGrid.h"
#include "IniFiles.h"

namespace {
constexpr int kNoWidth = -1;

std::string ColumnKey(int col) { return "Col" + IntToStr(col); }

// The registry side of the store: one subkey per section, DWORD values.
int ReadRegistryWidth(const std::string& key, const std::string& section, int col) {
  DWORD value = 0, size = sizeof value, type = 0;
  const std::string path = key + "\\" + section;
  if (RegGetValueA(HKEY_CURRENT_USER, path.c_str(), ColumnKey(col).c_str(), RRF_RT_REG_DWORD, &type, &value, &size) !=
      ERROR_SUCCESS)
    return kNoWidth;
  return int(value);
}

void WriteRegistryWidths(const std::string& key, const std::string& section, const std::vector<int>& widths) {
  HKEY k = nullptr;
  const std::string path = key + "\\" + section;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &k, nullptr) != ERROR_SUCCESS)
    return;
  for (size_t i = 0; i < widths.size(); ++i) {
    const DWORD value = DWORD(widths[i]);
    RegSetValueExA(k, ColumnKey(int(i)).c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
  }
  RegCloseKey(k);
}
}  // namespace

void TExtStringGrid::SaveColumnSizes() {
  if (ColumnSize.Key.empty() || ColumnSize.Section.empty()) return;
  std::vector<int> widths;
  for (int c = 0; c < ColCount(); ++c) widths.push_back(ColWidths(c));
  if (ColumnSize.Location == clIniFile) {
    TIniFile ini(ColumnSize.Key);
    for (size_t i = 0; i < widths.size(); ++i) ini.WriteInteger(ColumnSize.Section, ColumnKey(int(i)), widths[i]);
  } else {
    WriteRegistryWidths(ColumnSize.Key, ColumnSize.Section, widths);
  }
}

// Keys that are missing (or hold -1) leave their column as it is.
void TExtStringGrid::LoadColumnSizes() {
  if (ColumnSize.Key.empty() || ColumnSize.Section.empty()) return;
  TIniFile ini(ColumnSize.Key);
  for (int c = 0; c < ColCount(); ++c) {
    const int width = ColumnSize.Location == clIniFile ? ini.ReadInteger(ColumnSize.Section, ColumnKey(c), kNoWidth)
                                                       : ReadRegistryWidth(ColumnSize.Key, ColumnSize.Section, c);
    if (width != kNoWidth) SetColWidths(c, width);
  }
}
