// The creation half of TCABFile: one cabinet from a list of files through the
// cabinet library's compression interface (FCI), loaded by name for each run.
//
// Departures from the component's original behaviour:
// - the compression context is destroyed on every path, also after a failure;
// - the handle that asks a source file for its date and attributes is closed;
// - a temporary file name is handed back only when it fits the buffer that
//   the library passes, and the library's _O_EXCL on its temporary files is
//   tolerated, _O_TRUNC honoured;
// - an exception from the progress event is carried past the library and
//   raised again once the context is destroyed;
// - a file that the library leaves open after a failure is closed.
#include <cstdlib>
#include <cstring>
#include <exception>
#include <map>

#include "cabfiles.h"
// Handles.h before any windows.h: it brings in the colour functions first.
#include "Handles.h"
#include "cabfiles_fci.h"
#include "cabfiles_io.h"

namespace {

// Cabinet parameters: one cabinet of up to 2 GB, so no second one arises.
constexpr ULONG kMaxCabinetSize = 0x7FFFFFFF;
constexpr ULONG kFolderThreshold = 900000;
constexpr USHORT kSetID = 12345;
constexpr USHORT kDosAttributeMask = 0x27;  // read-only, hidden, system, archive

}  // namespace

struct TCompressRun {
  TCABFile* Cab = nullptr;
  std::exception_ptr Raised;  // from the progress event
  // Files the library has open; owned here until it closes them, since
  // after an aborted run it may leave a source or a temporary file open.
  std::map<INT_PTR, TFileHandle> Open;

  INT_PTR Opened(INT_PTR hf) {
    if (hf != -1) Open.emplace(hf, TFileHandle(cabio::ToHandle(hf)));
    return hf;
  }
  // The library closes a file itself: it is no longer ours to close.
  void Closing(INT_PTR hf) {
    auto it = Open.find(hf);
    if (it == Open.end()) return;
    it->second.Release();
    Open.erase(it);
  }
  void CloseLeftovers() { Open.clear(); }

  static TCompressRun& Of(void* pv) { return *static_cast<TCompressRun*>(pv); }
  // One file's data is compressed: count it and report the progress.
  long FileDone(ULONG compressed, ULONG uncompressed) {
    Cab->FCompressedBytes += int32_t(compressed);
    Cab->FDoneBytes += int32_t(uncompressed);
    try {
      Cab->DoCompressProgress(Cab->FDoneBytes, Cab->FTotalBytes);
    } catch (...) {
      Raised = std::current_exception();
      return -1;  // the library aborts
    }
    return 0;
  }
};

