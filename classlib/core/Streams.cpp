// Memory and file streams.
#include "Streams.h"

#include <cerrno>
#include <cstring>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

int64_t TStream::Size() {
  int64_t pos = Seek(0, soFromCurrent);
  int64_t end = Seek(0, soFromEnd);
  Seek(pos, soFromBeginning);
  return end;
}

void TStream::ReadBuffer(void* buffer, int64_t count) {
  if (count < 0 || (count != 0 && Read(buffer, count) != count)) throw EReadError();
}

void TStream::WriteBuffer(const void* buffer, int64_t count) {
  if (count < 0 || (count != 0 && Write(buffer, count) != count)) throw EWriteError();
}

int64_t TStream::CopyFrom(TStream& source, int64_t count) {
  if (count == 0) {
    source.SetPosition(0);
    count = source.Size();
  }
  char buf[65536];
  int64_t left = count;
  while (left > 0) {
    int64_t n = left < (int64_t)sizeof buf ? left : (int64_t)sizeof buf;
    source.ReadBuffer(buf, n);
    WriteBuffer(buf, n);
    left -= n;
  }
  return count;
}

uint8_t TStream::ReadU8() {
  uint8_t b;
  ReadBuffer(&b, 1);
  return b;
}

uint16_t TStream::ReadU16() {
  uint8_t b[2];
  ReadBuffer(b, 2);
  return uint16_t(b[0] | b[1] << 8);
}

uint32_t TStream::ReadU32() {
  uint8_t b[4];
  ReadBuffer(b, 4);
  return uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
}

void TStream::WriteU16(uint16_t v) {
  uint8_t b[2] = {uint8_t(v), uint8_t(v >> 8)};
  WriteBuffer(b, 2);
}

void TStream::WriteU32(uint32_t v) {
  uint8_t b[4] = {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)};
  WriteBuffer(b, 4);
}

// --- TMemoryStream

int64_t TMemoryStream::Read(void* buffer, int64_t count) {
  if (count <= 0 || FPos >= Size()) return 0;
  int64_t n = Size() - FPos < count ? Size() - FPos : count;
  std::memcpy(buffer, FData.data() + FPos, (size_t)n);
  FPos += n;
  return n;
}

int64_t TMemoryStream::Write(const void* buffer, int64_t count) {
  if (count <= 0) return 0;
  if (FPos + count > Size()) FData.resize((size_t)(FPos + count));
  std::memcpy(FData.data() + FPos, buffer, (size_t)count);
  FPos += count;
  return count;
}

int64_t TMemoryStream::Seek(int64_t offset, TSeekOrigin origin) {
  int64_t base = origin == soFromBeginning ? 0 : origin == soFromCurrent ? FPos : Size();
  int64_t p = base + offset;
  if (p < 0) p = 0;
  FPos = p;
  return FPos;
}

void TMemoryStream::SetSize(int64_t size) {
  FData.resize((size_t)(size < 0 ? 0 : size));
  if (FPos > size) FPos = size;
}

void TMemoryStream::LoadFromStream(TStream& s) {
  s.SetPosition(0);
  int64_t n = s.Size();
  FData.assign((size_t)n, 0);
  s.ReadBuffer(FData.data(), n);
  FPos = 0;
}

void TMemoryStream::LoadFromFile(const std::string& name) {
  TFileStream f(name, fmOpenRead);
  LoadFromStream(f);
}

void TMemoryStream::SaveToFile(const std::string& name) {
  SaveFileAtomically(name, [this](TStream& s) { SaveToStream(s); });
}

// --- TFileStream

TFileStream::TFileStream(const std::string& name, TFileMode mode) : FName(name) {
  const char* m = mode == fmOpenRead ? "rb" : mode == fmOpenReadWrite ? "r+b" : "w+b";
  FFile = std::fopen(name.c_str(), m);
  if (!FFile) {
    if (mode == fmCreate) throw EFCreateError(name);
    throw EFOpenError(name);
  }
}

TFileStream::~TFileStream() {
  if (FFile) std::fclose(FFile);
}

void TFileStream::Close() {
  if (!FFile) return;
  bool ok = std::fflush(FFile) == 0;
  ok = std::fclose(FFile) == 0 && ok;
  FFile = nullptr;
  if (!ok) throw EWriteError();
}

int64_t TFileStream::Read(void* buffer, int64_t count) {
  if (count <= 0 || !FFile) return 0;
  return (int64_t)std::fread(buffer, 1, (size_t)count, FFile);
}

