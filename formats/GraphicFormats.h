// Picture file readers (Targa, TIFF, PCX, SGI, Photo-CD, PPM, Dr. Halo CUT,
// GIF, Wavefront RLA, Photoshop, Autodesk, JPEG), the Targa writer and their
// registration with the picture registry. Every class is a TBitmap: loading
// decodes the file into the bitmap's pixels and palette.
#pragma once
#include <cstdint>
#include <functional>
#include <span>
#include <string>

#include "Graphics.h"

// Registers the picture classes and their file extensions; the first call
// does the work, later ones only count (the programs call it at start-up).
void RegisterGraphicFormats();

// A picture that is read whole from its stream and decoded from memory.
class TDecodedGraphic : public TBitmap {
public:
  void LoadFromStream(TStream& s) override;  // reads to the end of the stream
  // Decodes the file from a read-only view of it, without a copy.
  void LoadFromFile(const std::string& name) override;
  // Decodes a whole file; on failure the bitmap keeps what it held before.
  void LoadFromMemory(std::span<const uint8_t> bytes);

protected:
  virtual TBitmap Decode(std::span<const uint8_t> bytes) = 0;
  // For the formats that are read only: raises, so that saving one to a file
  // never leaves an empty file in place of the old one.
  [[noreturn]] void SavingNotOffered(const char* format) const;
};

// Truevision Targa: reads types 1-3 and 9-11, writes run-length or raw.
class TTargaGraphic : public TDecodedGraphic {
public:
  std::string ClassName() const override { return "TTargaGraphic"; }
  void SaveToStream(TStream& s) override { WriteTarga(s, true); }
  // A declined colour-depth question leaves the file as it was.
  void SaveToFile(const std::string& name) override;
  void WriteTarga(TStream& s, bool compressed);
  std::string ImageID;  // the file's identification text, written back on save

protected:
  TBitmap Decode(std::span<const uint8_t> bytes) override;

private:
  // 1- and 4-bit pictures are asked about and converted to 8 bits; false
  // when the question is declined.
  bool AllowedDepth();
};

// Asked before a 1- or 4-bit bitmap is written as Targa; true converts it to
// 8 bits and writes, false writes nothing. Unset means true. The Windows
// layer points it at a warning box with OK and Cancel.
extern std::function<bool(const std::string& question)> TargaConvertQuery;
extern const char* const kTargaConvertQuestion;

class TTIFFGraphic : public TDecodedGraphic {
public:
  std::string ClassName() const override { return "TTIFFGraphic"; }
  void SaveToStream(TStream&) override { SavingNotOffered("TIFF"); }

protected:
  TBitmap Decode(std::span<const uint8_t> bytes) override;
};

class TPCXGraphic : public TDecodedGraphic {
public:
  std::string ClassName() const override { return "TPCXGraphic"; }
  void SaveToStream(TStream&) override { SavingNotOffered("PCX"); }

protected:
  TBitmap Decode(std::span<const uint8_t> bytes) override;
};

class TSGIGraphic : public TDecodedGraphic {
public:
  std::string ClassName() const override { return "TSGIGraphic"; }

protected:
  TBitmap Decode(std::span<const uint8_t> bytes) override;
};

class TPCDGraphic : public TDecodedGraphic {
public:
  std::string ClassName() const override { return "TPCDGraphic"; }
  void SaveToStream(TStream&) override { SavingNotOffered("Photo-CD"); }
  int Resolution = 2;  // 0: 192 x 128, 1: 384 x 256, 2: 768 x 512

protected:
  TBitmap Decode(std::span<const uint8_t> bytes) override;
};

class TPPMGraphic : public TDecodedGraphic {
public:
  std::string ClassName() const override { return "TPPMGraphic"; }

protected:
  TBitmap Decode(std::span<const uint8_t> bytes) override;
};

// Dr. Halo CUT; the palette comes from the ".pal" file beside the picture.
class TCUTGraphic : public TDecodedGraphic {
public:
  std::string ClassName() const override { return "TCUTGraphic"; }
  void LoadFromFile(const std::string& name) override;
  // The palette file's bytes; LoadFromFile reads them, empty means grey.
  std::vector<uint8_t> PaletteFile;

protected:
  TBitmap Decode(std::span<const uint8_t> bytes) override;
};

class TGIFGraphic : public TDecodedGraphic {
public:
  std::string ClassName() const override { return "TGIFGraphic"; }

protected:
  TBitmap Decode(std::span<const uint8_t> bytes) override;
};

class TRLAGraphic : public TDecodedGraphic {
public:
  std::string ClassName() const override { return "TRLAGraphic"; }

protected:
  TBitmap Decode(std::span<const uint8_t> bytes) override;
};

class TPSDGraphic : public TDecodedGraphic {
public:
  std::string ClassName() const override { return "TPSDGraphic"; }

protected:
  TBitmap Decode(std::span<const uint8_t> bytes) override;
};

class TAutodeskGraphic : public TDecodedGraphic {
public:
  std::string ClassName() const override { return "TAutodeskGraphic"; }

protected:
  TBitmap Decode(std::span<const uint8_t> bytes) override;
};

// JPEG through libjpeg; grey pictures become 8 bits, others 24.
class TJPEGImage : public TDecodedGraphic {
public:
  std::string ClassName() const override { return "TJPEGImage"; }

protected:
  TBitmap Decode(std::span<const uint8_t> bytes) override;
};
