// Whole files as byte strings, for tests that compare what was written.
#pragma once
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

inline std::string ReadAll(const std::filesystem::path& p) {
  std::ifstream f(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), {});
}

inline void WriteAll(const std::filesystem::path& p, const std::string& bytes) {
  std::ofstream f(p, std::ios::binary | std::ios::trunc);
  f << bytes;
}
