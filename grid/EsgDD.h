// The grid's OLE drag-and-drop plumbing: a drop target with overridable
// hooks, a drop source, the data object offered when text or a column is
// dragged out of a grid, its format enumerator, and a reader of the formats
// of a dropped data object.
#pragma once
#include "Handles.h"

#include <ole2.h>

#include <functional>
#include <string>
#include <vector>

// --- unit-wide state

// The registered "Rich Text Format" and "Grid Column" clipboard formats
// (registered on first use; registering again gives the same number).
CLIPFORMAT RichTextClipFormat();
CLIPFORMAT GridColumnClipFormat();
// Rich text is offered and accepted only while this is on (the grids'
// OleDropRTF sets it).
bool OleRichTextDrops();
void SetOleRichTextDrops(bool on);
// One user of the unit for its lifetime; when the last one goes, the
// rich-text switch is off again and the format numbers are forgotten.
class TEsgDDUser {
public:
  TEsgDDUser();
  ~TEsgDDUser();
  TEsgDDUser(const TEsgDDUser&) = delete;
  TEsgDDUser& operator=(const TEsgDDUser&) = delete;
};

// Runs a hook; its exception is shown by the application and stops here, so
// that nothing unwinds into the system's drag loop.
void Guarded(const std::function<void()>& hook);

// A global memory block locked for as long as this lives.
class TGlobalLock {
public:
  explicit TGlobalLock(HGLOBAL block) : FBlock(block), FBytes(block ? GlobalLock(block) : nullptr) {}
  ~TGlobalLock() {
    if (FBytes) GlobalUnlock(FBlock);
  }
  TGlobalLock(const TGlobalLock&) = delete;
  TGlobalLock& operator=(const TGlobalLock&) = delete;
  void* Bytes() const { return FBytes; }

private:
  HGLOBAL FBlock;
  void* FBytes;
};

// An interface pointer holding one reference, released with the holder.
template <class I>
struct TComTraits {
  using handle_type = I*;
  static I* Invalid() { return nullptr; }
  static void Free(I* p) { p->Release(); }
};
template <class I>
using TComRef = THandleOwner<TComTraits<I>>;

// IUnknown for one interface: the object starts with its creator's
// reference and deletes itself when the last reference goes.
template <class I>
class TComObject : public I {
public:
  TComObject() = default;
  TComObject(const TComObject&) = delete;
  TComObject& operator=(const TComObject&) = delete;
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, __uuidof(I))) {
      *out = static_cast<I*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++FRefs; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --FRefs;
    if (left == 0) delete this;
    return left;
  }
  ULONG RefCount() const { return FRefs; }

protected:
  virtual ~TComObject() = default;

private:
  ULONG FRefs = 1;
};

