// mkdefaultskin: makes the default skin project from the pictures and layout
// in resources/defaultskin, and compiles it into the launcher's built-in
// skin package with the editor's own project and package units.
//   mkdefaultskin SOURCE_DIR OUT_DIR
// writes OUT_DIR/Bx2k8.bxn with its companion Bx2k8.bxc (the project),
// OUT_DIR/members/ (the package's members, for the tests) and
// OUT_DIR/Bx2k8.bxs, an MSZIP cabinet whose members all carry one fixed
// date, so the package is the same at every build.
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
#include "cabfiles.h"
#include "skinpackage.h"
#include "skinproject.h"

namespace {

// Every member's date: 1 January 2008, 12:00, as DOS date and time.
constexpr uint16_t kMemberDate = (2008 - 1980) << 9 | 1 << 5 | 1;
constexpr uint16_t kMemberTime = 12 << 11;

class ELayoutError : public Exception { using Exception::Exception; };

struct TLayout {
  std::map<std::string, std::string> Values;  // key -> value (last wins)

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
    layout.Values[Trim(t.substr(0, eq))] = Trim(t.substr(eq + 1));
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

int Build(const std::string& src, const std::string& out) {
  const TLayout layout = ReadLayout(src + "/layout.txt");
  TSkinProject project;
  TbxskinData& d = project.Skin.Data;
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

  // The project as the editor saves it, then read back as the editor opens it.
  project.SaveAs(out + "/Bx2k8.bxn");
  std::string failure = project.Open(out + "/Bx2k8.bxn");
  if (!failure.empty()) throw ELayoutError(failure);

  auto members = MakeSkinPackageMembers(project.PackageInput(Lines(layout.Get("Notes"))));
  const std::string membersDir = out + "/members/";
  for (const auto& m : members) TMemoryStream(m.Bytes).SaveToFile(membersDir + m.Name);
  TMemoryStream(MakeCabinet(members, kMemberDate, kMemberTime, typMSZIP)).SaveToFile(out + "/Bx2k8.bxs");
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