namespace {

void* BX_DIAMONDAPI CabCbAlloc(ULONG cb) { return std::malloc(cb ? cb : 1); }
void BX_DIAMONDAPI CabCbFree(void* pv) { std::free(pv); }

INT_PTR BX_DIAMONDAPI CabCbOpen(char* pszFile, int oflag, int pmode, int* err, void* pv) {
  *err = 0;
  return TCompressRun::Of(pv).Opened(cabio::Open(pszFile, oflag));
}
UINT BX_DIAMONDAPI CabCbRead(INT_PTR hf, void* memory, UINT cb, int* err, void* pv) {
  *err = 0;
  return cabio::Read(hf, memory, cb);
}
UINT BX_DIAMONDAPI CabCbWrite(INT_PTR hf, void* memory, UINT cb, int* err, void* pv) {
  *err = 0;
  return cabio::Write(hf, memory, cb);
}
int BX_DIAMONDAPI CabCbClose(INT_PTR hf, int* err, void* pv) {
  *err = 0;
  TCompressRun::Of(pv).Closing(hf);
  return cabio::Close(hf);
}
long BX_DIAMONDAPI CabCbSeek(INT_PTR hf, long dist, int seektype, int* err, void* pv) {
  *err = 0;
  return cabio::Seek(hf, dist, seektype);
}
int BX_DIAMONDAPI CabCbDelete(char* pszFile, int* err, void* pv) {
  *err = 0;
  DeleteFileA(pszFile);
  return 0;
}

// A fresh name in the system's temporary folder; the system makes the file.
BOOL BX_DIAMONDAPI CabCbTempFile(char* pszTempName, int cbTempName, void* pv) {
  char folder[MAX_PATH], name[MAX_PATH];
  DWORD n = GetTempPathA(MAX_PATH, folder);
  if (n == 0 || n >= MAX_PATH || !GetTempFileNameA(folder, "CAB", 0, name)) return FALSE;
  size_t len = strlen(name);
  if (cbTempName <= 0 || len >= size_t(cbTempName)) {
    DeleteFileA(name);
    return FALSE;
  }
  memcpy(pszTempName, name, len + 1);
  return TRUE;
}

int BX_DIAMONDAPI CabCbFilePlaced(fci::CCAB*, char*, long, BOOL, void*) { return 0; }

BOOL BX_DIAMONDAPI CabCbNextCabinet(fci::CCAB* pccab, ULONG, void*) {
  wsprintfA(pccab->szCab, "FOO%d", pccab->iCab);
  return TRUE;
}

long BX_DIAMONDAPI CabCbStatus(UINT typeStatus, ULONG cb1, ULONG cb2, void* pv) {
  TCompressRun& run = TCompressRun::Of(pv);
  switch (typeStatus) {
    case fci::kStatusFile: return run.FileDone(cb1, cb2);
    case fci::kStatusFolder: return 0;
    case fci::kStatusCabinet: return long(cb2);  // the cabinet's size as estimated, no padding
    default: return -1;
  }
}

INT_PTR BX_DIAMONDAPI CabCbOpenInfo(char* pszName, USHORT* pdate, USHORT* ptime, USHORT* pattribs, int* err,
                                   void* pv) {
  *err = 0;
  {  // the query's handle is closed before the file is opened to be read
    TFileHandle query(CreateFileA(pszName, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!query) return -1;
    BY_HANDLE_FILE_INFORMATION info;
    FILETIME local;
    if (!GetFileInformationByHandle(query.Get(), &info) || !FileTimeToLocalFileTime(&info.ftLastWriteTime, &local) ||
        !FileTimeToDosDateTime(&local, pdate, ptime))
      return -1;
    *pattribs = USHORT(info.dwFileAttributes & kDosAttributeMask);
  }
  return TCompressRun::Of(pv).Opened(cabio::Open(pszName, 0 /* _O_RDONLY */));
}

// The library's creation side, loaded for one run and released after it.
class TCompressLibrary {
public:
  TCompressLibrary() {
    Create = FModule.Bind<fci::FCICreateFn>("FCICreate");
    AddFile = FModule.Bind<fci::FCIAddFileFn>("FCIAddFile");
    Flush = FModule.Bind<fci::FCIFlushCabinetFn>("FCIFlushCabinet");
    Destroy = FModule.Bind<fci::FCIDestroyFn>("FCIDestroy");
  }
  bool Ready() const { return Create && AddFile && Flush && Destroy; }

  fci::FCICreateFn Create = nullptr;
  fci::FCIAddFileFn AddFile = nullptr;
  fci::FCIFlushCabinetFn Flush = nullptr;
  fci::FCIDestroyFn Destroy = nullptr;

private:
  cabio::TCabinetModule FModule;
};

// Destroys the compression context on every way out.
class TCompressContext {
public:
  TCompressContext(const TCompressLibrary& lib, fci::HFCI h) : FLib(lib), FHandle(h) {}
  ~TCompressContext() { FLib.Destroy(FHandle); }
  TCompressContext(const TCompressContext&) = delete;
  TCompressContext& operator=(const TCompressContext&) = delete;
  fci::HFCI Get() const { return FHandle; }

private:
  const TCompressLibrary& FLib;
  fci::HFCI FHandle;  // owned
};

fci::TCOMP CompressionCode(TCompressionType type, TLZXMemory memory) {
  switch (type) {
    case typNone: return fci::kCompressNone;
    case typLZX:
      return fci::TCOMP(fci::kCompressLZX | (fci::kLZXLowestWindow + int(memory)) << fci::kLZXWindowShift);
    default: return fci::kCompressMSZIP;
  }
}

std::string FullPath(const std::string& name) {
  char full[MAX_PATH * 2];
  DWORD n = GetFullPathNameA(name.c_str(), sizeof full, full, nullptr);
  return n > 0 && n < sizeof full ? std::string(full) : name;
}

int32_t GetFileSizeOf(const std::string& path) {
  TFileHandle h(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  if (!h) return 0;
  LARGE_INTEGER size = {};
  GetFileSizeEx(h.Get(), &size);
  return int32_t(size.QuadPart);
}

// Copies a name into one of the CCAB's fixed fields; too long is a failure.
void PutName(char* field, size_t size, const std::string& text) {
  if (text.size() >= size) throw ECABFileError(FCIErrorText(6) + ": " + text);
  memcpy(field, text.c_str(), text.size() + 1);
}

}  // namespace

bool TCABFile::Compress() { return CreateCabinet() == 0; }

double TCABFile::CompressionRatio() const {
  if (FTotalBytes == 0) return 0;
  return 100.0 - double(FCompressedBytes) / double(FTotalBytes) * 100.0;
}

void TCABFile::RaiseFCIError(int code) { throw ECABFileError(FCIErrorText(code)); }

void TCABFile::DoCompressProgress(int done, int total) {
  if (OnCompressProgress) OnCompressProgress(this, done, total);
}

int TCABFile::CreateCabinet() {
  TCompressLibrary lib;
  if (!lib.Ready()) return -1;

  fci::CCAB ccab = {};
  ccab.cb = kMaxCabinetSize;
  ccab.cbFolderThresh = kFolderThreshold;
  ccab.iCab = 1;
  ccab.setID = kSetID;
  PutName(ccab.szDisk, sizeof ccab.szDisk, "CAB");
  const std::string full = FullPath(CABFile);
  PutName(ccab.szCab, sizeof ccab.szCab, ExtractFileName(full));
  PutName(ccab.szCabPath, sizeof ccab.szCabPath, ExtractFilePath(full));

  TCompressRun run;
  run.Cab = this;
  fci::ERF erf = {};
  fci::HFCI h = lib.Create(&erf, CabCbFilePlaced, CabCbAlloc, CabCbFree, CabCbOpen, CabCbRead, CabCbWrite,
                           CabCbClose, CabCbSeek, CabCbDelete, CabCbTempFile, &ccab, &run);
  if (!h) RaiseFCIError(erf.erfOper);

  FTotalBytes = FCompressedBytes = FDoneBytes = 0;
  for (int i = 0; i < FContents->Count(); ++i) FTotalBytes += GetFileSizeOf(FullPath((*FContents)[i].Name));

  bool failed = false;  // then the error record holds the library's code
  {
    TCompressContext context(lib, h);
    const fci::TCOMP type = CompressionCode(CompressionType, LZXMemory);
    for (int i = 0; i < FContents->Count() && !failed; ++i) {
      const TCABFileEntry& e = (*FContents)[i];
      std::string source = FullPath(e.Name);
      std::string stored = ExtractFileName(e.Name);
      if (!e.RelPath.empty()) stored = IncludeTrailingBackslash(e.RelPath) + stored;
      if (!lib.AddFile(context.Get(), source.data(), stored.data(), FALSE, CabCbNextCabinet, CabCbStatus,
                       CabCbOpenInfo, type))
        failed = true;
    }
    failed = failed || !lib.Flush(context.Get(), FALSE, CabCbNextCabinet, CabCbStatus);
  }
  run.CloseLeftovers();
  if (run.Raised) std::rethrow_exception(run.Raised);
  if (failed) RaiseFCIError(erf.erfOper);
  return 0;
}
