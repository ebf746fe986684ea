// The PAK directory reader. Tolerant of what the listing does not use: the
// identifier is not checked, and the entries' file positions and lengths are
// read but never followed.
//
// Departures from the reader this replaces:
// - A directory offset before the start of the file, or a directory that
//   runs past the file's end, raises EReadError at the first entry that is
//   not wholly in the file (the entries before it stay listed).
// - An entry name without its terminating zero ends at the name field's 56
//   bytes; nothing beyond an entry is ever read.
// - Entries are read one at a time, so a lying directory length allocates
//   nothing in advance.
#include "PakExplr.h"

#include <sys/stat.h>

#include <cstdint>

#include "ByteReader.h"
#include "Streams.h"

namespace {

// The published PAK layout: a 12-byte header ("PACK", directory offset,
// directory length) and 64-byte directory entries of a 56-byte name, the
// file position and the file length.
constexpr size_t kHeaderSize = 12;
constexpr int64_t kEntrySize = 64;
constexpr size_t kNameSize = 56;

// The name of one entry: up to its first zero byte, at most the whole field.
std::string EntryName(const uint8_t (&entry)[kEntrySize]) {
  size_t n = 0;
  while (n < kNameSize && entry[n] != 0) ++n;
  return std::string(reinterpret_cast<const char*>(entry), n);
}

bool IsFile(const std::string& name) {
  struct stat st;
  return !name.empty() && stat(name.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace

const char* PakFolderName(TPakFileType type) {
  static const char* const names[] = {"", "demos", "env", "maps", "models", "pics", "sound", "sprites", "textures"};
  return names[type];
}

void ReadPakDirectory(TStream& s, TPakFileType type, TStringList& list) {
  uint8_t header[kHeaderSize];
  s.ReadBuffer(header, sizeof header);
  TByteReader<EReadError> r(header, EReadError().Message());
  r.Skip(4);  // "PACK"; not checked
  const int32_t dirOffset = r.I32LE();
  const int32_t dirLength = r.I32LE();
  // A move to before the file's start fails as a read would.
  if (dirOffset < 0) throw EReadError();
  s.SetPosition(dirOffset);

  list.Clear();
  if (dirLength < kEntrySize) return;
  const std::string folder = PakFolderName(type);
  const int64_t count = dirLength / kEntrySize;
  for (int64_t i = 0; i < count; ++i) {
    uint8_t entry[kEntrySize];
    s.ReadBuffer(entry, kEntrySize);
    const std::string name = EntryName(entry);
    const size_t slash = name.find('/');
    const std::string rest = slash == std::string::npos ? name : name.substr(slash + 1);
    if (type == ptAll)
      list.Add(rest);
    else if (slash != std::string::npos && name.substr(0, slash) == folder)
      list.Add(rest);
  }
}

bool TPakExplr::Explore() {
  if (!IsFile(PakFile)) return false;
  TFileStream s(PakFile, fmOpenRead);
  ReadPakDirectory(s, ResourceType, FResourceList);
  return true;
}
