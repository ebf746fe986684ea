// TShapedForm: the picture control that gives its form the outline of a
// region mask, shows the background picture and drags the borderless form.
#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "ExtCtrls.h"

class TShapedForm;

// The form's outline as region data. Only the bytes are kept: the system owns
// a region once it is set on a window, so each apply builds a fresh one.
class TRegionType : public TPersistent {
public:
  explicit TRegionType(TShapedForm* owner) : FOwner(owner) {}
  std::string ClassName() const override { return "TRegionType"; }
  TShapedForm* Owner() const { return FOwner; }
  const std::vector<uint8_t>& Data() const { return FData; }
  void SetData(std::vector<uint8_t> data) { FData = std::move(data); }
  bool Empty() const { return FData.empty(); }
  // A new region from the data; the caller owns it. Null when empty.
  HRGN CreateRegion() const;

private:
  TShapedForm* FOwner;  // not owned
  std::vector<uint8_t> FData;
};

class TShapedForm : public TImage {
public:
  explicit TShapedForm(TComponent* owner);
  std::string ClassName() const override { return "TShapedForm"; }

  // A form parent loses its border; the control sits at 0, 0.
  void SetParent(TWinControl* parent) override;
  // left and top always become 0; width and height pass through.
  virtual void Settop(int value);
  virtual void Setleft(int value);
  virtual void Setwidth(int value);
  virtual void Setheight(int value);

  // n > 0: the data replaces the old and becomes the form's outline; n = 0:
  // the region is forgotten and the outline stays. False for a missing,
  // short or malformed file (the outline stays).
  bool LoadMaskFile(const std::string& fileName);
  // The same from the bytes of a mask file (n, then the region data).
  bool LoadMaskBytes(std::span<const uint8_t> file);
  // Sets the outline again from the stored data.
  void ApplyMaskRegion();

  TRegionType& Mask() { return FMask; }
  bool Draggable = true;  // stored only; the dragging does not ask it

  // Mask2: the mask file's bytes (n = 0 when there is no region).
  void DefineProperties(TFiler& filer) override;
  std::vector<uint8_t> Mask2Bytes() const;

  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;

private:
  bool TakeMask(std::vector<uint8_t> data);
  TRegionType FMask;  // owned
};
