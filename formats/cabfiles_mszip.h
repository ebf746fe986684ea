// MSZIP data blocks for the portable cabinet writer, through zlib's raw
// deflate.
#pragma once
#include <cstdint>
#include <span>
#include <vector>

#include "cabfiles_layout.h"

// The most input a cabinet data block holds.
constexpr size_t kCabinetBlockSize = CFDATA::kMaxUncomp;

// A folder's bytes as MSZIP blocks: each block is "CK" and one complete raw
// deflate stream of the next 32 KiB (less for the last). A reader inflates a
// block with the previous block's output as its dictionary, so each block is
// compressed with the previous 32 KiB of input preset as the dictionary.
// Raises ECABFileError when zlib fails.
std::vector<std::vector<uint8_t>> MakeMSZIPBlocks(std::span<const uint8_t> folder);
