// TCABFile: a cabinet archive component over the Windows cabinet library,
// which is loaded by name for each operation. This side lists and extracts;
// the creation side shares the same published interface.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "Classes.h"
#include "SysUtils.h"

class TCABFile;

// A cabinet that cannot be read or written; the message names the cause.
class ECABFileError : public Exception { using Exception::Exception; };
// A cabinet whose members would not fit where they were to go: more bytes
// than the run allows, or than the disk has free. Nothing of it was written.
class ECABFileRefused : public ECABFileError { using ECABFileError::ECABFileError; };

enum TCompressionType { typNone, typMSZIP, typLZX };
enum TLZXMemory { lzxLowest, lzxLower, lzxLow, lzxMedium, lzxHigh, lzxHigher, lzxHighest };

using TCompressProgress = std::function<void(TCABFile* sender, int pos, int tot)>;
using TDeCompressProgress =
    std::function<void(TCABFile* sender, const std::string& fileName, int pos, int tot)>;
using TOverWriteFile =
    std::function<void(TCABFile* sender, const std::string& fileName, bool& allow)>;

// One member: as listed from a cabinet, or a file to store in one.
class TCABFileEntry {
public:
  std::string Name;     // member name as stored; when creating, the source file
  std::string RelPath;  // when creating, the folder inside the cabinet
  int32_t Size = 0;
  TDateTime DateTime = 0;
  bool Selected = false;
};

class TCABFileContents {
public:
  explicit TCABFileContents(TCABFile* owner) : FOwner(owner) {}
  TCABFile* GetOwner() const { return FOwner; }
  int Count() const { return (int)FItems.size(); }
  TCABFileEntry& GetItem(int index);  // EListError outside 0..Count-1
  TCABFileEntry& operator[](int index) { return GetItem(index); }
  TCABFileEntry& Add();
  void Clear() { FItems.clear(); }
  // The selected flag of the first entry named `name` in any letter case.
  bool IsSelected(const std::string& name) const;

private:
  TCABFile* FOwner;  // not owned
  std::vector<std::unique_ptr<TCABFileEntry>> FItems;  // owned; entries keep their address
};

class TCABFile : public TComponent {
public:
  explicit TCABFile(TComponent* owner);
  ~TCABFile() override;
  std::string ClassName() const override { return "TCABFile"; }

  // Lists the cabinet into CABFileContents (cleared first); writes nothing.
  // Raises ECABFileError when the file is a cabinet but damaged.
  void ReadContents();
  // Extracts the member named `name` (any letter case) into TargetPath; true
  // when the cabinet could be run, also when no member has that name.
  // Raises ECABFileError for a damaged cabinet.
  bool ExtractFile(const std::string& name);
  // Runs the cabinet library in the current mode: 0 done, -1 when the file
  // is missing, is not a cabinet, the library is missing, or a member could
  // not be written. Raises ECABFileError for a damaged cabinet. An
  // extracting run first adds up the sizes that the cabinet declares for the
  // members it is to write, and raises ECABFileRefused, writing nothing,
  // when they exceed MaxExtractBytes or the free space of TargetPath's disk.
  int ProcessCabinet();

  // Creation (Windows): writes CABFile from the files named by the contents'
  // entries (Name the source, RelPath the folder inside the cabinet).
  // CreateCabinet: 0 done, -1 when the cabinet library cannot be loaded;
  // raises ECABFileError for any failure of the library. Compress: true
  // when CreateCabinet returned 0.
  bool Compress();
  int CreateCabinet();
  // 100 - compressed / total x 100 of the last creation; 0 for no bytes.
  double CompressionRatio() const;
  [[noreturn]] void RaiseFCIError(int code);
  void DoCompressProgress(int done, int total);

  TCABFileContents& CABFileContents() { return *FContents; }
  std::string CABFile;
  TCompressionType CompressionType = typMSZIP;
  TLZXMemory LZXMemory = lzxLowest;
  std::string TargetPath;
  // The most bytes that one extracting run may write; 0 for no bound.
  uint64_t MaxExtractBytes = 0;
  TCompressProgress OnCompressProgress;
  TDeCompressProgress OnDecompressProgress;
  TOverWriteFile OnOverWriteFile;

  // What ProcessCabinet does with each member: list it (and extract
  // nothing), extract all, the named one, or those selected in the contents.
  enum TMode { modeList = 0, modeExtractAll = 1, modeExtractNamed = 2, modeExtractSelected = 3 };
  void SetMode(TMode mode) { FMode = mode; }

private:
  friend struct TCabinetRun;
  friend struct TCompressRun;
  // Raises ECABFileRefused when a run's declared bytes do not fit.
  void CheckRoom(uint64_t bytes) const;
  // Counters of the last creation, reset by each.
  int32_t FTotalBytes = 0;
  int32_t FCompressedBytes = 0;
  int32_t FDoneBytes = 0;
  std::unique_ptr<TCABFileContents> FContents;  // owned
  TMode FMode = modeList;
  std::string FWantedName;
};

// --- helpers shared by both sides and their tests

// The library's error texts, by the error code of its error record.
std::string FCIErrorText(int code);  // creating
std::string FDIErrorText(int code);  // reading
// A member name that may be written below a folder: relative, no drive, no
// ".." part, not empty.
bool IsSafeMemberName(const std::string& name);
// TargetPath joined to a member name with exactly one separator; an empty
// TargetPath leaves the name relative to the current folder.
std::string MemberTargetName(const std::string& targetPath, const std::string& memberName);
// Checks a cabinet's own structure: raises ECABFileError for a file that is
// not a cabinet, is cut short, points outside itself or fails a data block's
// checksum. Sets of cabinets and reserved areas get the header check only.
void CheckCabinetBytes(std::span<const uint8_t> bytes, const std::string& name);
// The checksum of one data block (its 8-byte header, then its data) as the
// block's csum field keeps it.
uint32_t CabinetBlockChecksum(std::span<const uint8_t> block);
// A member held in memory, for the portable writer.
struct TCabinetMember {
  std::string Name;
  std::vector<uint8_t> Bytes;
};
// The bytes of a single cabinet with one folder of the members, in the given
// order, each dated with the DOS date and time given; the folder is stored
// (typNone) or MSZIP-compressed (typMSZIP). Raises ECABFileError for an empty
// member list (no reader takes such a cabinet), an unusable name, a folder
// beyond the format's limits or another compression type.
std::vector<uint8_t> MakeCabinet(std::span<const TCabinetMember> members, uint16_t dosDate, uint16_t dosTime,
                                 TCompressionType compression);
// Windows only: the system's text for an error code in a warning box titled
// "Error" (nothing for 0).
void ShowCabSystemError(unsigned long code);
// The stored DOS date and time as a date-time value; 0 when invalid.
TDateTime DosDateTimeToDateTime(uint16_t date, uint16_t time);
