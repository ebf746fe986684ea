// The drag-and-drop unit on its own: the data object and its formats, the
// reader of dropped objects, the generic drop target's choices and the drop
// source's answers, and one drag through the system's drag loop.
#include <gtest/gtest.h>

#include "EsgDD.h"
#include "ExtGridUtil.h"
#include "Forms.h"

#include <shlobj.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace {
struct TOle {
  TOle() { OleInitialize(nullptr); }
  ~TOle() { OleUninitialize(); }
};

// The unit with the rich-text switch in a known state for one test.
struct TUnit {
  TEsgDDUser User;
  explicit TUnit(bool richText = false) { SetOleRichTextDrops(richText); }
};

std::vector<unsigned char> Bytes(const std::string& s) { return {s.begin(), s.end()}; }

// A medium's block, freed when the last reference goes; counts its releases.
class TBlockOwner : public TComObject<IUnknown> {
public:
  TBlockOwner(HGLOBAL block, int& released) : FBlock(block), FReleased(released) {}

protected:
  ~TBlockOwner() override {
    GlobalFree(FBlock);
    ++FReleased;
  }

private:
  HGLOBAL FBlock;
  int& FReleased;
};

// A data object holding blocks of the given formats as they stand (no zero
// is added). Its media tell when the reader releases them.
class TFakeData : public TComObject<IDataObject> {
public:
  std::vector<std::pair<CLIPFORMAT, std::vector<unsigned char>>> Blocks;
  bool NoEnumerator = false;
  int Handed = 0, Released = 0;
  IEnumFORMATETC* LastEnum = nullptr;  // one reference kept, to see the reader's go
  ULONG HandedEnumRefs = 0;            // the references it had when handed out

  ~TFakeData() override {
    if (LastEnum) LastEnum->Release();
  }
  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* f, STGMEDIUM* m) override {
    for (auto& [cf, bytes] : Blocks) {
      if (cf != f->cfFormat) continue;
      HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
      std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
      GlobalUnlock(block);
      *m = STGMEDIUM{};
      m->tymed = TYMED_HGLOBAL;
      m->hGlobal = block;
      m->pUnkForRelease = new TBlockOwner(block, Released);
      ++Handed;
      return S_OK;
    }
    return DV_E_FORMATETC;
  }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* f) override {
    for (auto& block : Blocks)
      if (block.first == f->cfFormat) return S_OK;
    return DV_E_FORMATETC;
  }
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC** out) override {
    *out = nullptr;
    if (NoEnumerator) return E_NOTIMPL;
    std::vector<FORMATETC> formats;
    for (auto& block : Blocks) formats.push_back(ContentFormat(block.first));
    if (LastEnum) LastEnum->Release();
    HRESULT hr = SHCreateStdEnumFmtEtc(UINT(formats.size()), formats.data(), out);
    LastEnum = *out;
    LastEnum->AddRef();
    HandedEnumRefs = OtherEnumRefs();
    return hr;
  }
  // The references on the last enumerator besides the one kept here.
  ULONG OtherEnumRefs() {
    LastEnum->AddRef();
    return LastEnum->Release() - 1;
  }
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }
};

// A DROPFILES block with the names' bytes as given.
std::vector<unsigned char> FileBlock(const std::string& names) {
  DROPFILES head{};
  head.pFiles = sizeof head;
  std::vector<unsigned char> block(sizeof head);
  std::memcpy(block.data(), &head, sizeof head);
  block.insert(block.end(), names.begin(), names.end());
  return block;
}

std::vector<unsigned char> ColumnBlock(int32_t col) {
  std::vector<unsigned char> block(sizeof col);
  std::memcpy(block.data(), &col, sizeof col);
  return block;
}

// Records what reaches its hooks; takes what it is given unless told not to.
class TRecordingTarget : public TESGDropTarget {
public:
  std::vector<std::string> Calls;
  bool Take = true, RefuseOver = false;

protected:
  bool DropText(POINT, const std::string& text) override { return Record("text " + text); }
  bool DropCol(POINT, int col) override { return Record("column " + std::to_string(col)); }
  bool DropRTF(POINT, const std::string& text) override { return Record("rich " + text); }
  bool DropFiles(POINT, const std::vector<std::string>& names) override { return Record("files " + names.at(0)); }
  void DragMouseMove(POINT, bool& accept, int) override {
    if (RefuseOver) accept = false;
  }
  void DragMouseEnter() override { Calls.push_back("enter"); }
  void DragMouseLeave() override { Calls.push_back("leave"); }

private:
  bool Record(const std::string& call) {
    Calls.push_back(call);
    return Take;
  }
};

