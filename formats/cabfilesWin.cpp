// The Win32 half of TCABFile: the cabinet library's reading interface, loaded
// by name for each run, and the callbacks that it calls.
//
// Departures from the component's original behaviour:
// - a member name that is absolute, names a drive or has a ".." part is not
//   extracted, and a member is always written to TargetPath + one separator
//   + its name;
// - a damaged cabinet (cut short, pointing outside itself, a data block
//   whose checksum fails, or anything the library calls corrupt) raises
//   ECABFileError instead of a silent -1, and a member that was being
//   written is deleted rather than left half full;
// - an exception from an event handler is carried past the library and
//   raised again once the run has ended;
// - before an extracting run writes anything, the sizes the cabinet declares
//   for the members to be written are added up and checked against
//   MaxExtractBytes and the free space of the target's disk, and no member
//   is written beyond its declared size.
#include "cabfiles.h"
// Handles.h before any windows.h: it brings in the colour functions first.
#include "Handles.h"
#include "cabfiles_fdi.h"
#include "cabfiles_io.h"
#include "cabfiles_layout.h"
#include "Dialogs.h"

#include <cstdlib>
#include <exception>
#include <vector>

void ShowCabSystemError(unsigned long code) {
  if (code == 0) return;
  char text[1025] = {};
  FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text,
                 sizeof text, nullptr);
  MessageBoxPrompt(text, "Error", MB_OK | MB_ICONWARNING);
}

struct TCabinetRun {
  TCABFile* Cab = nullptr;
  bool Measuring = false;      // only adds up the members' declared sizes
  uint64_t Declared = 0;       // the sum, for the members the run would write
  std::string MemberName;      // of the file being written
  uint32_t MemberSize = 0;     // as declared
  uint64_t Written = 0;
  std::string MemberTarget;    // its path while it is not complete
  INT_PTR MemberHandle = -1;   // its handle until the library closes it
  bool TargetFailed = false;   // a target file could not be made or written
  std::exception_ptr Raised;   // from an event handler

  INT_PTR CopyMember(fdi::FDINOTIFICATION* n);
  INT_PTR CloseMember(fdi::FDINOTIFICATION* n);
  void DropIncompleteMember();
};

namespace {
// The run whose member is being written; one run at a time per process, as
// the library's write callback carries no caller value.
TCabinetRun* gActiveRun = nullptr;

using cabio::ToHandle;
}  // namespace

INT_PTR TCabinetRun::CopyMember(fdi::FDINOTIFICATION* n) {
  std::string name = n->psz1 ? n->psz1 : "";
  if (Cab->FMode == TCABFile::modeList) {
    TCABFileEntry& e = Cab->CABFileContents().Add();
    e.Name = name;
    e.Size = int32_t(n->cb);
    e.DateTime = DosDateTimeToDateTime(n->date, n->time);
  }
  bool extract = Cab->FMode == TCABFile::modeExtractAll ||
                 (Cab->FMode == TCABFile::modeExtractNamed && SameText(name, Cab->FWantedName)) ||
                 (Cab->FMode == TCABFile::modeExtractSelected && Cab->CABFileContents().IsSelected(name));
  // A hostile name would reach outside TargetPath: never written.
  if (!extract || !IsSafeMemberName(name)) return 0;
  // The size field is 32 bits without a sign, whatever type carries it.
  const uint32_t size = uint32_t(n->cb);
  if (Measuring) {
    Declared += size;
    return 0;
  }

  std::string target = MemberTargetName(Cab->TargetPath, name);
  std::string folder = ExtractFilePath(target);
  if (!folder.empty() && GetFileAttributesA(folder.c_str()) == INVALID_FILE_ATTRIBUTES)
    CreateDirectoryA(folder.c_str(), nullptr);  // one level, as the packages need
  if (GetFileAttributesA(target.c_str()) != INVALID_FILE_ATTRIBUTES) {
    bool allow = true;
    if (Cab->OnOverWriteFile) Cab->OnOverWriteFile(Cab, target, allow);
    if (!allow) return 0;
    DeleteFileA(target.c_str());
  }
  HANDLE h = CreateFileA(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    TargetFailed = true;
    return -1;
  }
  MemberName = name;
  MemberSize = size;
  Written = 0;
  MemberTarget = target;
  MemberHandle = reinterpret_cast<INT_PTR>(h);
  return MemberHandle;
}

INT_PTR TCabinetRun::CloseMember(fdi::FDINOTIFICATION* n) {
  HANDLE h = ToHandle(n->hf);
  FILETIME local, utc;
  if (DosDateTimeToFileTime(n->date, n->time, &local) && LocalFileTimeToFileTime(&local, &utc))
    SetFileTime(h, nullptr, nullptr, &utc);
  CloseHandle(h);
  if (n->hf == MemberHandle) {
    MemberHandle = -1;
    MemberTarget.clear();  // complete
  }
  return TRUE;
}

