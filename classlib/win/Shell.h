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

// An address that text from others may hand to the shell: "http://",
// "https://" or "mailto:" (any case) with something after it, and no blank,
// control character or double quote anywhere (those could end the address
// on a program's command line).
bool IsWebOrMailAddress(const std::string& address);
// The web address that a text from others names, as it may go to the shell:
// blanks around it taken off, cut at the first blank or control character
// (an address holds none), and "www." given "http://", since the shell
// would first look for a file of that name in the current folder, and
// "www.example.com" names a program too. Empty when what is left is no web
// or mail address.
std::string WebAddressToOpen(const std::string& text);
// ShellOpen of a web or mail address; anything else (a file, a folder, a
// program, a "file:" URL, another scheme) is not opened, and gives false.
bool ShellOpenAddress(const std::string& address);
