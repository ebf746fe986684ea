// Cabinets whose members would unpack to more than they should: one that
// tells the truth (zeros, which pack small) and one that lies about its
// members' sizes.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "cabfiles.h"

// The members, then `name` holding `size` zeros, MSZIP-packed: 64 MB of
// zeros make a cabinet of a few hundred kilobytes.
inline std::vector<uint8_t> CabinetWithZeros(std::vector<TCabinetMember> members, const std::string& name,
                                             size_t size) {
  members.push_back({name, std::vector<uint8_t>(size)});
  return MakeCabinet(members, 0x3821, 0x6000, typMSZIP);
}

// The members stored, each declaring `declared` bytes however few it holds.
inline std::vector<uint8_t> CabinetWithLyingSizes(const std::vector<TCabinetMember>& members, uint32_t declared) {
  std::vector<uint8_t> cab = MakeCabinet(members, 0x3821, 0x6000, typNone);
  auto u32 = [&](size_t at) {
    return uint32_t(cab[at]) | uint32_t(cab[at + 1]) << 8 | uint32_t(cab[at + 2]) << 16 | uint32_t(cab[at + 3]) << 24;
  };
  // The member table starts where the header says; each entry is its size,
  // 12 more bytes and the zero-ended name.
  size_t at = u32(16);
  for (size_t i = 0; i < members.size(); ++i) {
    for (int b = 0; b < 4; ++b) cab[at + size_t(b)] = uint8_t(declared >> (8 * b));
    at += 16;
    while (cab[at++] != 0) {
    }
  }
  return cab;
}
