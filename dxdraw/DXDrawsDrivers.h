// How the DirectDraw control makes and presents its surfaces: by a blit into
// the window's place on the primary surface, or by a full-screen flip chain.
#pragma once
#include "DXDrawsControl.h"

class TDXDrawDriver {
public:
  explicit TDXDrawDriver(TCustomDXDraw& owner) : FOwner(owner) {}
  virtual ~TDXDrawDriver() = default;
  // Makes Primary, Surface, the clipper and the palette on the owner.
  virtual void MakeSurfaces() = 0;
  virtual void Present(bool waitVBlank) = 0;
  // Makes Surface again at the owner's new surface size.
  virtual void Resize(int width, int height);
  // Restores Primary and Surface; whether both came back.
  virtual bool RestoreSurfaces();

protected:
  // Whether the surface lies in video memory; otherwise the options say so.
  void NoteSurfaceMemory();
  TCustomDXDraw& FOwner;
};

class TDXDrawDriverBlt : public TDXDrawDriver {
public:
  using TDXDrawDriver::TDXDrawDriver;
  void MakeSurfaces() override;
  void Present(bool waitVBlank) override;
  void Resize(int width, int height) override;

private:
  void MakeSurface();
};

class TDXDrawDriverFlip : public TDXDrawDriver {
public:
  using TDXDrawDriver::TDXDrawDriver;
  void MakeSurfaces() override;
  void Present(bool waitVBlank) override;
};
