// TShellLink: reads and writes Windows shortcut files (".lnk") through the
// shell's shortcut object.
#pragma once
#include <cstdint>
#include <string>

#include "Classes.h"
#include "SysUtils.h"

// The shell object cannot be made, or a shortcut file cannot be loaded or saved.
class EShellLinkError : public Exception { using Exception::Exception; };

enum TWindowState { wsNormal, wsMinimized, wsMaximized };

class TShellLink : public TComponent {
public:
  explicit TShellLink(TComponent* owner) : TComponent(owner) {}
  std::string ClassName() const override { return "TShellLink"; }

  std::string Arguments;
  std::string Description;
  std::string IconFile;  // empty: the program's own icon
  int IconIndex = 0;
  uint16_t HotKey = 0;  // virtual key in the low byte, modifier flags in the high byte
  std::string LinkFile;
  std::string ProgramFile;
  TWindowState WindowState = wsNormal;
  // Empty at Write: set to ProgramFile's folder with its trailing backslash.
  std::string WorkingDirectory;

  // Loads LinkFile into the properties; texts are cut to 255 characters. A
  // show command other than normal, minimised or maximised leaves
  // WindowState as it was. Raises EShellLinkError when the file cannot be loaded.
  void Read();
  // Writes the properties to LinkFile. Raises EShellLinkError when the file
  // cannot be saved (a missing folder, no rights), so that a failure is never
  // taken for success.
  void Write();
};
