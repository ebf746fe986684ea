// The icons in the notification area that this process shows, removed at
// the process's end however it ends: a normal exit, an exception that ends
// the program, or a crash.
#pragma once
#include <windows.h>

// Called after the shell took an icon and after it was asked to delete one.
void RememberTrayIcon(HWND wnd, UINT id);
void ForgetTrayIcon(HWND wnd, UINT id);
// Deletes every icon still remembered (what the process's end runs).
void RemoveRememberedTrayIcons();
