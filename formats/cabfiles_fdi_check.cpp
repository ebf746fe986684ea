// Build-time check of our cabinet library declarations against the
// toolchain's own header, where it has one: same layouts, same callback
// types (and with them the calling conventions) on every target.
#include "cabfiles_fdi.h"

#if __has_include(<fdi.h>)
#include <fdi.h>

#include <cstddef>
#include <type_traits>

static_assert(sizeof(fdi::ERF) == sizeof(ERF));
static_assert(sizeof(fdi::FDICABINETINFO) == sizeof(FDICABINETINFO));
static_assert(sizeof(fdi::FDINOTIFICATION) == sizeof(FDINOTIFICATION));
static_assert(offsetof(fdi::FDINOTIFICATION, pv) == offsetof(FDINOTIFICATION, pv));
static_assert(offsetof(fdi::FDINOTIFICATION, hf) == offsetof(FDINOTIFICATION, hf));
static_assert(offsetof(fdi::FDINOTIFICATION, date) == offsetof(FDINOTIFICATION, date));
static_assert(offsetof(fdi::FDINOTIFICATION, fdie) == offsetof(FDINOTIFICATION, fdie));
static_assert(std::is_same_v<fdi::PFNALLOC, ::PFNALLOC>);
static_assert(std::is_same_v<fdi::PFNFREE, ::PFNFREE>);
static_assert(std::is_same_v<fdi::PFNOPEN, ::PFNOPEN>);
static_assert(std::is_same_v<fdi::PFNREAD, ::PFNREAD>);
static_assert(std::is_same_v<fdi::PFNWRITE, ::PFNWRITE>);
static_assert(std::is_same_v<fdi::PFNCLOSE, ::PFNCLOSE>);
static_assert(std::is_same_v<fdi::PFNSEEK, ::PFNSEEK>);
static_assert(fdi::kCpu80386 == cpu80386);
static_assert(int(fdi::FDIERROR_USER_ABORT) == int(::FDIERROR_USER_ABORT));
static_assert(int(fdi::fdintCLOSE_FILE_INFO) == int(::fdintCLOSE_FILE_INFO));
#endif