void TCabinetRun::DropIncompleteMember() {
  if (MemberTarget.empty()) return;
  if (MemberHandle != -1) CloseHandle(ToHandle(MemberHandle));
  DeleteFileA(MemberTarget.c_str());
  MemberHandle = -1;
  MemberTarget.clear();
}

namespace {

void* BX_DIAMONDAPI CabAlloc(ULONG cb) { return std::malloc(cb ? cb : 1); }
void BX_DIAMONDAPI CabFree(void* pv) { std::free(pv); }

INT_PTR BX_DIAMONDAPI CabOpen(char* pszFile, int oflag, int pmode) { return cabio::Open(pszFile, oflag); }

// Reading the cabinet itself: a failure is the library's to report.
UINT BX_DIAMONDAPI CabRead(INT_PTR hf, void* pv, UINT cb) {
  DWORD done = 0;
  if (!ReadFile(ToHandle(hf), pv, cb, &done, nullptr)) return UINT(-1);
  return done;
}

UINT BX_DIAMONDAPI CabWrite(INT_PTR hf, void* pv, UINT cb) {
  // The sizes were checked as declared: a member never grows beyond its own.
  if (gActiveRun && hf == gActiveRun->MemberHandle && gActiveRun->Written + cb > gActiveRun->MemberSize) {
    gActiveRun->TargetFailed = true;
    return UINT(-1);
  }
  UINT done = cabio::Write(hf, pv, cb);
  if (done == UINT(-1)) {
    if (gActiveRun) gActiveRun->TargetFailed = true;
    return done;
  }
  if (gActiveRun) {
    TCabinetRun& run = *gActiveRun;
    run.Written += done;
    if (run.Cab->OnDecompressProgress && !run.Raised) {
      try {
        run.Cab->OnDecompressProgress(run.Cab, run.MemberName, int(run.MemberSize), int(run.Written));
      } catch (...) {
        run.Raised = std::current_exception();
        return UINT(-1);
      }
    }
  }
  return done;
}

int BX_DIAMONDAPI CabClose(INT_PTR hf) {
  if (gActiveRun && gActiveRun->MemberHandle == hf) gActiveRun->MemberHandle = -1;
  return cabio::Close(hf);
}

long BX_DIAMONDAPI CabSeek(INT_PTR hf, long dist, int seektype) { return cabio::Seek(hf, dist, seektype); }

INT_PTR BX_DIAMONDAPI CabNotify(fdi::FDINOTIFICATIONTYPE fdint, fdi::FDINOTIFICATION* pfdin) {
  auto* run = static_cast<TCabinetRun*>(pfdin->pv);
  try {
    switch (fdint) {
      case fdi::fdintCOPY_FILE: return run->CopyMember(pfdin);
      case fdi::fdintCLOSE_FILE_INFO: return run->CloseMember(pfdin);
      default: return 0;
    }
  } catch (...) {
    // Nothing may unwind through the library.
    run->Raised = std::current_exception();
    return -1;
  }
}

// The library, loaded for one run and released after it.
class TCabinetLibrary {
public:
  TCabinetLibrary() {
    Create = FModule.Bind<fdi::FDICreateFn>("FDICreate");
    IsCabinet = FModule.Bind<fdi::FDIIsCabinetFn>("FDIIsCabinet");
    Copy = FModule.Bind<fdi::FDICopyFn>("FDICopy");
    Destroy = FModule.Bind<fdi::FDIDestroyFn>("FDIDestroy");
  }
  bool Ready() const { return Create && IsCabinet && Copy && Destroy; }

