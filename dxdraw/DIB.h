// TDIB: a device-independent bitmap of 1, 4, 8, 16, 24 or 32 bits per pixel
// in memory, with its own colour table, copy-on-write pixel sharing, the BMP
// stream and the grey, mirror and invert filters with progress reports.
// Drawing on a device context belongs to the Windows layer.
#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Classes.h"
#include "Graphics.h"

struct TBmpImage;

// Registers TDIB for the "dib" extension, taking it over from an earlier
// registration; done at start-up, and again by a program after it has
// registered the other picture formats.
void RegisterDIB();

using TRGBQuads = std::array<TRGBQuad, 256>;

// How 16- and 32-bit pixels hold red, green and blue.
struct TDIBPixelFormat {
  uint32_t RedMask = 0, GreenMask = 0, BlueMask = 0;
  int RedBits = 0, GreenBits = 0, BlueBits = 0;
  int RedShift = 0, GreenShift = 0, BlueShift = 0;
  int RedFill = 0, GreenFill = 0, BlueFill = 0;
  bool SameMasks(const TDIBPixelFormat& o) const {
    return RedMask == o.RedMask && GreenMask == o.GreenMask && BlueMask == o.BlueMask;
  }
};
TDIBPixelFormat MakeDIBPixelFormat(int redBits, int greenBits, int blueBits);
TDIBPixelFormat MakeDIBPixelFormatMask(uint32_t redMask, uint32_t greenMask, uint32_t blueMask);
uint32_t pfRGB(const TDIBPixelFormat& pf, uint8_t r, uint8_t g, uint8_t b);
void pfGetRGB(const TDIBPixelFormat& pf, uint32_t pixel, uint8_t& r, uint8_t& g, uint8_t& b);

// The pixels and figures that TDIBs share until one of them changes them.
struct TDIBSharedImage {
  int BitCount = 0, Width = 0, Height = 0, RowBytes = 0;
  size_t Size = 0;
  int ColorEntryCount = 0;  // 2^BitCount up to 8 bits, else 0
  TRGBQuads ColorTable{};
  TDIBPixelFormat PixelFormat;
  bool PaletteChanged = false;
  std::vector<uint8_t> Pixels;  // bottom row first
};

enum TProgressStage { psStarting, psRunning, psEnding };
struct TRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
};
class TDIB;
using TProgressEvent = std::function<void(TDIB& sender, TProgressStage stage, uint8_t percentDone, bool redrawNow,
                                          const TRect& r, const std::string& msg)>;

class TDIB : public TGraphic {
public:
  TDIB();
  std::string ClassName() const override { return "TDIB"; }
  // A TDIB shares the source's pixels; a TBitmap is copied; a TPicture gives
  // its graphic; any other picture is converted.
  void Assign(const TPersistent& source) override;
  // "DIB": a BMP stream that is read, never written.
  void DefineProperties(TFiler& filer) override;

  bool Empty() const override { return FImage->Size == 0; }
  int Width() const override { return FImage->Width; }
  int Height() const override { return FImage->Height; }
  int BitCount() const { return FImage->BitCount; }
  int RowBytes() const { return FImage->RowBytes; }
  int RowStep() const { return -FImage->RowBytes; }
  size_t Size() const { return FImage->Size; }
  const TDIBPixelFormat& CurrentPixelFormat() const { return FImage->PixelFormat; }
  const TRGBQuads& ImageColorTable() const { return FImage->ColorTable; }
  bool SharesPixelsWith(const TDIB& other) const { return FImage == other.FImage; }

  void SetSize(int width, int height, int bitCount);
  void SetWidth(int width);
  void SetHeight(int height);
  void Clear();
  // Gives the image this DIB's ColorTable when they differ.
  void UpdatePalette();

  // Row y from the top; raises EInvalidGraphicOperation outside 0..Height-1.
  uint8_t* ScanLine(int y);
  const uint8_t* ScanLine(int y) const;
  uint8_t* PixelBits();  // the bottom row; rows follow upwards
  const uint8_t* Bits() const { return FImage->Pixels.data(); }  // the same, read only
  uint8_t* TopRowBits();
  uint32_t Pixel(int x, int y) const;  // 0 outside the picture
  void SetPixel(int x, int y, uint32_t value);

  void LoadFromStream(TStream& s) override;
  void SaveToStream(TStream& s) override;
  // CF_DIB: the BMP bytes without the 14-byte file header.
  std::vector<uint8_t> ClipboardBytes();
  void LoadFromClipboardBytes(const std::vector<uint8_t>& bytes);

  // Filters (DIBFilters.cpp).
  void Greyscale(int bitCount);
  void Mirror(bool mirrorX, bool mirrorY);
  void InvertColors();
  void StartProgress(const std::string& name);
  void UpdateProgress(int row);
  void EndProgress();

  TRGBQuads ColorTable{};         // the table the user edits
  TDIBPixelFormat PixelFormat;    // used when the image is made anew
  TProgressEvent OnProgress;
  std::function<void()> OnChange;  // the picture was modified

private:
  void TakeBmp(const TBmpImage& bmp);  // becomes the picture of a decoded BMP
  void MakePrivate();
  void AssignGraphic(const TGraphic& graphic);
  void SetImage(std::shared_ptr<TDIBSharedImage> image);
  void Modified() { if (OnChange) OnChange(); }
  void Progress(TProgressStage stage, uint8_t percent, bool redraw, const TRect& r);

  std::shared_ptr<TDIBSharedImage> FImage;  // shared with other TDIBs until changed
  std::string FProgressName;
  int FProgressOldY = 0, FProgressY = 0;
  uint64_t FProgressOldTime = 0;
  uint8_t FProgressOld = 0;
};

// A component that owns one TDIB.
class TCustomDXDIB : public TComponent {
public:
  explicit TCustomDXDIB(TComponent* owner) : TComponent(owner) {}
  std::string ClassName() const override { return "TCustomDXDIB"; }
  TDIB& DIB() { return FDIB; }
  void SetDIB(const TGraphic& source) { FDIB.Assign(source); }

private:
  TDIB FDIB;  // owned
};

class TDXDIB : public TCustomDXDIB {
public:
  using TCustomDXDIB::TCustomDXDIB;
  std::string ClassName() const override { return "TDXDIB"; }
};
