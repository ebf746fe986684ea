// The files that steer the prompts and record the sounds in test runs. Test
// builds read them from the environment; other builds have none.
#pragma once

// The file of scripted prompt answers (BX_PROMPT_SCRIPT), or null.
const char* PromptScriptFile();
// The file that records the sounds instead of playing them (BX_SOUND_LOG), or null.
const char* SoundLogFile();