  fdi::FDICreateFn Create = nullptr;
  fdi::FDIIsCabinetFn IsCabinet = nullptr;
  fdi::FDICopyFn Copy = nullptr;
  fdi::FDIDestroyFn Destroy = nullptr;

private:
  cabio::TCabinetModule FModule;
};

// Larger cabinets are left to the library alone.
constexpr DWORD kMaxCheckedCabinet = 64u << 20;

// Raises ECABFileError when a file that calls itself a cabinet is damaged;
// anything else is left for the library to refuse.
void CheckCabinetFile(const std::string& file) {
  std::vector<uint8_t> bytes;
  {
    TFileHandle h(CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!h) return;
    LARGE_INTEGER size = {};
    if (GetFileSizeEx(h.Get(), &size) && size.QuadPart <= kMaxCheckedCabinet) {
      bytes.resize(size_t(size.QuadPart));
      DWORD done = 0;
      if (!bytes.empty() &&
          (!ReadFile(h.Get(), bytes.data(), DWORD(bytes.size()), &done, nullptr) || done != bytes.size()))
        bytes.clear();
    }
  }
  if (CFHEADER::HasSignature(bytes))
    CheckCabinetBytes(bytes, file);
}

// One pass of the library over a cabinet with the run's callbacks: -1 when
// the file is not a cabinet or the library could not start, 0 when the pass
// went through, 1 when it failed (erf says why).
int CopyPass(TCabinetLibrary& lib, const std::string& cabFile, TCabinetRun& run, fdi::ERF& erf) {
  fdi::HFDI hfdi = lib.Create(CabAlloc, CabFree, CabOpen, CabRead, CabWrite, CabClose, CabSeek,
                              fdi::kCpu80386, &erf);
  if (!hfdi) return -1;
  int outcome = -1;
  INT_PTR hf = CabOpen(const_cast<char*>(cabFile.c_str()), 0x8000 /* _O_BINARY */, 0);
  if (hf != -1) {
    fdi::FDICABINETINFO info = {};
    BOOL isCabinet = lib.IsCabinet(hfdi, hf, &info);
    CabClose(hf);
    if (isCabinet) {
      char full[MAX_PATH * 2];
      char* filePart = nullptr;
      DWORD len = GetFullPathNameA(cabFile.c_str(), sizeof full, full, &filePart);
      if (len > 0 && len < sizeof full && filePart) {
        std::string cabName = filePart;
        std::string cabPath(full, size_t(filePart - full));
        gActiveRun = &run;
        BOOL ok = lib.Copy(hfdi, cabName.data(), cabPath.data(), 0, CabNotify, nullptr, &run);
        gActiveRun = nullptr;
        outcome = ok ? 0 : 1;
      }
    }
  }
  if (!lib.Destroy(hfdi) && outcome == 0) outcome = -1;
  return outcome;
}

// Whole megabytes, rounded up or down.
std::string Megabytes(uint64_t bytes, bool up) {
  return std::to_string((bytes + (up ? (1u << 20) - 1 : 0)) >> 20) + " MB";
}

// Codes that say the cabinet's own bytes are bad, as opposed to a missing
// file or a target that could not be written.
bool IsDamagedCabinet(int code) {
  switch (code) {
    case fdi::FDIERROR_NOT_A_CABINET:
    case fdi::FDIERROR_UNKNOWN_CABINET_VERSION:
    case fdi::FDIERROR_CORRUPT_CABINET:
    case fdi::FDIERROR_BAD_COMPR_TYPE:
    case fdi::FDIERROR_MDI_FAIL:
    case fdi::FDIERROR_RESERVE_MISMATCH:
    case fdi::FDIERROR_WRONG_CABINET:
    case fdi::FDIERROR_EOF:
      return true;
    default:
      return false;
  }
}

}  // namespace

TCABFile::TCABFile(TComponent* owner)
    : TComponent(owner), FContents(std::make_unique<TCABFileContents>(this)) {}

TCABFile::~TCABFile() = default;

void TCABFile::ReadContents() {
  FContents->Clear();
  FMode = modeList;
  ProcessCabinet();
}

bool TCABFile::ExtractFile(const std::string& name) {
  FWantedName = name;
  FMode = modeExtractNamed;
  return ProcessCabinet() == 0;
}

int TCABFile::ProcessCabinet() {
  if (!TFileHandle(CreateFileA(CABFile.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr)))
    return -1;

  TCabinetLibrary lib;
  if (!lib.Ready()) return -1;
  if (FMode != modeList) {
    TCabinetRun measure;
    measure.Cab = this;
    measure.Measuring = true;
    fdi::ERF erf = {};
    CopyPass(lib, CABFile, measure, erf);
    if (measure.Raised) std::rethrow_exception(measure.Raised);
    CheckRoom(measure.Declared);
  }
  CheckCabinetFile(CABFile);

  TCabinetRun run;
  run.Cab = this;
  fdi::ERF erf = {};
  const int outcome = CopyPass(lib, CABFile, run, erf);
  bool damaged = false;
  if (outcome == 1) {
    run.DropIncompleteMember();
    damaged = !run.Raised && !run.TargetFailed && IsDamagedCabinet(erf.erfOper);
  }
  if (run.Raised) std::rethrow_exception(run.Raised);
  if (damaged) throw ECABFileError(FDIErrorText(erf.erfOper) + ": " + CABFile);
  return outcome == 0 ? 0 : -1;
}

void TCABFile::CheckRoom(uint64_t bytes) const {
  if (MaxExtractBytes != 0 && bytes > MaxExtractBytes)
    throw ECABFileRefused(CABFile + " would unpack to " + Megabytes(bytes, true) + ", more than the " +
                          Megabytes(MaxExtractBytes, false) + " allowed.");
  const std::string folder = TargetPath.empty() ? std::string(".") : TargetPath;
  ULARGE_INTEGER free = {};
  if (GetDiskFreeSpaceExA(folder.c_str(), &free, nullptr, nullptr) && bytes > free.QuadPart)
    throw ECABFileRefused(CABFile + " would unpack to " + Megabytes(bytes, true) + ", but only " +
                          Megabytes(free.QuadPart, false) + " is free on the disk of " + folder + ".");
}