// The effect of a drop with the keys, when both copy and move are allowed.
DWORD DropWith(TESGDropTarget* target, IDataObject* data, DWORD keys) {
  DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
  target->Drop(data, keys, POINTL{0, 0}, &effect);
  return effect;
}

std::vector<CLIPFORMAT> Listed(IDataObject* data) {
  IEnumFORMATETC* e = nullptr;
  EXPECT_EQ(data->EnumFormatEtc(DATADIR_GET, &e), S_OK);
  std::vector<CLIPFORMAT> out;
  FORMATETC f[8];
  ULONG got = 0;
  e->Next(8, f, &got);
  for (ULONG i = 0; i < got; ++i) out.push_back(f[i].cfFormat);
  EXPECT_EQ(e->Release(), 0u);
  return out;
}

std::string BlockText(IDataObject* data, CLIPFORMAT cf, size_t* size = nullptr) {
  FORMATETC f = ContentFormat(cf);
  STGMEDIUM m{};
  if (data->GetData(&f, &m) != S_OK) return "<none>";
  if (size) *size = GlobalSize(m.hGlobal);
  std::string text = static_cast<const char*>(GlobalLock(m.hGlobal));
  GlobalUnlock(m.hGlobal);
  ReleaseStgMedium(&m);
  return text;
}

// A recording target and a fake object to drop on it, with OLE and the unit
// up and the rich-text switch off.
class EsgDDTarget : public testing::Test {
protected:
  TOle Ole;
  TUnit Unit;
  TComRef<TRecordingTarget> Owned{new TRecordingTarget};
  TComRef<TFakeData> OwnedData{new TFakeData};
  TRecordingTarget* target = Owned.Get();
  TFakeData* data = OwnedData.Get();
};

// A data object that says when it is gone.
class TWatchedData : public TSourceDataObject {
public:
  TWatchedData(std::string text, int col, bool& gone) : TSourceDataObject(std::move(text), "", col), FGone(gone) {}

protected:
  ~TWatchedData() override { FGone = true; }

private:
  bool& FGone;
};
}  // namespace

TEST(EsgDD, ATextDragOffersThreeFormatsAndAColumnDragFourOfWhichOnlyTheColumnComes) {
  TOle ole;
  TUnit unit;
  const CLIPFORMAT rtf = RichTextClipFormat(), column = GridColumnClipFormat();
  EXPECT_NE(rtf, 0);
  EXPECT_NE(column, rtf);
  EXPECT_EQ(column, CLIPFORMAT(RegisterClipboardFormatA("Grid Column")));

  auto* text = new TSourceDataObject("quake\tctf\r\n", "", -1);
  EXPECT_EQ(Listed(text), (std::vector<CLIPFORMAT>{CF_TEXT, CF_UNICODETEXT, rtf}));
  size_t size = 0;
  EXPECT_EQ(BlockText(text, CF_TEXT, &size), "quake\tctf\r\n");
  EXPECT_EQ(size, 12u);
  FORMATETC wide = ContentFormat(CF_UNICODETEXT);
  STGMEDIUM m{};
  ASSERT_EQ(text->GetData(&wide, &m), S_OK);
  EXPECT_EQ(GlobalSize(m.hGlobal), 24u);
  EXPECT_STREQ(static_cast<const wchar_t*>(GlobalLock(m.hGlobal)), L"quake\tctf\r\n");
  GlobalUnlock(m.hGlobal);
  ReleaseStgMedium(&m);
  // No rich text while the switch is off, no column, nothing in another form.
  EXPECT_EQ(BlockText(text, rtf), "<none>");
  FORMATETC asColumn = ContentFormat(column), inFile = ContentFormat(CF_TEXT), thumbnail = ContentFormat(CF_TEXT);
  inFile.tymed = TYMED_FILE;
  thumbnail.dwAspect = DVASPECT_THUMBNAIL;
  m = STGMEDIUM{};
  EXPECT_EQ(text->GetData(&asColumn, &m), DV_E_FORMATETC);
  EXPECT_EQ(text->GetData(&inFile, &m), DV_E_FORMATETC);
  EXPECT_EQ(text->QueryGetData(&thumbnail), DV_E_FORMATETC);
  EXPECT_EQ(m.tymed, DWORD(TYMED_NULL));
  EXPECT_EQ(m.hGlobal, nullptr);
  IEnumFORMATETC* setter = nullptr;
  EXPECT_EQ(text->EnumFormatEtc(DATADIR_SET, &setter), E_NOTIMPL);
  text->Release();

  auto* col = new TSourceDataObject("", "", 3);
  EXPECT_EQ(Listed(col), (std::vector<CLIPFORMAT>{CF_TEXT, CF_UNICODETEXT, rtf, column}));
  EXPECT_EQ(BlockText(col, CF_TEXT), "<none>");
  EXPECT_EQ(BlockText(col, CF_UNICODETEXT), "<none>");
  ASSERT_EQ(col->GetData(&asColumn, &m), S_OK);
  EXPECT_EQ(GlobalSize(m.hGlobal), 4u);
  EXPECT_EQ(*static_cast<const int32_t*>(GlobalLock(m.hGlobal)), 3);
  GlobalUnlock(m.hGlobal);
  ReleaseStgMedium(&m);
  col->Release();
}

