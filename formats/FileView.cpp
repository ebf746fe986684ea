// TFileView: a file mapping on Windows, mmap elsewhere.
#include "FileView.h"

#ifdef _WIN32
#include <windows.h>

TFileView::TFileView(const std::string& name) {
  HANDLE file = CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  LARGE_INTEGER size;
  // A mapped file cannot be shortened while the view exists.
  if (GetFileSizeEx(file, &size) && size.QuadPart > 0 && uint64_t(size.QuadPart) <= SIZE_MAX) {
    HANDLE mapping = CreateFileMappingA(file, nullptr, PAGE_READONLY, 0, 0, nullptr);
    if (mapping) {
      if (void* p = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0)) {
        FData = static_cast<const uint8_t*>(p);
        FSize = size_t(size.QuadPart);
      }
      CloseHandle(mapping);  // the view keeps the mapping
    }
  }
  CloseHandle(file);
}

TFileView::~TFileView() {
  if (FData) UnmapViewOfFile(FData);
}

#else
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

TFileView::TFileView(const std::string& name) {
  int fd = open(name.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return;
  struct stat st;
  if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0) {
    // Populated at once: one call instead of a fault per page.
    void* p = mmap(nullptr, size_t(st.st_size), PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0);
    if (p != MAP_FAILED) {
      FData = static_cast<const uint8_t*>(p);
      FSize = size_t(st.st_size);
    }
  }
  close(fd);
}

TFileView::~TFileView() {
  if (FData) munmap(const_cast<uint8_t*>(FData), FSize);
}
#endif
