// PAK archives made in memory for tests: the 12-byte header, then a directory
// of 64-byte entries (name padded to 56 bytes, file position, file length).
#pragma once
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "testfiles.h"

inline void PutLe32(std::string& bytes, uint32_t v) {
  for (int i = 0; i < 4; ++i) bytes += char((v >> (8 * i)) & 0xFF);
}

// The directory alone: names longer than the 56-byte field are cut there;
// the entries hold no file data (position and length 0).
inline std::string PakDirectory(const std::vector<std::string>& names) {
  std::string dir;
  for (const std::string& n : names) {
    std::string name = n.substr(0, 56);
    name.resize(56, '\0');
    dir += name;
    PutLe32(dir, 0);
    PutLe32(dir, 0);
  }
  return dir;
}

// The header's directory length when it should say the directory's own size.
constexpr int32_t kWholePakDirectory = INT32_MIN;

// An archive whose directory follows the header, unless the header is told
// to say otherwise (a lying offset or length).
inline std::string PakBytes(const std::vector<std::string>& names, int32_t dirOffset = 12,
                            int32_t dirLength = kWholePakDirectory) {
  const std::string dir = PakDirectory(names);
  std::string bytes = "PACK";
  PutLe32(bytes, uint32_t(dirOffset));
  PutLe32(bytes, uint32_t(dirLength == kWholePakDirectory ? int32_t(dir.size()) : dirLength));
  return bytes + dir;
}

inline void WritePak(const std::filesystem::path& file, const std::vector<std::string>& names) {
  WriteAll(file, PakBytes(names));
}
