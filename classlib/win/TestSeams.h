// The files that steer the prompts and record the sounds and shell opens in
// test runs. Test builds read them from the environment; other builds have
// none.
#pragma once

// The file of scripted prompt answers (BX_PROMPT_SCRIPT), or null.
const char* PromptScriptFile();
// The file that records the sounds instead of playing them (BX_SOUND_LOG), or null.
const char* SoundLogFile();
// The file that records shell opens instead of doing them (BX_SHELL_LOG), or null.
const char* ShellLogFile();