int64_t TFileStream::Write(const void* buffer, int64_t count) {
  if (count <= 0 || !FFile) return 0;
  return (int64_t)std::fwrite(buffer, 1, (size_t)count, FFile);
}

int64_t TFileStream::Seek(int64_t offset, TSeekOrigin origin) {
  if (!FFile) return 0;
  int whence = origin == soFromBeginning ? SEEK_SET : origin == soFromCurrent ? SEEK_CUR : SEEK_END;
#ifdef _WIN32
  _fseeki64(FFile, offset, whence);
  return _ftelli64(FFile);
#else
  fseeko(FFile, offset, whence);
  return ftello(FFile);
#endif
}

// --- replacing a file whole

namespace {
// A file the user made read-only is not ours to replace (moving a file over
// it would clear the flag along with the bytes).
bool isReadOnly(const std::string& name) {
#ifdef _WIN32
  const DWORD attributes = GetFileAttributesA(name.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
#else
  struct stat st {};
  return stat(name.c_str(), &st) == 0 && !(st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH));
#endif
}

#ifdef _WIN32
// Another save of the same file, a reader or a virus scanner may hold a file
// for a moment: such a refusal is tried again for about a second.
bool isMomentary(DWORD error) { return error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED; }
constexpr int kTries = 20, kTryPauseMs = 50;
#endif

// The temporary file of a save, written through the system's own calls so
// that a failed write keeps the system's reason. No other process may open it
// while it is written (a second save of the same file waits or fails instead
// of mixing its bytes in).
class TSaveFile : public TStream {
public:
  explicit TSaveFile(const std::string& name) : FName(name) {
#ifdef _WIN32
    for (int i = 0; i < kTries; ++i) {
      FHandle = CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
      if (FHandle != INVALID_HANDLE_VALUE || GetLastError() != ERROR_SHARING_VIOLATION) break;
      Sleep(kTryPauseMs);
    }
    if (FHandle == INVALID_HANDLE_VALUE) FError = GetLastError();
#else
    FFile = std::fopen(name.c_str(), "w+b");
    if (!FFile) FError = (unsigned long)errno;
#endif
    FOwned = FError == 0;
  }
  ~TSaveFile() override { Discard(); }
  TSaveFile(const TSaveFile&) = delete;
  TSaveFile& operator=(const TSaveFile&) = delete;

  bool Failed() const { return FError != 0; }
  unsigned long Error() const { return FError; }

  int64_t Read(void* buffer, int64_t count) override {
    if (count <= 0 || !flush()) return 0;
#ifdef _WIN32
    DWORD got = 0;
    if (!ReadFile(FHandle, buffer, DWORD(count), &got, nullptr)) return 0;
    FPos += got;
    return got;
#else
    int64_t got = (int64_t)std::fread(buffer, 1, (size_t)count, FFile);
    FPos += got;
    return got;
#endif
  }

  int64_t Write(const void* buffer, int64_t count) override {
    if (count <= 0 || FError != 0) return 0;
    if (FBuffer.size() + (size_t)count > kBufferSize && !flush()) return 0;
    if ((size_t)count >= kBufferSize) {
      if (!put(buffer, (size_t)count)) return 0;
    } else {
      FBuffer.insert(FBuffer.end(), (const char*)buffer, (const char*)buffer + count);
    }
    return count;
  }

  int64_t Seek(int64_t offset, TSeekOrigin origin) override {
    // Asking for the position is common and needs no flush.
    if (origin == soFromCurrent && offset == 0) return FPos + (int64_t)FBuffer.size();
    if (!flush()) return FPos;
#ifdef _WIN32
    LARGE_INTEGER to, at;
    to.QuadPart = offset;
    const DWORD method = origin == soFromBeginning ? FILE_BEGIN : origin == soFromCurrent ? FILE_CURRENT : FILE_END;
    if (SetFilePointerEx(FHandle, to, &at, method)) FPos = at.QuadPart;
#else
    const int whence = origin == soFromBeginning ? SEEK_SET : origin == soFromCurrent ? SEEK_CUR : SEEK_END;
    if (fseeko(FFile, offset, whence) == 0) FPos = ftello(FFile);
#endif
    return FPos;
  }

