// TDIB's whole-picture filters (grey, mirror, invert) and their progress
// reports.
#include <chrono>
#include <cstring>

#include "DIB.h"

namespace {
uint64_t TickCount() {
  using namespace std::chrono;
  return uint64_t(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

// Grey weights: three lookups and two additions per pixel; white gives 253.
struct TGreyWeights {
  uint8_t R[256], G[256], B[256];
  TGreyWeights() {
    for (int i = 0; i < 256; ++i) {
      R[i] = uint8_t(0.3588 * i);
      G[i] = uint8_t(0.402 * i);
      B[i] = uint8_t(0.2392 * i);
    }
  }
  uint8_t operator()(uint8_t r, uint8_t g, uint8_t b) const { return uint8_t(R[r] + G[g] + B[b]); }
};

// Ends the progress report on every way out.
struct TProgressGuard {
  TDIB& Dib;
  ~TProgressGuard() { Dib.EndProgress(); }
};

void SwapBytes(uint8_t* a, uint8_t* b, size_t n) {
  for (size_t i = 0; i < n; ++i) std::swap(a[i], b[i]);
}
}  // namespace

void TDIB::Progress(TProgressStage stage, uint8_t percent, bool redraw, const TRect& r) {
  if (OnProgress) OnProgress(*this, stage, percent, redraw, r, FProgressName);
}

void TDIB::StartProgress(const std::string& name) {
  FProgressName = name;
  FProgressOld = 0;
  FProgressOldTime = TickCount();
  FProgressY = 0;
  FProgressOldY = 0;
  Progress(psStarting, 0, false, {0, 0, Width(), Height()});
}

void TDIB::UpdateProgress(int row) {
  uint64_t now = TickCount();
  bool redraw = now - FProgressOldTime > 200 && FProgressY - FProgressOldY > 32 &&
                (FProgressY < Height() / 3 || FProgressOldY != 0);
  uint8_t percent = uint8_t(Height() ? row * 100 / Height() : 0);
  if (percent != FProgressOld || redraw) {
    Progress(psRunning, percent, redraw, {0, FProgressOldY, Width(), FProgressY});
    if (redraw) {
      FProgressOldY = FProgressY;
      FProgressOldTime = now;
    }
    FProgressOld = percent;
  }
  ++FProgressY;
}

void TDIB::EndProgress() { Progress(psEnding, 100, true, {0, FProgressOldY, Width(), Height()}); }

void TDIB::Greyscale(int bitCount) {
  if (Empty()) return;
  TDIB source;
  source.Assign(*this);  // shares the pixels, keeps the colour table and format
  SetSize(Width(), Height(), bitCount);
  if (bitCount <= 8) {
    ColorTable = TRGBQuads{};
    for (int i = 0; i < (1 << bitCount); ++i) {
      int c = i << (8 - bitCount);
      c |= c >> bitCount;
      ColorTable[i] = {uint8_t(c), uint8_t(c), uint8_t(c), 0};
    }
    UpdatePalette();
  }
  const TGreyWeights grey;
  const TRGBQuads& table = source.ImageColorTable();
  const TDIBPixelFormat& from = source.CurrentPixelFormat();
  StartProgress("Greyscale");
  TProgressGuard guard{*this};
  const int sourceBits = source.BitCount();
  for (int y = 0; y < Height(); ++y) {
    uint8_t* out = ScanLine(y);
    const uint8_t* in = static_cast<const TDIB&>(source).ScanLine(y);
    for (int x = 0; x < Width(); ++x) {
      uint8_t g;
      if (sourceBits <= 8) {
        uint32_t i = sourceBits == 8 ? in[x] : sourceBits == 4 ? (x & 1 ? in[x / 2] & 15 : in[x / 2] >> 4)
                                                               : (in[x / 8] >> (7 - (x & 7))) & 1;
        g = grey(table[i].Red, table[i].Green, table[i].Blue);
      } else if (sourceBits == 24) {
        g = grey(in[3 * x + 2], in[3 * x + 1], in[3 * x]);
      } else {
        uint32_t v = sourceBits == 16 ? uint32_t(in[2 * x] | in[2 * x + 1] << 8)
                                      : uint32_t(in[4 * x] | in[4 * x + 1] << 8 | in[4 * x + 2] << 16 |
                                                 uint32_t(in[4 * x + 3]) << 24);
        uint8_t r, gg, b;
        pfGetRGB(from, v, r, gg, b);
        g = grey(r, gg, b);
      }
      switch (bitCount) {
        case 1: {
          uint8_t m = uint8_t(0x80 >> (x & 7));
          out[x / 8] = uint8_t(g > 127 ? out[x / 8] | m : out[x / 8] & ~m);
          break;
        }
        case 4: out[x / 2] = x & 1 ? uint8_t((out[x / 2] & 0xF0) | g >> 4) : uint8_t((out[x / 2] & 0x0F) | (g >> 4) << 4); break;
        case 8: out[x] = g; break;
        case 24: out[3 * x] = out[3 * x + 1] = out[3 * x + 2] = g; break;
        default: {
          uint32_t v = pfRGB(CurrentPixelFormat(), g, g, g);
          for (int i = 0; i < bitCount / 8; ++i) out[bitCount / 8 * x + i] = uint8_t(v >> (8 * i));
        }
      }
    }
    UpdateProgress(y);
  }
}

void TDIB::Mirror(bool mirrorX, bool mirrorY) {
  if (Empty() || (!mirrorX && !mirrorY)) return;
  const int w = Width(), h = Height(), bits = BitCount();
  const size_t unit = size_t(bits / 8);
  // Pixels x and x2 of rows y and y2 change places.
  auto swapPixels = [&](int y, int x, int y2, int x2) {
    if (bits < 8) {
      uint32_t a = Pixel(x, y), b = Pixel(x2, y2);
      SetPixel(x, y, b);
      SetPixel(x2, y2, a);
    } else {
      SwapBytes(ScanLine(y) + x * unit, ScanLine(y2) + x2 * unit, unit);
    }
  };
  auto reverseRow = [&](int y) {
    for (int x = 0; x < w / 2; ++x) swapPixels(y, x, y, w - 1 - x);
  };
  StartProgress("Mirror");
  TProgressGuard guard{*this};
  if (mirrorY && !mirrorX) {
    for (int i = 0; i < h / 2; ++i) {
      SwapBytes(ScanLine(i), ScanLine(h - 1 - i), size_t(RowBytes()));
      UpdateProgress(2 * i);
    }
  } else if (mirrorX && !mirrorY) {
    for (int i = 0; i < h; ++i) {
      reverseRow(i);
      UpdateProgress(i);
    }
  } else {
    for (int i = 0; i < h / 2; ++i) {
      for (int x = 0; x < w; ++x) swapPixels(i, x, h - 1 - i, w - 1 - x);
      UpdateProgress(2 * i);
    }
    if (h % 2) reverseRow(h / 2);
  }
  Modified();
}

void TDIB::InvertColors() {
  if (Empty()) return;
  if (BitCount() > 8) {
    uint8_t* p = PixelBits();
    for (size_t i = 0; i < Size(); ++i) p[i] = uint8_t(~p[i]);
    Modified();
    return;
  }
  for (auto& e : ColorTable) {
    e.Red = uint8_t(255 - e.Red);
    e.Green = uint8_t(255 - e.Green);
    e.Blue = uint8_t(255 - e.Blue);
  }
  UpdatePalette();
}
