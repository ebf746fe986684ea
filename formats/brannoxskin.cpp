// The skin model and the skin stream.
#include "brannoxskin.h"

#include "Filer.h"
#include "Streams.h"

const char* const kSkinResourceName = "Brannox 2000 skin file, version 1.0";

namespace {
void DefineItems(TFiler& filer, std::array<Tbxskinitem, 13>& items) {
  for (int i = 0; i < 13; ++i) filer.ObjectProperty(("Item" + IntToStr(i + 1)).c_str(), items[i]);
}

void SetPicture(TPicture& target, const TPicture* p) {
  if (p) target.Assign(*p);
  else target.Clear();
}
}  // namespace

// --- Tbxskinitem

void Tbxskinitem::Assign(const TPersistent& source) {
  const auto& s = AssignSource(*this, source);
  Left = s.Left;
  Width = s.Width;
}

void Tbxskinitem::DefineProperties(TFiler& filer) {
  filer.IntegerProperty("Left", Left);
  filer.IntegerProperty("Width", Width);
}

// --- Tbxskinmainlist

void Tbxskinmainlist::Assign(const TPersistent& source) {
  const auto& s = AssignSource(*this, source);
  for (int i = 0; i < 13; ++i) Items[i].Assign(s.Items[i]);
  MainListselFont.Assign(s.MainListselFont);
  MainListunselFont.Assign(s.MainListunselFont);
  Left = s.Left;
  Top = s.Top;
  Height = s.Height;
}

void Tbxskinmainlist::DefineProperties(TFiler& filer) {
  DefineItems(filer, Items);
  filer.ObjectProperty("MainListselFont", MainListselFont);
  filer.ObjectProperty("MainListunselFont", MainListunselFont);
  filer.IntegerProperty("Left", Left);
  filer.IntegerProperty("Top", Top);
  filer.IntegerProperty("Height", Height);
}

// --- Tbxskiniconlist

void Tbxskiniconlist::Assign(const TPersistent& source) {
  const auto& s = AssignSource(*this, source);
  for (int i = 0; i < 13; ++i) Items[i].Assign(s.Items[i]);
  Left = s.Left;
  Top = s.Top;
  Height = s.Height;
  IconWidth = s.IconWidth;
  IconHeight = s.IconHeight;
}

void Tbxskiniconlist::DefineProperties(TFiler& filer) {
  DefineItems(filer, Items);
  filer.IntegerProperty("Left", Left);
  filer.IntegerProperty("Top", Top);
  filer.IntegerProperty("Height", Height);
  filer.IntegerProperty("IconWidth", IconWidth);
  filer.IntegerProperty("IconHeight", IconHeight);
}

// --- Tbxskinnappi

void Tbxskinnappi::Assign(const TPersistent& source) {
  const auto& s = AssignSource(*this, source);
  Left = s.Left;
  Top = s.Top;
  Height = s.Height;
  Width = s.Width;
  Kuvalvari = s.Kuvalvari;
  Valittulvari = s.Valittulvari;
  Painettulvari = s.Painettulvari;
  Kuvak = s.Kuvak;
  Valittuk = s.Valittuk;
  Painettuk = s.Painettuk;
  Kuva.Assign(s.Kuva);
  Valittu.Assign(s.Valittu);
  Painettu.Assign(s.Painettu);
  Kuvalapik = s.Kuvalapik;
  Valittulapik = s.Valittulapik;
  Painettulapik = s.Painettulapik;
}

void Tbxskinnappi::DefineProperties(TFiler& filer) {
  filer.IntegerProperty("Left", Left);
  filer.IntegerProperty("Top", Top);
  filer.IntegerProperty("Height", Height);
  filer.IntegerProperty("Width", Width);
  filer.ColorProperty("Kuvalvari", Kuvalvari);
  filer.ColorProperty("Valittulvari", Valittulvari);
  filer.ColorProperty("Painettulvari", Painettulvari);
  filer.BooleanProperty("Kuvak", Kuvak);
  filer.BooleanProperty("Valittuk", Valittuk);
  filer.BooleanProperty("Painettuk", Painettuk);
  filer.ObjectProperty("Kuva", Kuva);
  filer.ObjectProperty("Valittu", Valittu);
  filer.ObjectProperty("Painettu", Painettu);
  filer.BooleanProperty("Kuvalapik", Kuvalapik);
  filer.BooleanProperty("Valittulapik", Valittulapik);
  filer.BooleanProperty("Painettulapik", Painettulapik);
}

