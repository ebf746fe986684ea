// Portable graphics of the class library: TFont's values, TGraphic, the pixel
// store TBitmap (BMP in and out), TPicture and the picture class registry.
#pragma once
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "Classes.h"
#include "Colors.h"

class TStream;

class EInvalidGraphic : public Exception { using Exception::Exception; };
class EInvalidGraphicOperation : public Exception { using Exception::Exception; };

// --- pixel blocks

// The allocator of pixel blocks: memory comes from calloc, already zero (a
// large block is fresh pages from the system, zero without a pass over
// them), so value-initialising a byte leaves it as it is. That holds for
// fresh blocks only: a TPixelBytes is made at its size and replaced, never
// shrunk and grown again.
template <class T>
struct TZeroedAllocator {
  using value_type = T;
  TZeroedAllocator() = default;
  template <class U>
  TZeroedAllocator(const TZeroedAllocator<U>&) {}
  T* allocate(size_t n) {
    if (void* p = std::calloc(n ? n : 1, sizeof(T))) return static_cast<T*>(p);
    throw std::bad_alloc();
  }
  void deallocate(T* p, size_t) { std::free(p); }
  template <class U>
  void construct(U*) {}
  template <class U, class... A>
  void construct(U* p, A&&... a) {
    ::new (static_cast<void*>(p)) U(std::forward<A>(a)...);
  }
  template <class U>
  bool operator==(const TZeroedAllocator<U>&) const { return true; }
};
// Pixel rows: TPixelBytes(n) is n zero bytes.
using TPixelBytes = std::vector<uint8_t, TZeroedAllocator<uint8_t>>;

// --- fonts

enum TFontStyle : uint32_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
enum TFontPitch : int32_t { fpDefault = 0, fpVariable = 1, fpFixed = 2 };
constexpr int32_t ANSI_CHARSET_VALUE = 0, DEFAULT_CHARSET_VALUE = 1;

// A font's description; the Windows layer makes GDI fonts from it.
class TFont : public TPersistent {
public:
  std::string ClassName() const override { return "TFont"; }
  void Assign(const TPersistent& source) override;
  // Charset, Color, Height, Name, Pitch (only when not fpDefault), Style.
  void DefineProperties(TFiler& filer) override;
  bool operator==(const TFont& o) const;

  int32_t Size() const;            // points at 96 pixels per inch
  void SetSize(int32_t points);

  int32_t Charset = DEFAULT_CHARSET_VALUE;
  TColor Color = TColor(0x80000008);  // clWindowText
  int32_t Height = -11;
  std::string Name = "MS Sans Serif";
  int32_t Pitch = fpDefault;
  uint32_t Style = 0;  // TFontStyle bits
};

// --- graphics

class TGraphic : public TPersistent {
public:
  virtual bool Empty() const = 0;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  virtual void LoadFromStream(TStream& s) = 0;
  virtual void SaveToStream(TStream& s) = 0;
  // Virtual for pictures that read companion files beside the named one.
  virtual void LoadFromFile(const std::string& name);
  // Through a temporary file: a save that fails keeps the old file. Virtual
  // for pictures that may decline to save before anything is written.
  virtual void SaveToFile(const std::string& name);
  // What a picture's "Data" property holds after the class name.
  virtual void ReadData(TStream& s) { LoadFromStream(s); }
  virtual void WriteData(TStream& s) { SaveToStream(s); }
  bool Transparent = false;
};

enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };

struct TRGBQuad {
  uint8_t Blue = 0, Green = 0, Red = 0, Reserved = 0;
  bool operator==(const TRGBQuad&) const = default;
};

// The largest picture: every reader refuses a bigger one before it allocates,
// and a bitmap cannot be made bigger, so whatever one reader loads the BMP
// reader reads back. At most 2^20 pixels each way (far beyond any picture
// the programs show; wide enough for panoramas) and 256 MiB of pixel rows.
constexpr uint64_t kMaxPictureSide = 1u << 20;
constexpr uint64_t kMaxBitmapBytes = 256ull << 20;
// Whether width x height pixels of the given bits fit the limits above (an
// empty picture fits).
bool PictureSizeFits(uint64_t width, uint64_t height, int bitsPerPixel);

// Pixels, palette and format kept as a Windows device-independent bitmap
// would: rows DWORD-aligned, bottom-up unless TopDown. 15-bit pixels are
// 5-5-5 words, 16-bit pixels 5-6-5 words, 24 and 32 bits blue-green-red(-x).
class TBitmap : public TGraphic {
public:
  TBitmap() = default;
  std::string ClassName() const override { return "TBitmap"; }
  void Assign(const TPersistent& source) override;

