#pragma once
// Starting the real Vantelsby.exe under test, finding its notice, answering
// it like a user, and collecting its exit status. Shared by the end-to-end
// driver and the benchmark.

#include <windows.h>

#include <string>

// What a notice box showed.
struct Notice {
    HWND box;
    std::wstring caption;
    std::wstring text;    // the message text, control id 0xFFFF
    bool hasIcon;         // a visible icon beside the text (MB_ICONERROR and the like)
};

// Starts `exe` with `arguments` (may be empty) in the folder `folder` (null:
// the driver's own). Returns false, with a reason on stderr, when it cannot.
bool StartProgram(const std::wstring &exe, const std::wstring &arguments, const wchar_t *folder,
                  PROCESS_INFORMATION *process);

// Waits for a visible message box (#32770) of process `pid`, pumping this
// thread's messages meanwhile; `pid` 0 accepts a box of any other process
// captioned "Vantelsby". Returns null after `timeoutMs`.
HWND WaitForNotice(DWORD pid, DWORD timeoutMs);

Notice ReadNotice(HWND box);

// Presses OK on the box.
void AnswerNotice(HWND box);

// Waits for the process to end; returns its exit status, or STILL_ACTIVE
// when it does not end within `timeoutMs` (it is then terminated).
DWORD WaitForExit(const PROCESS_INFORMATION &process, DWORD timeoutMs);

// The whole run as a user sees it: start, wait for the notice, read it,
// press OK, wait for the exit. Returns false when any step did not happen.
bool RunAndAnswer(const std::wstring &exe, const std::wstring &arguments, const wchar_t *folder,
                  Notice *notice, DWORD *exitCode);

// Handles this thread's pending messages.
void PumpMessages();
