// The shaped window's face: mask loading, the outline, and dragging.
#include "ShapedForm.h"


#include "Filer.h"
#include "Forms.h"
#include "Streams.h"
#include "extMaskgenerator.h"
#include "extMaskgeneratorWin.h"

HRGN TRegionType::CreateRegion() const { return FData.empty() ? nullptr : CreateMaskRegion(FData); }

TShapedForm::TShapedForm(TComponent* owner) : TImage(owner), FMask(this) {
  Align = alClient;
}

void TShapedForm::SetParent(TWinControl* parent) {
  if (auto* form = dynamic_cast<TForm*>(parent)) form->SetBorderStyle(bsNone);
  TImage::SetParent(parent);
  SetBounds(0, 0, Width(), Height());
}

void TShapedForm::Settop(int) { SetTop(0); }
void TShapedForm::Setleft(int) { SetLeft(0); }
void TShapedForm::Setwidth(int value) { SetWidth(value); }
void TShapedForm::Setheight(int value) { SetHeight(value); }

bool TShapedForm::TakeMask(std::vector<uint8_t> data) {
  if (data.empty()) {
    FMask.SetData({});
    return true;
  }
  FMask.SetData(std::move(data));
  ApplyMaskRegion();
  return true;
}

bool TShapedForm::LoadMaskFile(const std::string& fileName) {
  std::optional<std::vector<uint8_t>> data = ReadMaskFile(fileName);
  return data && TakeMask(std::move(*data));
}

bool TShapedForm::LoadMaskBytes(std::span<const uint8_t> file) {
  std::optional<std::vector<uint8_t>> data = ParseMaskBytes(file);
  return data && TakeMask(std::move(*data));
}

void TShapedForm::ApplyMaskRegion() {
  TWinControl* form = Parent();
  if (!form || FMask.Empty()) return;
  TRegionHandle region(FMask.CreateRegion());
  if (!region) return;
  // The window owns the region from here on.
  if (SetWindowRgn(form->Handle(), region.Get(), TRUE)) region.Release();
}

std::vector<uint8_t> TShapedForm::Mask2Bytes() const { return MaskFileBytes(FMask.Data()); }

void TShapedForm::DefineProperties(TFiler& filer) {
  filer.BinaryProperty(
      "Mask2",
      [this](TStream& s) {
        std::vector<uint8_t> bytes(size_t(s.Remaining()));
        if (!bytes.empty()) s.ReadBuffer(bytes.data(), int64_t(bytes.size()));
        LoadMaskBytes(bytes);
      },
      [this](TStream& s) {
        auto bytes = Mask2Bytes();
        s.WriteBuffer(bytes.data(), int64_t(bytes.size()));
      },
      true);
}

void TShapedForm::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TImage::MouseDown(button, shift, x, y);
  if (button != mbLeft || !Parent()) return;
  // The system's move command with the mouse: the form follows it.
  ReleaseCapture();
  SendMessageA(Parent()->Handle(), WM_SYSCOMMAND, 0xF012, 0);
}
