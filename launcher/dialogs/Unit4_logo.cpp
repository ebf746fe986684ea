// The entry dialog's logo: the picture shown, the logo combo of the
// "Logos" folder and the logo browser.
#include "FileCtrl.h"
#include "FileUtils.h"
#include "I2BConve.h"
#include "Unit4.h"
#include "WinGraphics.h"

#include <shellapi.h>

namespace {
// The colour that IconToBitmap paints under an icon's transparent pixels.
constexpr TColor kIconMarker = TColor(0x00123456);
constexpr int kComboPictureSize = 16;  // icons in the logo combo
constexpr int kComboMargin = 2, kComboTextGap = 6;

// An icon file's or a program's first icon drawn onto bitmap; false when
// there is none.
bool LoadIconPicture(const std::string& path, bool program, TBitmap& bitmap) {
  HICON handle = program ? ExtractIconA(GetModuleHandleA(nullptr), path.c_str(), 0)
                         : HICON(LoadImageA(nullptr, path.c_str(), IMAGE_ICON, 0, 0, LR_LOADFROMFILE));
  // ExtractIcon gives 1 for a file that is no program.
  TIconHandle owned(reinterpret_cast<UINT_PTR>(handle) > 1 ? handle : nullptr);
  if (!owned.Get()) return false;
  try {
    IconToBitmap(owned.Get(), kIconMarker, bitmap);
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

// A ".bmp", ".ico" or ".exe" logo onto bitmap; false when it cannot be read.
bool LoadLogoPicture(const std::string& path, TBitmap& bitmap) {
  const std::string ext = LowerCase(ExtractFileExt(path));
  if (ext == ".ico" || ext == ".exe") return LoadIconPicture(path, ext == ".exe", bitmap);
  try {
    TBitmap loaded;
    loaded.LoadFromFile(path);
    bitmap = std::move(loaded);
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

// A picture of the logo combo: an icon is scaled to 16 x 16.
bool LoadComboPicture(const std::string& path, TBitmap& bitmap) {
  if (!LoadLogoPicture(path, bitmap)) return false;
  if (LowerCase(ExtractFileExt(path)) != ".ico") return true;
  TBitmap scaled;
  scaled.SetPixelFormat(pf24bit);
  scaled.SetSize(kComboPictureSize, kComboPictureSize);
  for (int y = 0; y < kComboPictureSize; ++y)
    for (int x = 0; x < kComboPictureSize; ++x)
      scaled.SetPixel(x, y, bitmap.Pixel(x * bitmap.Width() / kComboPictureSize, y * bitmap.Height() / kComboPictureSize));
  bitmap = std::move(scaled);
  return true;
}
}  // namespace

std::string TForm4::LogoPath(const std::string& value) const {
  return ExtractFilePath(value).empty() ? FFiles.AppDir + "Logos\\" + value : value;
}

bool TForm4::ShowLogo(const std::string& path) {
  if (!FileExists(path)) return false;
  TBitmap bitmap;
  if (!LoadLogoPicture(path, bitmap)) {
    ShowUnknownLogo();
    return true;
  }
  Image1->Picture().Bitmap() = std::move(bitmap);
  // An icon's background is the marker colour; a bitmap is shown as it is.
  Image1->Transparent = LowerCase(ExtractFileExt(path)) != ".bmp";
  Image1->Changed();
  return true;
}

void TForm4::ShowUnknownLogo() {
  TBitmap& bitmap = Image1->Picture().Bitmap();
  const std::string file = FFiles.AppDir + "Logos\\unknown.bmp";
  if (!FileExists(file) || !LoadLogoPicture(file, bitmap))
    if (!LoadBitmapResource(bitmap, "UNKNOWN")) bitmap = TBitmap();
  Image1->Transparent = false;
  Image1->Changed();
}

void TForm4::FillLogoCombo() {
  TFileListBox files(nullptr);
  files.Directory = FFiles.AppDir + "Logos";
  files.Mask = "*.bmp;*.ico";
  files.Update();
  FLogoPictures.clear();
  C3->Items.Clear();
  for (const std::string& name : files.Items.Items()) {
    TBitmap picture;
    if (!LoadComboPicture(files.Directory + "\\" + name, picture)) continue;
    FLogoPictures.push_back(std::move(picture));
    C3->Items.Add(name);
  }
}

void TForm4::C3DrawItem(TWinControl*, TCanvas& canvas, int index, const RECT& rect, TOwnerDrawState) {
  canvas.FillRect(rect);
  if (index < 0 || index >= int(FLogoPictures.size())) return;
  TBitmap& picture = FLogoPictures[size_t(index)];
  picture.FixedTransparentColor = clWhite;
  canvas.Draw(rect.left + kComboMargin, rect.top + kComboMargin, picture, true);
  RECT text = rect;
  int x = rect.left + kComboMargin + picture.Width() + kComboTextGap;
  canvas.TextRect(text, x, rect.top + kComboMargin, C3->Items[index]);
}

void TForm4::C3Change(TComponent*) {
  int index = C3->ItemIndex();
  if (index < 0) return;
  std::string name = C3->Items[index];
  if (ShowLogo(FFiles.AppDir + "Logos\\" + name))
    LogoValue = name;
  else
    LogoValue.clear();
}

void TForm4::SpeedButton2Click(TComponent*) {
  if (!OpenPictureDialog1->Execute()) return;
  LogoValue = OpenPictureDialog1->FileName;
  if (!ShowLogo(LogoValue)) ShowUnknownLogo();
}