TEST(EsgDD, RichTextIsOfferedOnlyWhileTheSwitchIsOn) {
  TOle ole;
  TUnit unit(true);
  auto* data = new TSourceDataObject("plain", "{\\rtf1 bold}", -1);
  EXPECT_EQ(BlockText(data, RichTextClipFormat()), "{\\rtf1 bold}");
  SetOleRichTextDrops(false);
  EXPECT_EQ(BlockText(data, RichTextClipFormat()), "<none>");
  data->Release();
}

TEST(EsgDD, SourceObjectsCountTheirReferencesAndGoAtZero) {
  TOle ole;
  TUnit unit;
  bool gone = false;
  auto* data = new TWatchedData("x", -1, gone);
  EXPECT_EQ(data->AddRef(), 2u);
  IDataObject* asked = nullptr;
  ASSERT_EQ(data->QueryInterface(IID_IDataObject, reinterpret_cast<void**>(&asked)), S_OK);
  IDropTarget* wrong = nullptr;
  EXPECT_EQ(data->QueryInterface(IID_IDropTarget, reinterpret_cast<void**>(&wrong)), E_NOINTERFACE);
  EXPECT_EQ(wrong, nullptr);
  EXPECT_EQ(asked->Release(), 2u);
  EXPECT_EQ(data->Release(), 1u);
  EXPECT_FALSE(gone);
  // The enumerator: its own references; a clone goes on from where it was.
  IEnumFORMATETC* e = nullptr;
  ASSERT_EQ(data->EnumFormatEtc(DATADIR_GET, &e), S_OK);
  EXPECT_EQ(e->Skip(2), S_OK);
  IEnumFORMATETC* clone = nullptr;
  ASSERT_EQ(e->Clone(&clone), S_OK);
  FORMATETC f[4];
  ULONG got = 0;
  EXPECT_EQ(clone->Next(4, f, &got), S_FALSE);
  EXPECT_EQ(got, 1u);
  EXPECT_EQ(f[0].cfFormat, RichTextClipFormat());
  EXPECT_EQ(clone->Next(1, f, nullptr), S_FALSE);
  EXPECT_EQ(e->Skip(5), S_FALSE);
  EXPECT_EQ(e->Reset(), S_OK);
  EXPECT_EQ(e->Next(1, f, nullptr), S_OK);
  EXPECT_EQ(f[0].cfFormat, CF_TEXT);
  EXPECT_EQ(e->Next(2, f, nullptr), E_INVALIDARG);
  EXPECT_EQ(clone->Release(), 0u);
  EXPECT_EQ(e->Release(), 0u);
  EXPECT_EQ(data->Release(), 0u);
  EXPECT_TRUE(gone);
  auto* source = new TESGDropSource;
  EXPECT_EQ(source->AddRef(), 2u);
  EXPECT_EQ(source->Release(), 1u);
  EXPECT_EQ(source->Release(), 0u);
}

