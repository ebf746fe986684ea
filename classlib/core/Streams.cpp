// Memory and file streams.
#include "Streams.h"

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

bool replaceFile(const std::string& from, const std::string& to) {
#ifdef _WIN32
  return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED) != 0;
#else
  return std::rename(from.c_str(), to.c_str()) == 0;
#endif
}
}  // namespace

void SaveFileAtomically(const std::string& name, const std::function<void(TStream&)>& write) {
  if (isReadOnly(name)) throw EFCreateError(name);
  std::string temp = name + ".~tmp";
  try {
    TFileStream f(temp, fmCreate);
    write(f);
    f.Close();
  } catch (const EFCreateError&) {
    std::remove(temp.c_str());
    throw EFCreateError(name);
  } catch (...) {
    std::remove(temp.c_str());
    throw;
  }
  if (!replaceFile(temp, name)) {
    std::remove(temp.c_str());
    throw EFCreateError(name);
  }
}
