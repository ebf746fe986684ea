// The entry dialog's logo: the picture shown, the logo combo of the
// "Logos" folder and the logo browser.
#include "BitmapResize.h"
#include "FileCtrl.h"
#include "FileUtils.h"
#include "LogoPicture.h"
#include "EntryDialog.h"
#include "WinGraphics.h"

namespace {
constexpr int kComboPictureSize = 16;  // icons in the logo combo
constexpr int kComboMargin = 2, kComboTextGap = 6;

// A picture of the logo combo: an icon is scaled to 16 x 16.
bool LoadComboPicture(const std::string& path, TBitmap& bitmap) {
  bool icon = false;
  if (!LoadLogoPicture(path, bitmap, icon)) return false;
  if (LowerCase(ExtractFileExt(path)) != ".ico") return true;
  bitmap = ResizedNearest(bitmap, kComboPictureSize, kComboPictureSize);
  return true;
}
}  // namespace

std::string TEntryDialog::LogoPath(const std::string& value) const { return ::LogoPath(FFiles.AppDir, value); }

bool TEntryDialog::ShowLogo(const std::string& path) {
  if (!FileExists(path)) return false;
  TBitmap bitmap;
  bool icon = false;
  if (!LoadLogoPicture(path, bitmap, icon)) {
    ShowUnknownLogo();
    return false;
  }
  LogoImage->Picture().Bitmap() = std::move(bitmap);
  // An icon's background is the marker colour; a bitmap is shown as it is.
  LogoImage->Transparent = icon;
  LogoImage->Changed();
  return true;
}

void TEntryDialog::ShowUnknownLogo() {
  LoadUnknownLogoPicture(FFiles.AppDir, LogoImage->Picture().Bitmap());
  LogoImage->Transparent = false;
  LogoImage->Changed();
}

void TEntryDialog::FillLogoCombo() {
  TFileListBox files(nullptr);
  files.Directory = FFiles.AppDir + "Logos";
  files.Mask = "*.bmp;*.ico";
  files.Update();
  FLogoPictures.clear();
  LogoCombo->Items.Clear();
  for (int i = 0; i < files.Items.Count(); ++i) {
    const std::string name = files.Items[i];
    TBitmap picture;
    if (!LoadComboPicture(files.Directory + "\\" + name, picture)) continue;
    FLogoPictures.push_back(std::move(picture));
    LogoCombo->Items.Add(name);
  }
}

void TEntryDialog::LogoComboDrawItem(TWinControl*, TCanvas& canvas, int index, const RECT& rect, TOwnerDrawState) {
  canvas.FillRect(rect);
  if (index < 0 || index >= int(FLogoPictures.size())) return;
  TBitmap& picture = FLogoPictures[size_t(index)];
  picture.FixedTransparentColor = clWhite;
  canvas.Draw(rect.left + kComboMargin, rect.top + kComboMargin, picture, true);
  RECT text = rect;
  int x = rect.left + kComboMargin + picture.Width() + kComboTextGap;
  canvas.TextRect(text, x, rect.top + kComboMargin, LogoCombo->Items[index]);
}

void TEntryDialog::LogoComboChange(TComponent*) {
  int index = LogoCombo->ItemIndex();
  if (index < 0) return;
  std::string name = LogoCombo->Items[index];
  if (ShowLogo(FFiles.AppDir + "Logos\\" + name))
    LogoValue = name;
  else
    LogoValue.clear();
}

void TEntryDialog::BrowseLogoButtonClick(TComponent*) {
  if (!OpenLogoDialog->Execute()) return;
  LogoValue = OpenLogoDialog->FileName;
  if (!FileExists(LogoValue)) ShowUnknownLogo();
  else ShowLogo(LogoValue);
}
