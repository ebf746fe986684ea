// MCI through its command strings.
#include "MPlayer.h"

#include "TestSeams.h"

#include <windows.h>
#include <mmsystem.h>

#include <cstdio>

namespace {
void Send(const std::string& command, char* reply = nullptr, UINT replySize = 0) {
  MCIERROR err = mciSendStringA(command.c_str(), reply, replySize, nullptr);
  if (err) {
    char text[256] = "";
    if (!mciGetErrorStringA(err, text, sizeof text)) std::snprintf(text, sizeof text, "MCI error %lu", err);
    throw EMCIDeviceError(text);
  }
}
}  // namespace

TMediaPlayer::TMediaPlayer(TComponent* owner) : TComponent(owner) {}

TMediaPlayer::~TMediaPlayer() {
  try {
    Close();
  } catch (...) {
  }
}

void TMediaPlayer::Open() {
  Close();
  if (SoundLogFile()) {
    FAlias = "log";
    return;
  }
  static int counter = 0;
  std::string alias = "bxmedia" + std::to_string(++counter);
  Send("open \"" + FileName + "\" alias " + alias);
  FAlias = alias;
}

void TMediaPlayer::Play() {
  if (FAlias.empty()) throw EMCIDeviceError("The device is not open");
  if (const char* log = SoundLogFile()) {
    if (std::FILE* f = std::fopen(log, "ab")) {
      std::fprintf(f, "play\t%s\n", FileName.c_str());
      std::fclose(f);
    }
    FLogged = true;
    return;
  }
  Send("play " + FAlias);
}

void TMediaPlayer::Close() {
  FLogged = false;
  if (FAlias.empty()) return;
  std::string alias = std::move(FAlias);
  FAlias.clear();
  if (alias != "log") Send("close " + alias);
}

TMPModes TMediaPlayer::Mode() const {
  if (FAlias.empty()) return mpNotReady;
  if (FAlias == "log") return FLogged ? mpPlaying : mpStopped;
  char reply[64] = "";
  try {
    Send("status " + FAlias + " mode", reply, sizeof reply);
  } catch (const EMCIDeviceError&) {
    return mpNotReady;
  }
  std::string m = reply;
  if (m == "playing") return mpPlaying;
  if (m == "paused") return mpPaused;
  if (m == "stopped") return mpStopped;
  if (m == "seeking") return mpSeeking;
  if (m == "recording") return mpRecording;
  if (m == "open") return mpOpen;
  return mpNotReady;
}
