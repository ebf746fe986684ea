// The plain file operations behind the cabinet library's callbacks, shared by
// the reading and the creation side. Handles are the library's INT_PTR, -1
// for a failure; a failed read, write, close or seek shows the system's text
// for the error (ShowCabSystemError).
#pragma once
#include <string>

#include "Handles.h"
#include "cabfiles.h"
#include "cabfiles_fdi.h"

namespace cabio {

inline HANDLE ToHandle(INT_PTR hf) { return reinterpret_cast<HANDLE>(hf); }

// Opens with the C run-time's open flags. _O_CREAT always creates afresh
// (the library's temporary files exist already, so _O_EXCL is tolerated);
// _O_TRUNC without _O_CREAT empties an existing file.
inline INT_PTR Open(const char* name, int oflag) {
  DWORD access = 0;
  switch (oflag & fdi::kOpenAccessMask) {
    case 0: access = GENERIC_READ; break;
    case 1: access = GENERIC_WRITE; break;
    default: access = GENERIC_READ | GENERIC_WRITE; break;
  }
  DWORD disposition = OPEN_EXISTING;
  if (oflag & fdi::kOpenCreate)
    disposition = CREATE_ALWAYS;
  else if (oflag & fdi::kOpenTruncate)
    disposition = TRUNCATE_EXISTING, access |= GENERIC_WRITE;
  HANDLE h = CreateFileA(name, access, FILE_SHARE_READ, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
  return h == INVALID_HANDLE_VALUE ? -1 : reinterpret_cast<INT_PTR>(h);
}

inline UINT Read(INT_PTR hf, void* pv, UINT cb) {
  DWORD done = 0;
  if (!ReadFile(ToHandle(hf), pv, cb, &done, nullptr)) {
    ShowCabSystemError(GetLastError());
    return UINT(-1);
  }
  return done;
}

inline UINT Write(INT_PTR hf, const void* pv, UINT cb) {
  DWORD done = 0;
  if (!WriteFile(ToHandle(hf), pv, cb, &done, nullptr)) {
    ShowCabSystemError(GetLastError());
    return UINT(-1);
  }
  return done;
}

inline int Close(INT_PTR hf) {
  if (!CloseHandle(ToHandle(hf))) {
    ShowCabSystemError(GetLastError());
    return -1;
  }
  return 0;
}

// The library's seek types are the C run-time's: SEEK_SET, SEEK_CUR, SEEK_END.
inline long Seek(INT_PTR hf, long dist, int seektype) {
  DWORD method = seektype == 1 ? FILE_CURRENT : seektype == 2 ? FILE_END : FILE_BEGIN;
  SetLastError(NO_ERROR);
  DWORD pos = SetFilePointer(ToHandle(hf), dist, nullptr, method);
  if (pos == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR) {
    ShowCabSystemError(GetLastError());
    return -1;
  }
  return long(pos);
}

// The cabinet library, loaded by name for one run and released after it.
class TCabinetModule {
public:
  TCabinetModule() : FModule(LoadLibraryA("cabinet.dll")) {}
  bool Loaded() const { return FModule.Get() != nullptr; }
  // An entry point, or null when the library or the name is missing.
  template <class F>
  F Bind(const char* name) const {
    if (!Loaded()) return nullptr;
    return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(FModule.Get(), name)));
  }

private:
  TModuleHandle FModule;
};

}  // namespace cabio
