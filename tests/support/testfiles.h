// Whole files as byte strings, for tests that compare what was written.
#pragma once
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

inline std::string ReadAll(const std::filesystem::path& p) {
  std::ifstream f(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), {});
}

inline void WriteAll(const std::filesystem::path& p, const std::string& bytes) {
  std::ofstream f(p, std::ios::binary | std::ios::trunc);
  f << bytes;
}

// The same from a byte vector (its own name: a braced list would fit both).
inline void WriteBytes(const std::filesystem::path& p, const std::vector<uint8_t>& bytes) {
  WriteAll(p, std::string(bytes.begin(), bytes.end()));
}

// The file's lines as bytes, without their LF; none when it is missing.
inline std::vector<std::string> ReadLines(const std::filesystem::path& p) {
  std::ifstream f(p, std::ios::binary);
  std::vector<std::string> lines;
  for (std::string line; std::getline(f, line);) lines.push_back(line);
  return lines;
}
