// Build-time check of our creation-side declarations against the
// toolchain's own header, where it has one.
#include "cabfiles_fci.h"

#if __has_include(<fci.h>)
#include <fci.h>

#include <cstddef>
#include <type_traits>

static_assert(sizeof(fci::CCAB) == sizeof(CCAB));
static_assert(offsetof(fci::CCAB, setID) == offsetof(CCAB, setID));
static_assert(offsetof(fci::CCAB, szCabPath) == offsetof(CCAB, szCabPath));
static_assert(std::is_same_v<fci::PFNFCIOPEN, ::PFNFCIOPEN>);
static_assert(std::is_same_v<fci::PFNFCIREAD, ::PFNFCIREAD>);
static_assert(std::is_same_v<fci::PFNFCISEEK, ::PFNFCISEEK>);
static_assert(std::is_same_v<fci::PFNFCIGETTEMPFILE, ::PFNFCIGETTEMPFILE>);
static_assert(std::is_same_v<fci::PFNFCISTATUS, ::PFNFCISTATUS>);
static_assert(std::is_same_v<fci::PFNFCIGETOPENINFO, ::PFNFCIGETOPENINFO>);
static_assert(fci::kStatusFile == statusFile && fci::kStatusCabinet == statusCabinet);
#endif