TEST(EsgDD, ReadingADroppedObjectStaysInsideEachBlockAndReleasesEveryMedium) {
  TOle ole;
  TUnit unit(true);
  auto* data = new TFakeData;
  data->Blocks = {{CF_TEXT, Bytes("abcde")},  // no terminating zero
                  {RichTextClipFormat(), Bytes(std::string("{\\rtf1}\0junk", 12))},
                  {GridColumnClipFormat(), {7, 0}},  // too short for a column index
                  {CF_HDROP, FileBlock(std::string("C:\\a.csv\0\0", 10))}};
  {
    TEnumFormats reader(data);
    EXPECT_EQ(reader.Formats(), dfText | dfFiles | dfColumn | dfRichText);
    EXPECT_FALSE(reader.HasFormat(CF_UNICODETEXT));
    std::string text;
    ASSERT_TRUE(reader.Text(text));
    EXPECT_EQ(text, "abcde");
    ASSERT_TRUE(reader.RichText(text));
    EXPECT_EQ(text, "{\\rtf1}");
    int col = -5;
    EXPECT_FALSE(reader.ColumnIndex(col));
    EXPECT_EQ(col, -5);
    std::vector<std::string> names;
    ASSERT_TRUE(reader.FileNames(names));
    EXPECT_EQ(names, std::vector<std::string>{"C:\\a.csv"});
    EXPECT_EQ(data->OtherEnumRefs(), data->HandedEnumRefs);
  }
  EXPECT_EQ(data->OtherEnumRefs(), data->HandedEnumRefs - 1);  // the reader's is gone
  EXPECT_EQ(data->Handed, 4);
  EXPECT_EQ(data->Released, 4);
  // Without a format enumerator the object cannot be read at all.
  data->NoEnumerator = true;
  EXPECT_THROW(TEnumFormats{data}, EExtGridError);
  data->Release();
}

TEST_F(EsgDDTarget, TheDropTargetChoosesWhatToDeliverAndReportsWhatHappened) {
  data->Blocks = {{CF_TEXT, Bytes(std::string("a\tb\0", 4))}};
  // Ctrl held: copy; without: move.
  DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
  target->DragEnter(data, MK_LBUTTON | MK_CONTROL, POINTL{0, 0}, &effect);
  EXPECT_EQ(effect, DWORD(DROPEFFECT_COPY));
  effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
  target->DragOver(MK_LBUTTON, POINTL{1, 1}, &effect);
  EXPECT_EQ(effect, DWORD(DROPEFFECT_MOVE));
  EXPECT_EQ(DropWith(target, data, MK_CONTROL), DWORD(DROPEFFECT_COPY));
  EXPECT_EQ(DropWith(target, data, 0), DWORD(DROPEFFECT_MOVE));
  EXPECT_EQ(target->Calls, (std::vector<std::string>{"enter", "text a\tb", "text a\tb"}));
  // A source that allows only copying gets a copy; one allowing neither, nothing.
  effect = DROPEFFECT_COPY;
  target->Drop(data, 0, POINTL{0, 0}, &effect);
  EXPECT_EQ(effect, DWORD(DROPEFFECT_COPY));
  effect = DROPEFFECT_LINK;
  target->Drop(data, 0, POINTL{0, 0}, &effect);
  EXPECT_EQ(effect, DWORD(DROPEFFECT_NONE));
  // A hook that does not take the text: no effect, so a moving source keeps it.
  target->Take = false;
  EXPECT_EQ(DropWith(target, data, 0), DWORD(DROPEFFECT_NONE));
  target->Take = true;
  // The dragging-over hook may refuse.
  target->RefuseOver = true;
  effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
  target->DragOver(MK_LBUTTON, POINTL{1, 1}, &effect);
  EXPECT_EQ(effect, DWORD(DROPEFFECT_NONE));
  target->RefuseOver = false;
  // Text not accepted: nothing to take.
  target->AcceptText = false;
  target->Calls.clear();
  EXPECT_EQ(DropWith(target, data, 0), DWORD(DROPEFFECT_NONE));
  EXPECT_FALSE(target->DropAcceptable());
  target->DragLeave();
  EXPECT_EQ(target->Calls, std::vector<std::string>{"leave"});
  target->AcceptText = true;
  EXPECT_EQ(data->Handed, data->Released);
}

TEST_F(EsgDDTarget, AColumnWithTextArrivesAsTheColumnAloneAndItsFilesToo) {
  SetOleRichTextDrops(true);
  data->Blocks = {{CF_TEXT, Bytes(std::string("t\0", 2))},
                  {RichTextClipFormat(), Bytes(std::string("{\\rtf1 r}\0", 10))},
                  {GridColumnClipFormat(), ColumnBlock(2)},
                  {CF_HDROP, FileBlock(std::string("C:\\d.xls\0\0", 10))}};
  // Columns are not taken by default: the rich text comes instead (switch on).
  EXPECT_EQ(DropWith(target, data, 0), DWORD(DROPEFFECT_MOVE));
  EXPECT_EQ(target->Calls, (std::vector<std::string>{"rich {\\rtf1 r}", "files C:\\d.xls"}));
  target->Calls.clear();
  target->AcceptCols = true;
  EXPECT_EQ(DropWith(target, data, MK_CONTROL), DWORD(DROPEFFECT_COPY));
  EXPECT_EQ(target->Calls, (std::vector<std::string>{"column 2", "files C:\\d.xls"}));
  // With the switch off and columns refused, the plain text.
  target->Calls.clear();
  target->AcceptCols = false;
  SetOleRichTextDrops(false);
  DropWith(target, data, 0);
  EXPECT_EQ(target->Calls, (std::vector<std::string>{"text t", "files C:\\d.xls"}));
  EXPECT_EQ(data->Handed, data->Released);
}

