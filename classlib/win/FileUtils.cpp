// File and folder tests.
#include "FileUtils.h"

#include <windows.h>

#include "SysUtils.h"

bool FileExists(const std::string& name) {
  DWORD a = GetFileAttributesA(name.c_str());
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::string& name) {
  DWORD a = GetFileAttributesA(name.c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

std::vector<std::string> FolderEntries(const std::string& folder, const std::string& pattern, bool folders) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA fd;
  // Without the short names, which nothing here uses, and in large batches.
  HANDLE h = FindFirstFileExA((IncludeTrailingBackslash(folder) + pattern).c_str(), FindExInfoBasic, &fd,
                              FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
  if (h == INVALID_HANDLE_VALUE) return names;
  do {
    std::string name = fd.cFileName;
    bool isFolder = (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (isFolder == folders && name != "." && name != "..") names.push_back(name);
  } while (FindNextFileA(h, &fd));
  FindClose(h);
  return names;
}
