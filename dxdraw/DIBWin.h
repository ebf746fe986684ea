// TDIB on Windows: drawing it on a device context, a GDI canvas on its
// pixels, its GDI palette through the process's palette cache, the clipboard
// (CF_DIB) and a stream over global memory.
#pragma once
#include "Handles.h"

#include <optional>
#include <vector>

#include "DIB.h"
#include "Streams.h"
#include "WinGraphics.h"

// The info block (header, masks, colour table) as StretchDIBits takes it.
std::vector<uint8_t> DIBInfoBlock(const TDIB& dib);

// Draws the DIB (or its source rectangle) stretched into dest, with its
// palette realised when it has a colour table; nothing for an empty DIB.
void DrawDIB(HDC dc, const TDIB& dib, const RECT& dest, const RECT* source = nullptr);

// A canvas on a copy of the DIB's pixels in a DIB section; what is drawn
// goes back into the DIB (made private first) at Release and when freed.
class TDIBCanvas {
public:
  explicit TDIBCanvas(TDIB& dib);
  ~TDIBCanvas() { Release(); }
  TDIBCanvas(const TDIBCanvas&) = delete;
  TDIBCanvas& operator=(const TDIBCanvas&) = delete;
  TCanvas& Canvas() { return *FCanvas; }
  HDC Handle() const { return FDC.Get(); }
  void Release();

private:
  TDIB& FDIB;
  TMemDCHandle FDC;
  TBitmapHandle FSection;
  HGDIOBJ FOld = nullptr;
  uint8_t* FBits = nullptr;  // the section's pixels, owned by it
  std::optional<TCanvas> FCanvas;
};

// The GDI palette of a colour table (entries used), shared by equal tables
// through the process's palette cache; nullptr for no entries.
HPALETTE AcquirePalette(const TRGBQuads& table, int count);
// Gives a palette back; the cache deletes it with its last user. Clears handle.
void ReleasePalette(HPALETTE& handle);
int PaletteCacheSize();

// Reads a GDI palette's first 256 entries into the DIB's ColorTable (red and
// blue swapped into table order), deletes the handle and updates the image.
void SetDIBPalette(TDIB& dib, HPALETTE palette);

// Puts the DIB on the open clipboard as CF_DIB in movable global memory.
void SaveDIBToClipboardFormat(TDIB& dib, UINT& format, HANDLE& data);
void LoadDIBFromClipboardFormat(TDIB& dib, UINT format, HANDLE data);

// A read-only stream over a global memory handle, locked while it lives.
class TGlobalMemoryStream : public TStream {
public:
  explicit TGlobalMemoryStream(HGLOBAL handle);
  ~TGlobalMemoryStream() override;
  int64_t Read(void* buffer, int64_t count) override;
  int64_t Write(const void* buffer, int64_t count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
  int64_t Size() override { return FSize; }

private:
  HGLOBAL FHandle;  // not owned
  const uint8_t* FData = nullptr;
  int64_t FSize = 0, FPosition = 0;
};
