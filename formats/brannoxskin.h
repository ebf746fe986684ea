// The skin model: the list area, the icon column, the nine picture buttons and
// the background, with their stream form (a resource header and a component
// stream whose paths name the published properties below).
#pragma once
#include <array>
#include <string>

#include "Classes.h"
#include "Filer.h"
#include "Graphics.h"
#include "StringList.h"

class TStream;

// The resource name of a skin stream, as written (upper-cased) in its header.
extern const char* const kSkinResourceName;

// One slot of a list: a row or an icon.
class Tbxskinitem : public TPersistent {
public:
  std::string ClassName() const override { return "Tbxskinitem"; }
  void Assign(const TPersistent& source) override;
  void DefineProperties(TFiler& filer) override;
  int32_t Left = 0;
  int32_t Width = 0;  // row: label width; icon: added to IconWidth and IconHeight
};

class Tbxskinmainlist : public TPersistent {
public:
  std::string ClassName() const override { return "Tbxskinmainlist"; }
  void Assign(const TPersistent& source) override;
  void DefineProperties(TFiler& filer) override;
  Tbxskinitem& Item(int n) { return Items.at(n - 1); }  // 1..13, top to bottom
  void SetMainListselFont(const TFont& f) { MainListselFont.Assign(f); }
  void SetMainListunselFont(const TFont& f) { MainListunselFont.Assign(f); }
  int32_t RowSpacing() const { return Height < 0 ? -Height : Height; }

  std::array<Tbxskinitem, 13> Items;
  TFont MainListselFont;    // the selected row; its colour is the selected row colour
  TFont MainListunselFont;  // the other rows
  int32_t Left = 0, Top = 0;
  int32_t Height = 0;  // spacing between rows; its absolute value is used
};

class Tbxskiniconlist : public TPersistent {
public:
  std::string ClassName() const override { return "Tbxskiniconlist"; }
  void Assign(const TPersistent& source) override;
  void DefineProperties(TFiler& filer) override;
  Tbxskinitem& Item(int n) { return Items.at(n - 1); }
  int32_t IconSpacing() const { return Height < 0 ? -Height : Height; }

  std::array<Tbxskinitem, 13> Items;
  int32_t Left = 0, Top = 0;
  int32_t Height = 0;  // spacing between icons; its absolute value is used
  int32_t IconWidth = 0, IconHeight = 0;
};

// A picture button: normal (Kuva), hover (Valittu) and pressed (Painettu).
class Tbxskinnappi : public TPersistent {
public:
  std::string ClassName() const override { return "Tbxskinnappi"; }
  void Assign(const TPersistent& source) override;
  void DefineProperties(TFiler& filer) override;
  // Copy the picture in; a null picture clears it.
  void SetKuva(const TPicture* p);
  void SetValittu(const TPicture* p);
  void SetPainettu(const TPicture* p);

  int32_t Left = 0, Top = 0, Height = 0, Width = 0;
  TColor Kuvalvari = 0, Valittulvari = 0, Painettulvari = 0;  // transparent colours
  bool Kuvak = false, Valittuk = false, Painettuk = false;     // picture used
  TPicture Kuva, Valittu, Painettu;
  bool Kuvalapik = false, Valittulapik = false, Painettulapik = false;  // drawn transparent
};

class TbxskinData : public TPersistent {
public:
  TbxskinData() = default;
  std::string ClassName() const override { return "TbxskinData"; }
  void Assign(const TPersistent& source) override;
  void DefineProperties(TFiler& filer) override;
  void SetKuva(const TPicture* p);
  void SetComments(const TStringList& lines) { Comments.Assign(lines); }

  // The nine buttons in stored order.
  static constexpr int kButtonCount = 9;
  Tbxskinnappi& Button(int i);
  static const char* ButtonName(int i);

  Tbxskinmainlist Mainlist;
  Tbxskiniconlist Iconlist;
  Tbxskinnappi NewButton, ModifyButton, RemoveButton, RemoveallButton, SettingsButton,
      AboutButton, CloseButton, UpButton, DownButton;
  std::string Version = "1.0";
  TPicture Kuva;  // the background; its size is the window's size
  TColor Lapivari = 0;
  TStringList Comments;
  std::string Tekija;  // author
  std::string Title;
  int32_t Height = 0, Width = 0;
};

// The root object of a skin stream; borrows a TbxskinData for one read or write.
class TbxskinDatacomp : public TComponent {
public:
  explicit TbxskinDatacomp(TComponent* owner) : TComponent(owner) {}
  std::string ClassName() const override { return "TbxskinDatacomp"; }
  void DefineProperties(TFiler& filer) override;
  TbxskinData* data = nullptr;  // not owned
};

class TBXSkin : public TComponent {
public:
  explicit TBXSkin(TComponent* owner) : TComponent(owner) {}
  std::string ClassName() const override { return "TBXSkin"; }

  // Writes Data as a skin stream at the stream's position.
  void SaveToStream(TStream& s);
  // Reads a skin stream from the stream's position onto Data: properties the
  // stream does not name keep their values.
  // A picture that cannot be read goes to onBadPicture, when given, and
  // stays empty while the rest is read; without it the load fails.
  void LoadFromStream(TStream& s, const TBadDataEvent& onBadPicture = nullptr);
  void LoadFromFile(const TBadDataEvent& onBadPicture = nullptr);
  // Replaces Filename only once the whole stream is written.
  void SaveToFile();

  std::string Filename;
  TbxskinData Data;  // owned
};
