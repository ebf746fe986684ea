// Streams of the class library: the abstract TStream, memory and file streams,
// and the stream exceptions with the class library's fixed messages.
#pragma once
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "SysUtils.h"

class EStreamError : public Exception { using Exception::Exception; };
class EReadError : public EStreamError {
public:
  EReadError() : EStreamError("Stream read error") {}
  explicit EReadError(const std::string& msg) : EStreamError(msg) {}
};
class EWriteError : public EStreamError {
public:
  EWriteError() : EStreamError("Stream write error") {}
  explicit EWriteError(const std::string& msg) : EStreamError(msg) {}
};
class EFOpenError : public EStreamError {
public:
  explicit EFOpenError(const std::string& file) : EStreamError("Cannot open file " + file) {}
};
class EFCreateError : public EStreamError {
public:
  explicit EFCreateError(const std::string& file) : EStreamError("Cannot create file " + file) {}
  // With the reason, such as the system's text for a full disk.
  EFCreateError(const std::string& file, const std::string& cause)
      : EStreamError("Cannot create file " + file + ": " + cause) {}
};

enum TSeekOrigin { soFromBeginning, soFromCurrent, soFromEnd };

class TStream {
public:
  virtual ~TStream() = default;
  // Read/Write move up to count bytes and say how many moved.
  virtual int64_t Read(void* buffer, int64_t count) = 0;
  virtual int64_t Write(const void* buffer, int64_t count) = 0;
  virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;

  int64_t Position() { return Seek(0, soFromCurrent); }
  void SetPosition(int64_t pos) { Seek(pos, soFromBeginning); }
  virtual int64_t Size();
  int64_t Remaining() { return Size() - Position(); }

  // Exactly count bytes or EReadError / EWriteError.
  void ReadBuffer(void* buffer, int64_t count);
  void WriteBuffer(const void* buffer, int64_t count);
  int64_t CopyFrom(TStream& source, int64_t count);  // count 0: the whole source

  uint8_t ReadU8();
  uint16_t ReadU16();
  uint32_t ReadU32();
  void WriteU8(uint8_t v) { WriteBuffer(&v, 1); }
  void WriteU16(uint16_t v);
  void WriteU32(uint32_t v);
  void WriteString(const std::string& s) { WriteBuffer(s.data(), (int64_t)s.size()); }
};

class TMemoryStream : public TStream {
public:
  TMemoryStream() = default;
  explicit TMemoryStream(std::vector<uint8_t> bytes) : FData(std::move(bytes)) {}
  int64_t Read(void* buffer, int64_t count) override;
  int64_t Write(const void* buffer, int64_t count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
  int64_t Size() override { return (int64_t)FData.size(); }
  void SetSize(int64_t size);
  void Clear() { FData.clear(); FPos = 0; }
  const uint8_t* Memory() const { return FData.data(); }
  uint8_t* Memory() { return FData.data(); }
  const std::vector<uint8_t>& Bytes() const { return FData; }
  void LoadFromStream(TStream& s);
  void LoadFromFile(const std::string& name);
  void SaveToStream(TStream& s) { s.WriteBuffer(FData.data(), Size()); }
  void SaveToFile(const std::string& name);

private:
  std::vector<uint8_t> FData;
  int64_t FPos = 0;
};

enum TFileMode { fmOpenRead, fmOpenReadWrite, fmCreate };

class TFileStream : public TStream {
public:
  TFileStream(const std::string& name, TFileMode mode);
  ~TFileStream() override;
  TFileStream(const TFileStream&) = delete;
  TFileStream& operator=(const TFileStream&) = delete;
  int64_t Read(void* buffer, int64_t count) override;
  int64_t Write(const void* buffer, int64_t count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
  // Flushes and closes; raises EWriteError when buffered bytes cannot be written.
  void Close();

private:
  std::FILE* FFile = nullptr;  // owned
  std::string FName;
};

// Writes a file through a temporary file in the same folder (name + ".~tmp")
// that replaces the target only when write() returned and every byte is on
// the disk: a failure or a crash never destroys the old file. The temporary
// file left by a crashed save of the same file is replaced and so removed.
// When the system fails (a full disk, no access) the temporary file goes and
// EFCreateError names the file and the system's reason, whatever write()
// raised meanwhile; write()'s own exceptions pass unchanged. A read-only
// target is left as it is (EFCreateError).
void SaveFileAtomically(const std::string& name, const std::function<void(TStream&)>& write);
