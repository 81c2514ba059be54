#pragma once
// The walk over the desktop's top-level windows and the file it fills.

#include <windows.h>

#include "survey/window_list.h"

// The open window list file, from OpenWindowList to CloseWindowList. The
// enumeration callback reaches it here: EnumWindows hands it no context.
extern LogStream g_logStream;

// Creates the window list file at `logPath`, replacing an older one, shared
// with no one while it is open. Returns 0, or the platform's error code when
// the file cannot be created; nothing is then open.
DWORD OpenWindowList(const wchar_t *logPath);

// Writes out the buffer and closes the file. Returns 0 when every write and
// the close succeeded, otherwise the first failure's error code.
DWORD CloseWindowList();

// The EnumWindows callback: one line for each visible window. Always goes on.
BOOL CALLBACK ListWindow(HWND window, LPARAM context);
