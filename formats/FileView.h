// A read-only view of a whole file, mapped into memory: the picture readers
// decode from it without first copying the file into a buffer.
#pragma once
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

class TFileView {
public:
  // A file that cannot be opened or mapped (or is empty) gives no view:
  // Mapped() is false, and the caller reads it the ordinary way.
  explicit TFileView(const std::string& name);
  ~TFileView();
  TFileView(const TFileView&) = delete;
  TFileView& operator=(const TFileView&) = delete;

  bool Mapped() const { return FData != nullptr; }
  std::span<const uint8_t> Bytes() const { return {FData, FSize}; }

private:
  const uint8_t* FData = nullptr;
  size_t FSize = 0;
};
