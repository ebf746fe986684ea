// Our declarations of the cabinet library's creation interface (FCI), as the
// Windows API documents it: every function and callback is __cdecl, file
// handles are INT_PTR, structures have their natural alignment.
#pragma once
#include "cabfiles_fdi.h"

namespace fci {

using fdi::ERF;

constexpr int kMaxDiskName = 256;     // CB_MAX_DISK_NAME
constexpr int kMaxCabinetName = 256;  // CB_MAX_CABINET_NAME
constexpr int kMaxCabPath = 256;      // CB_MAX_CAB_PATH

struct CCAB {
  ULONG cb;                 // largest cabinet
  ULONG cbFolderThresh;     // largest folder
  UINT cbReserveCFHeader;
  UINT cbReserveCFFolder;
  UINT cbReserveCFData;
  int iCab;
  int iDisk;
  int fFailOnIncompressible;
  USHORT setID;
  char szDisk[kMaxDiskName];
  char szCab[kMaxCabinetName];
  char szCabPath[kMaxCabPath];
};

// statusFile, statusFolder, statusCabinet
enum FCISTATUS { kStatusFile = 0, kStatusFolder = 1, kStatusCabinet = 2 };

using TCOMP = USHORT;
constexpr TCOMP kCompressNone = 0x0000;
constexpr TCOMP kCompressMSZIP = 0x0001;
constexpr TCOMP kCompressLZX = 0x0003;
constexpr int kLZXWindowShift = 8;    // the LZX window sits in the upper byte
constexpr int kLZXLowestWindow = 15;  // lzxLowest: a 2^15-byte window

using HFCI = void*;
using PFNFCIFILEPLACED = int(BX_DIAMONDAPI*)(CCAB* pccab, char* pszFile, long cbFile, BOOL fContinuation, void* pv);
using PFNFCIALLOC = void*(BX_DIAMONDAPI*)(ULONG cb);
using PFNFCIFREE = void(BX_DIAMONDAPI*)(void* memory);
using PFNFCIOPEN = INT_PTR(BX_DIAMONDAPI*)(char* pszFile, int oflag, int pmode, int* err, void* pv);
using PFNFCIREAD = UINT(BX_DIAMONDAPI*)(INT_PTR hf, void* memory, UINT cb, int* err, void* pv);
using PFNFCIWRITE = UINT(BX_DIAMONDAPI*)(INT_PTR hf, void* memory, UINT cb, int* err, void* pv);
using PFNFCICLOSE = int(BX_DIAMONDAPI*)(INT_PTR hf, int* err, void* pv);
using PFNFCISEEK = long(BX_DIAMONDAPI*)(INT_PTR hf, long dist, int seektype, int* err, void* pv);
using PFNFCIDELETE = int(BX_DIAMONDAPI*)(char* pszFile, int* err, void* pv);
using PFNFCIGETTEMPFILE = BOOL(BX_DIAMONDAPI*)(char* pszTempName, int cbTempName, void* pv);
using PFNFCIGETNEXTCABINET = BOOL(BX_DIAMONDAPI*)(CCAB* pccab, ULONG cbPrevCab, void* pv);
using PFNFCISTATUS = long(BX_DIAMONDAPI*)(UINT typeStatus, ULONG cb1, ULONG cb2, void* pv);
using PFNFCIGETOPENINFO = INT_PTR(BX_DIAMONDAPI*)(char* pszName, USHORT* pdate, USHORT* ptime,
                                                  USHORT* pattribs, int* err, void* pv);

using FCICreateFn = HFCI(BX_DIAMONDAPI*)(ERF* perf, PFNFCIFILEPLACED, PFNFCIALLOC, PFNFCIFREE, PFNFCIOPEN,
                                         PFNFCIREAD, PFNFCIWRITE, PFNFCICLOSE, PFNFCISEEK, PFNFCIDELETE,
                                         PFNFCIGETTEMPFILE, CCAB* pccab, void* pv);
using FCIAddFileFn = BOOL(BX_DIAMONDAPI*)(HFCI hfci, char* pszSourceFile, char* pszFileName, BOOL fExecute,
                                          PFNFCIGETNEXTCABINET, PFNFCISTATUS, PFNFCIGETOPENINFO,
                                          TCOMP typeCompress);
using FCIFlushCabinetFn = BOOL(BX_DIAMONDAPI*)(HFCI hfci, BOOL fGetNextCab, PFNFCIGETNEXTCABINET,
                                               PFNFCISTATUS);
using FCIDestroyFn = BOOL(BX_DIAMONDAPI*)(HFCI hfci);

}  // namespace fci
