// TMediaPlayer over MCI: opens a sound file and plays it without waiting.
// With the environment variable BX_SOUND_LOG set, nothing is played: each
// Play appends "play<TAB>file name" to that file, so tests can see sounds.
#pragma once
#include <string>

#include "Classes.h"

class EMCIDeviceError : public Exception { using Exception::Exception; };

enum TMPModes { mpNotReady, mpStopped, mpPlaying, mpRecording, mpSeeking, mpPaused, mpOpen };

class TMediaPlayer : public TComponent {
public:
  explicit TMediaPlayer(TComponent* owner);
  ~TMediaPlayer() override;
  std::string ClassName() const override { return "TMediaPlayer"; }

  std::string FileName;
  // Each raises EMCIDeviceError with MCI's text when MCI refuses.
  void Open();
  void Play();
  void Close();
  TMPModes Mode() const;

private:
  std::string FAlias;  // MCI alias of the open device; empty when closed
  bool FLogged = false;  // a logged play counts as playing until Close
};
