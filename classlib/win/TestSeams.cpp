#include "TestSeams.h"

#include <cstdlib>

#ifdef BX_TEST_SEAMS
namespace {
const char* Variable(const char* name) {
  const char* value = std::getenv(name);
  return value && *value ? value : nullptr;
}
}  // namespace

const char* PromptScriptFile() { return Variable("BX_PROMPT_SCRIPT"); }
const char* SoundLogFile() { return Variable("BX_SOUND_LOG"); }
const char* ShellLogFile() { return Variable("BX_SHELL_LOG"); }
#else
const char* PromptScriptFile() { return nullptr; }
const char* SoundLogFile() { return nullptr; }
const char* ShellLogFile() { return nullptr; }
#endif
