// Paths of the shell's special folders, chosen by a small index.
#pragma once
#include <windows.h>

#include <string>

// Index 0..29 of the table in pika.cpp (7 is the user's Startup folder). The
// folder's file-system path, or "" when the shell has none or the index is
// outside the table.
std::string GetSpecialFolderPath(HWND owner, int index);