  bool Empty() const override { return FWidth == 0 || FHeight == 0; }
  int Width() const override { return FWidth; }
  int Height() const override { return FHeight; }
  // Keeps the format; new pixels are 0. Raises EOutOfResources past the
  // limits of PictureSizeFits.
  void SetSize(int width, int height);
  void SetWidth(int w) { SetSize(w, FHeight); }
  void SetHeight(int h) { SetSize(FWidth, h); }

  TPixelFormat PixelFormat() const { return FPixelFormat; }
  // Converts the pixels (see Bitmap.cpp for how colours are reduced).
  void SetPixelFormat(TPixelFormat pf);
  int BitsPerPixel() const { return BitsOf(FPixelFormat); }
  static int BitsOf(TPixelFormat pf);

  const std::vector<TRGBQuad>& Palette() const { return FPalette; }
  void SetPalette(std::vector<TRGBQuad> palette);

  // Row y counted from the top of the picture.
  uint8_t* ScanLine(int y);
  const uint8_t* ScanLine(int y) const;
  int RowBytes() const { return RowBytesOf(FWidth, BitsPerPixel()); }
  static int RowBytesOf(int width, int bits) { return ((width * bits + 31) / 32) * 4; }
  // Whether the rows lie top row first in memory (and in a written BMP).
  bool TopDown() const { return FTopDown; }
  void SetTopDown(bool topDown);
  // The whole pixel block, rows as TopDown says, each RowBytes long.
  std::span<const uint8_t> Bits() const { return FBits; }
  std::span<uint8_t> Bits() { return FBits; }

  TColor Pixel(int x, int y) const;       // the pixel's RGB colour
  void SetPixel(int x, int y, TColor c);  // indexed formats take the nearest palette entry
  uint32_t PaletteIndex(int x, int y) const;

  // The colour drawn transparent: the bottom-left pixel unless set.
  TColor TransparentColor() const;
  TColor FixedTransparentColor = clNone;

  void LoadFromStream(TStream& s) override;  // a BMP file
  void SaveToStream(TStream& s) override;
  void LoadFromBytes(std::span<const uint8_t> bmp);
  std::vector<uint8_t> SaveToBytes() const;
  void ReadData(TStream& s) override;   // 32-bit length, then a BMP file
  void WriteData(TStream& s) override;

private:
  int FWidth = 0, FHeight = 0;
  TPixelFormat FPixelFormat = pf24bit;
  bool FTopDown = false;
  std::vector<TRGBQuad> FPalette;
  TPixelBytes FBits;
};

// --- the picture registry

using TGraphicFactory = std::function<std::unique_ptr<TGraphic>()>;

struct TFileFormat {
  std::string Extension;    // without the dot, lower case
  std::string Description;
  std::string ClassName;
};

// Picture classes by name (the name a picture stream stores).
void RegisterGraphicClass(const std::string& className, TGraphicFactory factory);
std::unique_ptr<TGraphic> CreateGraphic(const std::string& className);  // EClassNotFound
// Extensions; a later registration of an extension takes over from an earlier one.
void RegisterFileFormat(const std::string& extension, const std::string& description,
                        const std::string& className);
const TFileFormat* FindFileFormat(const std::string& extension);  // with or without the dot
std::vector<TFileFormat> FileFormats();  // in registration order

// A property holder for one graphic of any registered class.
class TPicture : public TPersistent {
public:
  TPicture() = default;
  std::string ClassName() const override { return "TPicture"; }
  // From a TPicture or a TGraphic: a copy of the same class; a picture with
  // no graphic clears this one.
  void Assign(const TPersistent& source) override;
  void Clear() { FGraphic.reset(); }
  // "Data": the class name as a short string, then the class's own data.
  void DefineProperties(TFiler& filer) override;

  TGraphic* Graphic() const { return FGraphic.get(); }
  void SetGraphic(std::unique_ptr<TGraphic> g) { FGraphic = std::move(g); }
  // The graphic as a bitmap; replaces any other graphic by an empty bitmap.
  TBitmap& Bitmap();
  int Width() const { return FGraphic ? FGraphic->Width() : 0; }
  int Height() const { return FGraphic ? FGraphic->Height() : 0; }

  // Chooses the class by the extension; EInvalidGraphic for an unknown one.
  void LoadFromFile(const std::string& name);
  void SaveToFile(const std::string& name);

private:
  void ReadData(TStream& s);
  void WriteData(TStream& s);
  std::unique_ptr<TGraphic> FGraphic;  // owned
};
