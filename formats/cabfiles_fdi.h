// Our declarations of the cabinet library's reading interface (FDI), as the
// Windows API documents it: every function and callback is __cdecl, file
// handles are INT_PTR, structures have their natural alignment.
#pragma once
#include <windows.h>

#define BX_DIAMONDAPI __cdecl

namespace fdi {

struct ERF {
  int erfOper;   // the error code (FDIERROR_*)
  int erfType;   // the C run-time error, when there is one
  BOOL fError;
};

enum FDIERROR {
  FDIERROR_NONE, FDIERROR_CABINET_NOT_FOUND, FDIERROR_NOT_A_CABINET,
  FDIERROR_UNKNOWN_CABINET_VERSION, FDIERROR_CORRUPT_CABINET, FDIERROR_ALLOC_FAIL,
  FDIERROR_BAD_COMPR_TYPE, FDIERROR_MDI_FAIL, FDIERROR_TARGET_FILE,
  FDIERROR_RESERVE_MISMATCH, FDIERROR_WRONG_CABINET, FDIERROR_USER_ABORT, FDIERROR_EOF
};

struct FDICABINETINFO {
  long cbCabinet;
  USHORT cFolders;
  USHORT cFiles;
  USHORT setID;
  USHORT iCabinet;
  BOOL fReserve;
  BOOL hasprev;
  BOOL hasnext;
};

enum FDINOTIFICATIONTYPE {
  fdintCABINET_INFO, fdintPARTIAL_FILE, fdintCOPY_FILE, fdintCLOSE_FILE_INFO,
  fdintNEXT_CABINET, fdintENUMERATE
};

struct FDINOTIFICATION {
  long cb;        // fdintCOPY_FILE: the member's uncompressed size
  char* psz1;     // fdintCOPY_FILE, fdintCLOSE_FILE_INFO: the member's name
  char* psz2;
  char* psz3;
  void* pv;       // the caller's value given to FDICopy
  INT_PTR hf;     // fdintCLOSE_FILE_INFO: the handle to close
  USHORT date;    // DOS date and time of the member
  USHORT time;
  USHORT attribs;
  USHORT setID;
  USHORT iCabinet;
  USHORT iFolder;
  FDIERROR fdie;
};

constexpr int kCpu80386 = 1;  // cpu80386

using PFNALLOC = void*(BX_DIAMONDAPI*)(ULONG cb);
using PFNFREE = void(BX_DIAMONDAPI*)(void* pv);
using PFNOPEN = INT_PTR(BX_DIAMONDAPI*)(char* pszFile, int oflag, int pmode);
using PFNREAD = UINT(BX_DIAMONDAPI*)(INT_PTR hf, void* pv, UINT cb);
using PFNWRITE = UINT(BX_DIAMONDAPI*)(INT_PTR hf, void* pv, UINT cb);
using PFNCLOSE = int(BX_DIAMONDAPI*)(INT_PTR hf);
using PFNSEEK = long(BX_DIAMONDAPI*)(INT_PTR hf, long dist, int seektype);
using PFNFDINOTIFY = INT_PTR(BX_DIAMONDAPI*)(FDINOTIFICATIONTYPE fdint, FDINOTIFICATION* pfdin);
using PFNFDIDECRYPT = int(BX_DIAMONDAPI*)(void* pfdid);
using HFDI = void*;

using FDICreateFn = HFDI(BX_DIAMONDAPI*)(PFNALLOC, PFNFREE, PFNOPEN, PFNREAD, PFNWRITE, PFNCLOSE,
                                         PFNSEEK, int cpuType, ERF* perf);
using FDIIsCabinetFn = BOOL(BX_DIAMONDAPI*)(HFDI hfdi, INT_PTR hf, FDICABINETINFO* pfdici);
using FDICopyFn = BOOL(BX_DIAMONDAPI*)(HFDI hfdi, char* pszCabinet, char* pszCabPath, int flags,
                                       PFNFDINOTIFY pfnfdin, PFNFDIDECRYPT pfnfdid, void* pvUser);
using FDIDestroyFn = BOOL(BX_DIAMONDAPI*)(HFDI hfdi);

// Open flags that the library passes to the open callback (the C run-time's).
constexpr int kOpenAccessMask = 0x0003;  // _O_RDONLY 0, _O_WRONLY 1, _O_RDWR 2
constexpr int kOpenCreate = 0x0100;      // _O_CREAT
constexpr int kOpenTruncate = 0x0200;    // _O_TRUNC
constexpr int kOpenExclusive = 0x0400;   // _O_EXCL

}  // namespace fdi
