// TShellLink over IShellLinkA and IPersistFile.
#include "ShellLink.h"

#include <objbase.h>
#include <shlobj.h>

#include "SysUtils.h"

namespace {
// The shell takes text buffers of this size; longer values are cut.
constexpr int kTextBuffer = 256;

// Show commands of the shortcut, by TWindowState.
constexpr int kShowCommands[] = {SW_SHOWNORMAL, SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED};

std::wstring Wide(const std::string& s) {
  int n = MultiByteToWideChar(CP_ACP, 0, s.c_str(), int(s.size()), nullptr, 0);
  std::wstring w(size_t(n), L'\0');
  if (n > 0) MultiByteToWideChar(CP_ACP, 0, s.c_str(), int(s.size()), w.data(), n);
  return w;
}

std::string Hex(HRESULT hr) {
  char text[16];
  wsprintfA(text, "%08lX", static_cast<unsigned long>(hr));
  return text;
}

// COM for the length of one call, and the shortcut object with its two
// interfaces, released in reverse order.
class TShortcutObject {
public:
  TShortcutObject() {
    HRESULT init = CoInitialize(nullptr);
    FUninit = SUCCEEDED(init);
    HRESULT hr = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                  reinterpret_cast<void**>(&Link));
    if (SUCCEEDED(hr)) hr = Link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&File));
    if (FAILED(hr)) {
      Release();
      throw EShellLinkError("Cannot create the shell's shortcut object (error $" + Hex(hr) + ")");
    }
  }
  ~TShortcutObject() { Release(); }
  TShortcutObject(const TShortcutObject&) = delete;
  TShortcutObject& operator=(const TShortcutObject&) = delete;
  IShellLinkA* Link = nullptr;  // owned reference
  IPersistFile* File = nullptr; // owned reference

private:
  void Release() {
    if (File) File->Release();
    if (Link) Link->Release();
    File = nullptr;
    Link = nullptr;
    if (FUninit) CoUninitialize();
    FUninit = false;
  }
  bool FUninit = false;
};

template <class Get>
std::string ReadText(Get get) {
  char buffer[kTextBuffer] = "";
  get(buffer, kTextBuffer);
  buffer[kTextBuffer - 1] = '\0';
  return buffer;
}
}  // namespace

void TShellLink::Read() {
  TShortcutObject shortcut;
  HRESULT hr = shortcut.File->Load(Wide(LinkFile).c_str(), STGM_READ);
  if (FAILED(hr)) throw EShellLinkError("Cannot read the shortcut " + LinkFile + " (error $" + Hex(hr) + ")");
  IShellLinkA* link = shortcut.Link;
  Arguments = ReadText([&](char* b, int n) { link->GetArguments(b, n); });
  Description = ReadText([&](char* b, int n) { link->GetDescription(b, n); });
  WORD hotKey = 0;
  link->GetHotkey(&hotKey);
  HotKey = hotKey;
  int iconIndex = 0;
  IconFile = ReadText([&](char* b, int n) { link->GetIconLocation(b, n, &iconIndex); });
  IconIndex = iconIndex;
  ProgramFile = ReadText([&](char* b, int n) { link->GetPath(b, n, nullptr, SLGP_UNCPRIORITY); });
  int show = 0;
  link->GetShowCmd(&show);
  for (int s = wsNormal; s <= wsMaximized; ++s)
    if (show == kShowCommands[s]) WindowState = TWindowState(s);
  WorkingDirectory = ReadText([&](char* b, int n) { link->GetWorkingDirectory(b, n); });
}

void TShellLink::Write() {
  TShortcutObject shortcut;
  IShellLinkA* link = shortcut.Link;
  link->SetArguments(Arguments.c_str());
  link->SetDescription(Description.c_str());
  link->SetHotkey(HotKey);
  if (!IconFile.empty()) link->SetIconLocation(IconFile.c_str(), IconIndex);
  link->SetPath(ProgramFile.c_str());
  link->SetShowCmd(kShowCommands[WindowState]);
  if (WorkingDirectory.empty()) WorkingDirectory = ExtractFilePath(ProgramFile);
  link->SetWorkingDirectory(WorkingDirectory.c_str());
  HRESULT hr = shortcut.File->Save(Wide(LinkFile).c_str(), FALSE);
  if (FAILED(hr)) throw EShellLinkError("Cannot save the shortcut " + LinkFile + " (error $" + Hex(hr) + ")");
}