TEST_F(EsgDDTarget, AnUnknownFormatOrAnObjectWithoutFormatsIsRefused) {
  data->Blocks = {{CLIPFORMAT(RegisterClipboardFormatA("Some Other Format")), Bytes("x")}};
  DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
  target->DragEnter(data, 0, POINTL{0, 0}, &effect);
  EXPECT_EQ(effect, DWORD(DROPEFFECT_NONE));
  EXPECT_EQ(target->Formats(), 0);
  EXPECT_EQ(DropWith(target, data, 0), DWORD(DROPEFFECT_NONE));
  data->NoEnumerator = true;
  EXPECT_EQ(DropWith(target, data, 0), DWORD(DROPEFFECT_NONE));
  EXPECT_EQ(target->Calls, std::vector<std::string>{"enter"});
  EXPECT_EQ(data->Handed, 0);
}

TEST(EsgDD, TheDropSourceCancelsOnEscapeAndDropsWhenTheButtonIsReleased) {
  TOle ole;
  auto* source = new TESGDropSource;
  EXPECT_EQ(source->QueryContinueDrag(TRUE, MK_LBUTTON), DRAGDROP_S_CANCEL);
  EXPECT_EQ(source->QueryContinueDrag(TRUE, 0), DRAGDROP_S_CANCEL);
  EXPECT_EQ(source->QueryContinueDrag(FALSE, MK_LBUTTON), S_OK);
  EXPECT_EQ(source->QueryContinueDrag(FALSE, MK_CONTROL), DRAGDROP_S_DROP);
  EXPECT_EQ(source->GiveFeedback(DROPEFFECT_NONE | DROPEFFECT_SCROLL), DRAGDROP_S_USEDEFAULTCURSORS);
  EXPECT_TRUE(source->LastFeedbackNone());
  source->GiveFeedback(DROPEFFECT_MOVE);
  EXPECT_FALSE(source->LastFeedbackNone());
  source->Release();
}

// Through the system's drag loop: the button is not held, so the text drops
// at once where the mouse is, onto a window registered as a drop target.
TEST(EsgDD, ATextDragDropsOntoTheTargetUnderTheMouse) {
  TOle ole;
  TUnit unit;
  TForm form(nullptr);
  form.SetBounds(40, 40, 300, 200);
  form.Show();
  auto* target = new TRecordingTarget;
  ASSERT_EQ(RegisterDragDrop(form.Handle(), target), S_OK);
  RECT r;
  GetWindowRect(form.Handle(), &r);
  SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  auto* source = new TESGDropSource;
  DWORD effect = DROPEFFECT_NONE;
  EXPECT_EQ(StartTextDoDragDrop(source, "dragged", "", DROPEFFECT_COPY | DROPEFFECT_MOVE, effect), DRAGDROP_S_DROP);
  EXPECT_EQ(effect, DWORD(DROPEFFECT_MOVE));
  EXPECT_EQ(target->Calls, (std::vector<std::string>{"enter", "text dragged"}));
  // A target that takes nothing: the source learns that nothing moved.
  target->Take = false;
  EXPECT_EQ(StartTextDoDragDrop(source, "kept", "", DROPEFFECT_COPY | DROPEFFECT_MOVE, effect), DRAGDROP_S_DROP);
  EXPECT_EQ(effect, DWORD(DROPEFFECT_NONE));
  // A column drag onto a target that does not take columns is cancelled.
  target->Calls.clear();
  EXPECT_EQ(StartColDoDragDrop(source, 1, DROPEFFECT_COPY | DROPEFFECT_MOVE, effect), DRAGDROP_S_CANCEL);
  EXPECT_EQ(effect, DWORD(DROPEFFECT_NONE));
  EXPECT_EQ(source->Release(), 0u);
  RevokeDragDrop(form.Handle());
  EXPECT_EQ(target->Release(), 0u);
}
