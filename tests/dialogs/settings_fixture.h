// A launcher folder and a host for the Settings dialog tests, with scripted
// prompts and a reader of INI files of the tests' own.
#pragma once
#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "discovery_fixture.h"
#include "SettingsDialog.h"

// Section -> key (lower case) -> value, read from the file's text.
using TIniText = std::map<std::string, std::map<std::string, std::string>>;
TIniText ReadIniText(const std::string& file);

class TSettingsTest : public TDiscoveryTest {
protected:
  void SetUp() override;
  void TearDown() override;

  // The dialog over this test's launcher folder (made on first use).
  TSettingsDialog& Dialog();
  void CloseDialog() { FForm.reset(); }
  std::string Option(const std::string& key) { return ReadIniText(App + "Options.ini")["asetukset"][LowerCase(key)]; }

  // Answers the next prompts in order: a modal result, and for text
  // prompts the text. Prompts are recorded as "caption|text".
  void Answer(int result, const std::string& text = "") { FAnswers.push_back({result, text}); }
  std::vector<std::string> Prompts;

  std::unique_ptr<TIniFile> Options, Parameters;
  std::unique_ptr<TMediaPlayer> Player;
  TSettingsHost Host;
  std::vector<std::string> AppliedSkins;
  int ReapplyCount = 0, ListChangedCount = 0, ClickCount = 0;

private:
  struct TAnswer {
    int Result;
    std::string Text;
  };
  std::deque<TAnswer> FAnswers;
  std::unique_ptr<TSettingsDialog> FForm;
};