  // Writes what is buffered, waits until the system has it on the disk and
  // closes; false when any of it failed.
  bool Finish() {
    bool ok = flush();
#ifdef _WIN32
    if (ok && !FlushFileBuffers(FHandle)) FError = GetLastError();
    if (isOpen() && !CloseHandle(FHandle) && FError == 0) FError = GetLastError();
    FHandle = INVALID_HANDLE_VALUE;
#else
    if (ok && (std::fflush(FFile) != 0 || fsync(fileno(FFile)) != 0)) FError = (unsigned long)errno;
    if (isOpen() && std::fclose(FFile) != 0 && FError == 0) FError = (unsigned long)errno;
    FFile = nullptr;
#endif
    return FError == 0;
  }

  // Closes and deletes the file, unless it became the target.
  void Discard() {
#ifdef _WIN32
    if (isOpen()) CloseHandle(FHandle);
    FHandle = INVALID_HANDLE_VALUE;
    if (FOwned) DeleteFileA(FName.c_str());
#else
    if (isOpen()) std::fclose(FFile);
    FFile = nullptr;
    if (FOwned) std::remove(FName.c_str());
#endif
    FOwned = false;
  }
  // The file now has the target's name: another save may make a new one.
  void Moved() { FOwned = false; }

private:
  static constexpr size_t kBufferSize = 64 * 1024;

  bool isOpen() const {
#ifdef _WIN32
    return FHandle != INVALID_HANDLE_VALUE;
#else
    return FFile != nullptr;
#endif
  }

  bool put(const void* data, size_t count) {
    if (FError != 0) return false;
#ifdef _WIN32
    const char* p = (const char*)data;
    while (count > 0) {
      const DWORD chunk = count > 0x40000000 ? 0x40000000 : DWORD(count);
      DWORD wrote = 0;
      if (!WriteFile(FHandle, p, chunk, &wrote, nullptr) || wrote != chunk) {
        FError = GetLastError();
        // A short write without an error code is a full disk.
        if (FError == 0) FError = ERROR_DISK_FULL;
        return false;
      }
      p += wrote;
      count -= wrote;
      FPos += wrote;
    }
    return true;
#else
    if (std::fwrite(data, 1, count, FFile) != count) {
      FError = (unsigned long)errno;
      if (FError == 0) FError = ENOSPC;
      return false;
    }
    FPos += (int64_t)count;
    return true;
#endif
  }

  bool flush() {
    if (FBuffer.empty()) return FError == 0;
    const bool ok = put(FBuffer.data(), FBuffer.size());
    FBuffer.clear();
    return ok;
  }

  std::string FName;
#ifdef _WIN32
  HANDLE FHandle = INVALID_HANDLE_VALUE;  // owned
#else
  std::FILE* FFile = nullptr;  // owned
#endif
  std::vector<char> FBuffer;  // bytes not yet handed to the system
  int64_t FPos = 0;           // the system's file position
  unsigned long FError = 0;   // the first failure's system code
  bool FOwned = false;        // the file under FName is this save's
};

// Moves the finished temporary file over the target in one step.
unsigned long replaceFile(const std::string& from, const std::string& to) {
#ifdef _WIN32
  DWORD error = 0;
  for (int i = 0; i < kTries; ++i) {
    if (MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return 0;
    error = GetLastError();
    if (!isMomentary(error)) break;
    Sleep(kTryPauseMs);
  }
  return error ? error : ERROR_ACCESS_DENIED;
#else
  return std::rename(from.c_str(), to.c_str()) == 0 ? 0 : (unsigned long)errno;
#endif
}
}  // namespace

void SaveFileAtomically(const std::string& name, const std::function<void(TStream&)>& write) {
  if (isReadOnly(name)) throw EFCreateError(name, "The file is read-only.");
  const std::string temp = name + ".~tmp";
  TSaveFile file(temp);
  if (file.Failed()) throw EFCreateError(name, SysErrorMessage(file.Error()));
  try {
    write(file);
  } catch (...) {
    // A failure of the system is the reason, whatever the writer made of it.
    const unsigned long error = file.Error();
    file.Discard();
    if (error != 0) throw EFCreateError(name, SysErrorMessage(error));
    throw;
  }
  if (!file.Finish()) {
    const unsigned long error = file.Error();
    file.Discard();
    throw EFCreateError(name, SysErrorMessage(error));
  }
  if (const unsigned long error = replaceFile(temp, name)) {
    file.Discard();
    throw EFCreateError(name, SysErrorMessage(error));
  }
  file.Moved();
}
