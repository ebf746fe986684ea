// The editor's project files, New and the recent list.
#include "skinproject.h"

#include <filesystem>

#include "Streams.h"
#include "StringList.h"

const char* const kEditorTitle = "Brannox 2000 skin editor";
const char* const kNotProjectMessage = "File is not valid Brannox 2000 skin file";
const char* const kNoBackgroundMessage =
    "The skin has no background picture. Open one with \"Open skin\" on the General page before compiling.";

bool HasBackgroundPicture(const TbxskinData& d) { return d.Kuva.Graphic() && !d.Kuva.Graphic()->Empty(); }

namespace {

// Companion lines: the nine cursors, the preview picture, its colour.
constexpr int kPreviewPathLine = kSkinCursorSlots;
constexpr int kPreviewColorLine = kSkinCursorSlots + 1;

bool IsFile(const std::string& name) {
  std::error_code ec;
  return !name.empty() && std::filesystem::is_regular_file(std::filesystem::path(name), ec);
}

// Where a stored companion value points: a bare name is in the project's folder.
std::string ResolveStored(const std::string& line, const std::string& projectFolder) {
  std::string value = Trim(line);
  if (value.empty() || !ExtractFilePath(value).empty()) return value;
  return projectFolder + value;
}

std::string ShortenForSave(const std::string& value, const std::string& projectFolder) {
  if (LowerCase(Trim(ExtractFilePath(Trim(value)))) == LowerCase(Trim(projectFolder)))
    return ExtractFileName(Trim(value));
  return value;
}

}  // namespace

void MakeEmptyEditorSkin(TbxskinData& d) {
  d.Version = "1.0";
  d.Lapivari = clWhite;
  d.Width = 300;
  d.Height = 240;
  d.Mainlist.Left = 53;
  d.Mainlist.Top = 16;
  d.Mainlist.Height = 0;
  for (auto& item : d.Mainlist.Items) item.Left = 0, item.Width = 169;
  TFont font;
  font.Name = "Arial";
  font.Height = -13;
  font.Style = fsBold;
  font.Charset = ANSI_CHARSET_VALUE;
  font.Color = clWindowText;
  d.Mainlist.SetMainListselFont(font);
  d.Mainlist.SetMainListunselFont(font);
  d.Iconlist.Left = 19;
  d.Iconlist.Top = 16;
  d.Iconlist.Height = 0;
  d.Iconlist.IconWidth = 16;
  d.Iconlist.IconHeight = 16;
  for (auto& item : d.Iconlist.Items) item.Left = 0, item.Width = 0;
  // New, Modify, Remove, Remove all, Settings, About, Close, Up, Down.
  const int places[TbxskinData::kButtonCount][4] = {
      {231, 13, 62, 18}, {231, 31, 62, 18},  {231, 49, 62, 21},   {231, 71, 62, 18},  {231, 91, 62, 18},
      {231, 112, 62, 18}, {231, 134, 62, 18}, {248, 154, 27, 15}, {248, 176, 27, 15}};
  for (int i = 0; i < TbxskinData::kButtonCount; ++i) {
    Tbxskinnappi& b = d.Button(i);
    b.Left = places[i][0];
    b.Top = places[i][1];
    b.Width = places[i][2];
    b.Height = places[i][3];
    b.Kuvalvari = b.Valittulvari = b.Painettulvari = clWhite;
    b.Kuvak = b.Valittuk = b.Painettuk = false;
    b.Kuvalapik = b.Valittulapik = b.Painettulapik = false;
  }
}

bool IsProjectFileName(const std::string& path) { return LowerCase(ExtractFileExt(path)) == ".bxn"; }

std::string CompanionFileName(const std::string& projectFile) { return ChangeFileExt(projectFile, ".bxc"); }

std::string ProjectCaption(const std::string& projectFile) {
  if (projectFile.empty()) return kEditorTitle;
  return std::string(kEditorTitle) + " - [" + ExtractFileName(projectFile) + "]";
}

TSkinProject::TSkinProject() {
  MakeEmptyEditorSkin(EmptySkin.Data);
  New();
}