// Every format of the unit travels as the content in a global memory block.
inline FORMATETC ContentFormat(CLIPFORMAT format) {
  return FORMATETC{format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
}

// The formats a dropped object holds, as bits.
enum TDropFormat { dfText = 1, dfFiles = 2, dfColumn = 4, dfRichText = 8 };

// The names of a dropped file list (a DROPFILES block of size bytes). Names
// are read only within the block; a list whose last name or terminating
// empty name runs past its end is refused (false).
bool ReadDropFiles(const void* block, size_t size, std::vector<std::string>& names);

// Reads a dropped data object: walks its format enumerator and fetches data
// as global memory blocks for the content aspect. Every block is read within
// its size. EExtGridError "Cannot get the format enumerator" when the object
// has none.
class TEnumFormats {
public:
  explicit TEnumFormats(IDataObject* data);
  // Restarts the walk and stops at the first entry of the format; true when
  // the object lists it and says it can give it.
  bool HasFormat(CLIPFORMAT format);
  // The dfXxx bits of the formats present.
  int Formats();
  // The data; false (and nothing read) when the object does not give it.
  bool Text(std::string& text) { return ReadString(CF_TEXT, text); }
  bool RichText(std::string& text) { return ReadString(RichTextClipFormat(), text); }
  bool ColumnIndex(int& col);
  bool FileNames(std::vector<std::string>& names);

private:
  bool ReadString(CLIPFORMAT format, std::string& text);
  // Hands the bytes of the object's block in the format to use.
  template <class F>
  bool ReadBlock(CLIPFORMAT format, F&& use);
  IDataObject* FData;  // not owned
  TComRef<IEnumFORMATETC> FEnum;
  FORMATETC FCurrent{};
  bool FValid = false;
};

// A drop target whose hooks a descendant fills in. Points are in screen
// coordinates. A drop hook says whether it took the data: a drop that
// nothing took reports no effect, so that a moving source keeps its data.
class TESGDropTarget : public TComObject<IDropTarget> {
public:
  bool AcceptText = true, AcceptFiles = true, AcceptCols = false;
  int Formats() const { return FFormats; }  // dfXxx of the object being dragged
  bool DropAcceptable() const { return FDropAcceptable; }

  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL pt, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragLeave() override;
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect) override;

protected:
  virtual bool DropText(POINT pt, const std::string& text) { return false; }
  virtual bool DropCol(POINT pt, int col) { return false; }
  virtual bool DropRTF(POINT pt, const std::string& text) { return false; }
  virtual bool DropFiles(POINT pt, const std::vector<std::string>& names) { return false; }
  virtual void DragMouseMove(POINT pt, bool& accept, int formats) {}
  virtual void DragMouseEnter() {}
  virtual void DragMouseLeave() {}

private:
  // Reads the object's formats and whether this target takes any of them.
  void ReadFormats(IDataObject* data);
  bool FDropAcceptable = false;
  int FFormats = 0;
};

// Copy with Ctrl held, else move, within what the source allows; none when
// it allows neither.
DWORD DropEffectFor(DWORD keys, DWORD allowed);

class TESGDropSource : public TComObject<IDropSource> {
public:
  HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD keys) override;
  HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD effect) override;
  bool LastFeedbackNone() const { return FNoEffect; }

protected:
  virtual void CurrentEffect(DWORD effect) {}
  virtual void QueryDrag() {}

private:
  bool FNoEffect = false;
};

// Drags text (with its rich-text form) or a grid column through the
// system's drag loop. The cancel result when the last feedback showed no
// effect, else the loop's own; effect gets the drop's effect.
HRESULT StartTextDoDragDrop(TESGDropSource* source, const std::string& text, const std::string& rtf,
                            DWORD allowed, DWORD& effect);
HRESULT StartColDoDragDrop(TESGDropSource* source, int col, DWORD allowed, DWORD& effect);

// The object dragged out of a grid: text (plain, Unicode and rich) or a
// column index (-1: none).
class TSourceDataObject : public TComObject<IDataObject> {
public:
  TSourceDataObject(std::string text, std::string rtf, int col)
      : FText(std::move(text)), FRTF(std::move(rtf)), FCol(col) {}

  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override;
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return DV_E_FORMATETC; }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override;
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override;
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return DV_E_FORMATETC; }
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) override;
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
    return OLE_E_ADVISENOTSUPPORTED;
  }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

private:
  std::string FText, FRTF;
  int FCol;
};

// The formats of a TSourceDataObject: plain text, Unicode text, rich text
// and, for a column drag, the column.
class TSourceEnumFormatEtc : public TComObject<IEnumFORMATETC> {
public:
  explicit TSourceEnumFormatEtc(bool withColumn, ULONG at = 0) : FWithColumn(withColumn), FAt(at) {}
  HRESULT STDMETHODCALLTYPE Next(ULONG count, FORMATETC* out, ULONG* fetched) override;
  HRESULT STDMETHODCALLTYPE Skip(ULONG count) override;
  HRESULT STDMETHODCALLTYPE Reset() override;
  HRESULT STDMETHODCALLTYPE Clone(IEnumFORMATETC** out) override;

private:
  ULONG Count() const { return FWithColumn ? 4 : 3; }
  bool FWithColumn;
  ULONG FAt;
};