void Tbxskinnappi::SetKuva(const TPicture* p) { SetPicture(Kuva, p); }
void Tbxskinnappi::SetValittu(const TPicture* p) { SetPicture(Valittu, p); }
void Tbxskinnappi::SetPainettu(const TPicture* p) { SetPicture(Painettu, p); }

// --- TbxskinData

Tbxskinnappi& TbxskinData::Button(int i) {
  Tbxskinnappi* buttons[kButtonCount] = {&NewButton,      &ModifyButton, &RemoveButton,
                                         &RemoveallButton, &SettingsButton, &AboutButton,
                                         &CloseButton,    &UpButton,     &DownButton};
  if (i < 0 || i >= kButtonCount) throw EListError("List index out of bounds (" + IntToStr(i) + ")");
  return *buttons[i];
}

const char* TbxskinData::ButtonName(int i) {
  static const char* const names[kButtonCount] = {"NewButton",      "ModifyButton", "RemoveButton",
                                                  "RemoveallButton", "SettingsButton", "AboutButton",
                                                  "CloseButton",    "UpButton",     "DownButton"};
  if (i < 0 || i >= kButtonCount) throw EListError("List index out of bounds (" + IntToStr(i) + ")");
  return names[i];
}

void TbxskinData::Assign(const TPersistent& source) {
  const auto& s = AssignSource(*this, source);
  Mainlist.Assign(s.Mainlist);
  Iconlist.Assign(s.Iconlist);
  for (int i = 0; i < kButtonCount; ++i) Button(i).Assign(const_cast<TbxskinData&>(s).Button(i));
  Version = s.Version;
  Kuva.Assign(s.Kuva);
  Lapivari = s.Lapivari;
  Comments.Assign(s.Comments);
  Tekija = s.Tekija;
  Title = s.Title;
  Height = s.Height;
  Width = s.Width;
}

void TbxskinData::DefineProperties(TFiler& filer) {
  filer.ObjectProperty("Mainlist", Mainlist);
  filer.ObjectProperty("Iconlist", Iconlist);
  for (int i = 0; i < kButtonCount; ++i) filer.ObjectProperty(ButtonName(i), Button(i));
  filer.StringProperty("Version", Version);
  filer.ObjectProperty("Kuva", Kuva);
  filer.ColorProperty("Lapivari", Lapivari);
  filer.ObjectProperty("Comments", Comments);
  filer.StringProperty("Tekija", Tekija);
  filer.StringProperty("Title", Title);
  filer.IntegerProperty("Height", Height);
  filer.IntegerProperty("Width", Width);
}

void TbxskinData::SetKuva(const TPicture* p) { SetPicture(Kuva, p); }

// --- TbxskinDatacomp

void TbxskinDatacomp::DefineProperties(TFiler& filer) {
  if (data) filer.ObjectProperty("data", *data);
}

// --- TBXSkin

void TBXSkin::SaveToStream(TStream& s) {
  TbxskinDatacomp comp(nullptr);
  comp.data = &Data;
  int64_t sizeField = WriteResourceHeader(s, kSkinResourceName);
  WriteComponentStream(s, comp, comp.ClassName(), "");
  PatchResourceSize(s, sizeField);
}

void TBXSkin::LoadFromStream(TStream& s, const TBadDataEvent& onBadPicture) {
  TbxskinDatacomp comp(nullptr);
  comp.data = &Data;
  ReadResourceHeader(s);
  ReadComponentStream(s, comp, onBadPicture);
}

void TBXSkin::LoadFromFile(const TBadDataEvent& onBadPicture) {
  // The file in one read: the stream reader's many small reads and seeks
  // would each be a call to the system on a file.
  TMemoryStream bytes;
  bytes.LoadFromFile(Filename);
  LoadFromStream(bytes, onBadPicture);
}

void TBXSkin::SaveToFile() {
  SaveFileAtomically(Filename, [this](TStream& s) { SaveToStream(s); });
}
