// TIniFileSnapshot: the file's bytes parsed once unless they carry a
// byte-order mark.
#include "IniFileSnapshot.h"

#include <algorithm>
#include <fstream>

namespace {
bool HasByteOrderMark(std::string_view text) {
  return text.starts_with("\xEF\xBB\xBF") || text.starts_with("\xFF\xFE") || text.starts_with("\xFE\xFF");
}
}  // namespace

TIniFileSnapshot TIniFileSnapshot::FromFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  std::string text;
  if (in) {
    text.resize(size_t(std::max<std::streamoff>(in.tellg(), 0)));
    in.seekg(0);
    in.read(text.data(), std::streamsize(text.size()));
    text.resize(size_t(std::max<std::streamsize>(in.gcount(), 0)));
  }
  return FromText(text);
}

TIniFileSnapshot TIniFileSnapshot::FromText(std::string_view text) {
  TIniFileSnapshot snapshot;
  if (HasByteOrderMark(text)) snapshot.FPlain = false;
  else snapshot.FText = TIniFileText(text);
  return snapshot;
}
