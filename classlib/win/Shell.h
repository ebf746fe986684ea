// Opening documents, folders and web addresses through the shell. Every such
// call of the programs goes through ShellOpen, so that a test run can record
// the calls (BX_SHELL_LOG) instead of starting a browser or an editor.
#pragma once

#include <string>

// Opens target (a file, a folder or an address) with the shell's verb, with
// parameters and a working folder where given. True when the shell took it.
// A test build with BX_SHELL_LOG set appends "verb<TAB>target<TAB>parameters"
// to that file instead, and answers true.
bool ShellOpen(const std::string& target, const std::string& parameters = {},
               const std::string& folder = {}, const std::string& verb = "open");
