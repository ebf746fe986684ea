// The grid's OLE drop target: text and file lists dropped onto the window.
#pragma once
#include "Handles.h"

#include <ole2.h>

class TExtStringGrid;

class TGridDropTarget : public IDropTarget {
public:
  explicit TGridDropTarget(TExtStringGrid& grid) : FGrid(grid) {}
  virtual ~TGridDropTarget() = default;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  // The grid owns the object; COM's references do not free it.
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL pt, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragLeave() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect) override;

private:
  bool Accepts(POINTL pt) const;
  TExtStringGrid& FGrid;
  bool FFiles = false, FText = false;  // what the data being dragged holds
};
