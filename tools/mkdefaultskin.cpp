// mkdefaultskin: builds the members of the launcher's built-in skin package
// from the pictures, cursors and layout in resources/defaultskin.
//   mkdefaultskin SOURCE_DIR OUT_DIR
// writes skin.dat, the cursor files, data.msk, data.ini, othernotes.txt and
// preview.bmp into OUT_DIR, and members.lst naming them in package order.
// Every member gets the same fixed date, so the package is reproducible.
#include <utime.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <vector>

#include "Colors.h"
#include "Graphics.h"
#include "Streams.h"
#include "StringList.h"
#include "brannoxskin.h"
#include "extMaskgenerator.h"

namespace {

// 1 January 2008, 12:00 UTC.
constexpr time_t kMemberTime = 1199188800;

// The cursor members in the order a skin package stores them.
const char* const kCursorOrder[] = {"cur", "cur_new", "cur_modify", "cur_remove", "cur_settings",
                                    "cur_about", "cur_exit", "cur_up", "cur_down"};

class ELayoutError : public Exception { using Exception::Exception; };

struct TLayout {
  std::map<std::string, std::string> Values;              // key -> value (last wins)
  std::vector<std::pair<std::string, std::string>> Cursors;  // member, source

  const std::string& Get(const std::string& key) const {
    auto it = Values.find(key);
    if (it == Values.end()) throw ELayoutError("layout.txt: missing " + key);
    return it->second;
  }
  std::vector<std::string> Words(const std::string& key) const {
    std::istringstream in(Get(key));
    std::vector<std::string> out;
    for (std::string w; in >> w;) out.push_back(w);
    return out;
  }
  std::vector<int> Numbers(const std::string& key, size_t count) const {
    auto words = Words(key);
    if (words.size() < count) throw ELayoutError("layout.txt: " + key + " needs " + IntToStr(count) + " numbers");
    std::vector<int> out;
    for (size_t i = 0; i < count; ++i) out.push_back(StrToInt(words[i]));
    return out;
  }
};

TLayout ReadLayout(const std::string& file) {
  std::ifstream in(file);
  if (!in) throw EFOpenError(file);
  TLayout layout;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::string t = Trim(line);
    if (t.empty() || t[0] == '#') continue;
    size_t eq = t.find('=');
    if (eq == std::string::npos) throw ELayoutError("layout.txt: no '=' in: " + t);
    std::string key = Trim(t.substr(0, eq)), value = Trim(t.substr(eq + 1));
    if (key == "Cursor") {
      std::istringstream words(value);
      std::string member, source;
      words >> member >> source;
      layout.Cursors.push_back({member, source});
    } else {
      layout.Values[key] = value;
    }
  }
  return layout;
}