void TSkinProject::New() {
  Skin.Filename.clear();
  // Through a skin stream, as a load would: every stored property is set.
  TMemoryStream copy;
  EmptySkin.SaveToStream(copy);
  copy.Seek(0, soFromBeginning);
  Skin.LoadFromStream(copy);
  // The template has no pictures or texts, so the stream leaves the old ones.
  TbxskinData& d = Skin.Data;
  d.Kuva.Clear();
  for (int i = 0; i < TbxskinData::kButtonCount; ++i) {
    d.Button(i).Kuva.Clear();
    d.Button(i).Valittu.Clear();
    d.Button(i).Painettu.Clear();
  }
  d.Tekija.clear();
  d.Title.clear();
  d.Comments.Clear();
  for (auto& c : Cursors) c.clear();
  PreviewImagePath.clear();
  PreviewTransparentColor = clWhite;
}

std::string TSkinProject::Open(const std::string& projectFile) {
  New();
  UnreadPictures.clear();
  Skin.Filename = projectFile;
  try {
    Skin.LoadFromFile([this](const std::string& path, const std::exception& e) {
      UnreadPictures.push_back(path + ": " + e.what());
    });
    ReadCompanion();
  } catch (const std::exception& e) {
    New();
    UnreadPictures.clear();
    return "Cannot open " + projectFile + ": " + e.what();
  }
  return "";
}

std::string TSkinProject::UnreadPicturesMessage() const {
  if (UnreadPictures.empty()) return "";
  std::string text = "These pictures of " + ExtractFileName(Skin.Filename) + " cannot be read and are left empty:";
  for (const std::string& picture : UnreadPictures) text += "\r\n" + picture;
  return text;
}

void TSkinProject::ReadCompanion() {
  const std::string companion = CompanionFileName(Skin.Filename);
  if (!IsFile(companion)) return;
  TStringList lines;
  lines.LoadFromFile(companion);
  const std::string folder = ExtractFilePath(Skin.Filename);
  for (int i = 0; i < kSkinCursorSlots && i < lines.Count(); ++i) Cursors[size_t(i)] = ResolveStored(lines[i], folder);
  if (lines.Count() > kPreviewPathLine) PreviewImagePath = ResolveStored(lines[kPreviewPathLine], folder);
  if (lines.Count() > kPreviewColorLine) {
    // Colour text that does not read as a colour is taken as white.
    try {
      PreviewTransparentColor = StringToColor(Trim(lines[kPreviewColorLine]));
    } catch (const EConvertError&) {
      PreviewTransparentColor = clWhite;
    }
  }
}

void TSkinProject::WriteFiles(bool shortenPaths) {
  Skin.SaveToFile();
  const std::string folder = ExtractFilePath(Skin.Filename);
  TStringList lines;
  for (const auto& cursor : Cursors) lines.Add(shortenPaths ? ShortenForSave(cursor, folder) : cursor);
  lines.Add(shortenPaths ? ShortenForSave(PreviewImagePath, folder) : PreviewImagePath);
  lines.Add(ColorToString(PreviewTransparentColor));
  lines.SaveToFile(CompanionFileName(Skin.Filename));
}

void TSkinProject::Save() {
  if (Skin.Filename.empty()) throw EInvalidOperation("The project has no file name");
  WriteFiles(true);
}

void TSkinProject::SaveAs(const std::string& projectFile) {
  Skin.Filename = projectFile;
  WriteFiles(false);
}

TSkinPackageInput TSkinProject::PackageInput(const TStringList& notes) {
  TSkinPackageInput input;
  input.ProjectFile = Skin.Filename;
  input.Skin = &Skin.Data;
  input.CursorFiles = Cursors;
  input.Notes.Assign(notes);
  input.PreviewImagePath = PreviewImagePath;
  input.PreviewTransparentColor = PreviewTransparentColor;
  return input;
}

void TRecentList::Load(const std::function<std::string(const std::string& key)>& read, const TExists& exists) {
  FItems.clear();
  for (int key = 1; key <= kMaxEntries; ++key) {
    std::string path = read(IntToStr(key));
    if (!path.empty() && exists(path)) FItems.push_back(path);
  }
}

void TRecentList::Add(const std::string& path) {
  FItems.insert(FItems.begin(), path);
  if (int(FItems.size()) > kMaxEntries) FItems.pop_back();
  for (size_t i = FItems.size(); i-- > 1;)
    if (SameText(FItems[i], FItems[0])) FItems.erase(FItems.begin() + std::ptrdiff_t(i));
}

void TRecentList::Save(const std::function<void(const std::string& key, const std::string& value)>& write) const {
  for (size_t i = 0; i < FItems.size(); ++i) write(IntToStr((long long)(i + 1)), FItems[i]);
}
