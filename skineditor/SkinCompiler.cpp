// The skin compiler's steps.
//
// Departures from the original compiler: member files left in the temporary
// folder by an earlier compilation are deleted first; a project file that
// cannot be copied, a missing cabinet library or a failed cabinet call ends
// the compilation as a failure that the log names; the package is written
// under a temporary name beside the output and renamed over the old one only
// when it is complete; the temporary files are deleted on every way out; a
// skin without a background picture is refused before anything is written.
#include "SkinCompiler.h"

#include <windows.h>

#include <cstdio>

#include "Streams.h"
#include "SysUtils.h"
#include "skinproject.h"

const char* const kLogCompress = "Compress skin";
const char* const kLogDeleteTemp = "Delete temporary files";
const char* const kLogCompiled = "Skin compiled";
const char* const kLogNotCompiled = "Skin not compiled: ";

namespace {
const char* const kPartialSuffix = ".~tmp";  // the package while it is being written
const char* const kLibraryMissing = "Can't load the cabinet library cabinet.dll";
}  // namespace

void TSkinCompiler::Say(const std::string& line) {
  if (Log) Log(line);
}

void TSkinCompiler::Breathe() {
  if (LetMessagesThrough) LetMessagesThrough();
}

void TSkinCompiler::DeleteStaleMembers() {
  WIN32_FIND_DATAA found;
  HANDLE h = FindFirstFileA((TempFolder + "*").c_str(), &found);
  if (h == INVALID_HANDLE_VALUE) return;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && IsSkinPackageMemberName(found.cFileName))
      DeleteFileA((TempFolder + found.cFileName).c_str());
  } while (FindNextFileA(h, &found));
  FindClose(h);
}

bool TSkinCompiler::Run(const TSkinPackageInput& input) {
  const DWORD started = GetTickCount();
  const std::string package = FCab.CABFile;
  const std::string partial = package + kPartialSuffix;
  std::vector<std::string> listed;
  std::string failure;
  try {
    if (!input.Skin || !HasBackgroundPicture(*input.Skin)) throw EInvalidOperation(kNoBackgroundMessage);
    DeleteStaleMembers();
    auto members = MakeSkinPackageMembers(input, [this](const std::string& line) {
      Breathe();
      Say(line);
    });
    for (const auto& m : members) {
      listed.push_back(TempFolder + m.Name);
      TMemoryStream(m.Bytes).SaveToFile(listed.back());
    }

    Breathe();
    Say(kLogCompress);
    FCab.CABFileContents().Clear();
    for (const auto& path : listed) FCab.CABFileContents().Add().Name = path;
    DeleteFileA(partial.c_str());
    FCab.CABFile = partial;
    int result = -1;
    try {
      result = FCab.CreateCabinet();
    } catch (...) {
      FCab.CABFile = package;
      throw;
    }
    FCab.CABFile = package;
    if (result != 0) throw ECABFileError(kLibraryMissing);
    if (!MoveFileExA(partial.c_str(), package.c_str(), MOVEFILE_REPLACE_EXISTING))
      throw EFCreateError(package);
    char ratio[64];
    std::snprintf(ratio, sizeof ratio, "Compression ratio %.2f%%", FCab.CompressionRatio());
    Say(ratio);
  } catch (const std::exception& e) {
    DeleteFileA(partial.c_str());
    failure = e.what();
  }
  Say(kLogDeleteTemp);
  for (const auto& path : listed) DeleteFileA(path.c_str());
  if (!failure.empty()) {
    Say(std::string(kLogNotCompiled) + failure);
    return false;
  }
  Say(kLogCompiled);
  Say("Time elapsed: " + IntToStr(GetTickCount() - started) + " ms");
  return true;
}