// "a|b|c" as lines.
TStringList Lines(const std::string& text) {
  TStringList out;
  size_t start = 0;
  while (true) {
    size_t bar = text.find('|', start);
    out.Add(text.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
    if (bar == std::string::npos) break;
    start = bar + 1;
  }
  return out;
}

void LoadPicture(TPicture& picture, const std::string& file) {
  TBitmap bitmap;
  bitmap.LoadFromFile(file);
  picture.Assign(bitmap);
}

// Font = Name Height Colour [bold]
void SetFont(TFont& font, const std::vector<std::string>& words, const std::string& key) {
  if (words.size() < 3) throw ELayoutError("layout.txt: " + key + " needs a name, a height and a colour");
  font.Name = words[0];
  font.Height = StrToInt(words[1]);
  font.Color = StringToColor(words[2]);
  font.Style = words.size() > 3 && words[3] == "bold" ? uint32_t(fsBold) : 0u;
}

void WriteText(const std::string& file, const std::string& text) {
  SaveFileAtomically(file, [&](TStream& s) { s.WriteString(text); });
}

void CopyFile(const std::string& from, const std::string& to) {
  TMemoryStream m;
  m.LoadFromFile(from);
  m.SaveToFile(to);
}

int Build(const std::string& src, const std::string& out) {
  const TLayout layout = ReadLayout(src + "/layout.txt");
  TBXSkin skin(nullptr);
  TbxskinData& d = skin.Data;
  d.Version = layout.Get("Version");
  d.Title = layout.Get("Title");
  d.Tekija = layout.Get("Tekija");
  d.Lapivari = StringToColor(layout.Get("Lapivari"));
  d.SetComments(Lines(layout.Get("Comments")));
  LoadPicture(d.Kuva, src + "/background.bmp");
  d.Width = d.Kuva.Width();
  d.Height = d.Kuva.Height();

  auto list = layout.Numbers("Mainlist", 3);
  d.Mainlist.Left = list[0];
  d.Mainlist.Top = list[1];
  d.Mainlist.Height = list[2];
  auto row = layout.Numbers("Row", 2);
  for (auto& item : d.Mainlist.Items) {
    item.Left = row[0];
    item.Width = row[1];
  }
  SetFont(d.Mainlist.MainListselFont, layout.Words("SelFont"), "SelFont");
  SetFont(d.Mainlist.MainListunselFont, layout.Words("UnselFont"), "UnselFont");

  auto icons = layout.Numbers("Iconlist", 5);
  d.Iconlist.Left = icons[0];
  d.Iconlist.Top = icons[1];
  d.Iconlist.Height = icons[2];
  d.Iconlist.IconWidth = icons[3];
  d.Iconlist.IconHeight = icons[4];
  auto icon = layout.Numbers("Icon", 2);
  for (auto& item : d.Iconlist.Items) {
    item.Left = icon[0];
    item.Width = icon[1];
  }

  for (int i = 0; i < TbxskinData::kButtonCount; ++i) {
    const std::string name = TbxskinData::ButtonName(i);
    auto n = layout.Numbers(name, 4);
    auto words = layout.Words(name);
    if (words.size() < 5) throw ELayoutError("layout.txt: " + name + " needs a picture name");
    Tbxskinnappi& b = d.Button(i);
    b.Left = n[0];
    b.Top = n[1];
    b.Width = n[2];
    b.Height = n[3];
    LoadPicture(b.Kuva, src + "/" + words[4] + "_normal.bmp");
    LoadPicture(b.Valittu, src + "/" + words[4] + "_hover.bmp");
    LoadPicture(b.Painettu, src + "/" + words[4] + "_pressed.bmp");
    b.Kuvak = b.Valittuk = b.Painettuk = true;
    if (b.Kuva.Width() != b.Width || b.Kuva.Height() != b.Height)
      throw ELayoutError(name + ": the picture's size differs from the button's");
  }

  std::vector<std::string> members;
  skin.Filename = out + "/skin.dat";
  skin.SaveToFile();
  members.push_back("skin.dat");

  for (const char* slot : kCursorOrder)
    for (const auto& [member, source] : layout.Cursors)
      if (SameText(ChangeFileExt(member, ""), slot)) {
        CopyFile(src + "/" + source, out + "/" + member);
        members.push_back(member);
      }
  if (members.size() != layout.Cursors.size() + 1) throw ELayoutError("layout.txt: unknown cursor member");

  GenerateMaskFile(d.Kuva.Bitmap(), d.Lapivari, out + "/data.msk");
  members.push_back("data.msk");

  WriteText(out + "/data.ini", "[general]\r\nversion=" + d.Version + "\r\nauthor=" + d.Tekija +
                                   "\r\ntitle=" + d.Title + "\r\ntransparent=" +
                                   ColorToString(d.Lapivari) + "\r\n");
  members.push_back("data.ini");
  Lines(layout.Get("Notes")).SaveToFile(out + "/othernotes.txt");
  members.push_back("othernotes.txt");
  // No preview picture of its own: the background stands in.
  d.Kuva.Bitmap().SaveToFile(out + "/preview.bmp");
  members.push_back("preview.bmp");

  std::string list_text;
  for (const auto& m : members) {
    std::string path = out + "/" + m;
    struct utimbuf times = {kMemberTime, kMemberTime};
    if (utime(path.c_str(), &times) != 0) throw EFCreateError(path);
    list_text += m + "\n";
  }
  WriteText(out + "/members.lst", list_text);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: mkdefaultskin SOURCE_DIR OUT_DIR\n");
    return 2;
  }
  try {
    return Build(argv[1], argv[2]);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "mkdefaultskin: %s\n", e.what());
    return 1;
  }
}
