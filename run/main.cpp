// Vantelsby: records the stacking order of the desktop's top-level windows
// in a text file beside the executable, then says where that file is.

#include <windows.h>

#include "run/log_path.h"
#include "run/notice.h"
#include "survey/survey.h"

static const wchar_t kCaption[] = L"Vantelsby";

// Says, instead of the completion notice, why there is no log, and gives the
// platform's error code back as the exit status so that scripts can tell the
// causes apart. `logPath` is null when no log path could be derived.
static int ReportFailure(DWORD error, const wchar_t *logPath)
{
    wchar_t reason[300] = {0};
    FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, NULL, error, 0,
                   reason, 300, NULL);
    wchar_t notice[500] = {0};
    ComposeFailureNotice(notice, 500, logPath, reason, error);
    MessageBoxW(NULL, notice, kCaption, MB_OK | MB_ICONERROR);
    return (int)error;
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    // The log lies beside the executable and is named after it.
    wchar_t logPath[MAX_PATH] = {0};
    DWORD length = GetModuleFileNameW(NULL, logPath, MAX_PATH);
    DWORD queryError = GetLastError();
    if (!MakeLogPath(logPath, MAX_PATH, length))
        return ReportFailure(length == 0 && queryError != 0 ? queryError : ERROR_FILENAME_EXCED_RANGE, NULL);

    // One line per visible window, top of the Z-order first.
    DWORD error = OpenWindowList(logPath);
    if (error != 0)
        return ReportFailure(error, logPath);
    EnumWindows(ListWindow, 0);
    error = CloseWindowList();
    if (error != 0) {
        DeleteFileW(logPath); // a cut list must not pass for a whole one
        return ReportFailure(error, logPath);
    }

    // The file is complete and closed before the user is told of it.
    wchar_t notice[500] = {0};
    ComposeNotice(notice, 500, logPath);
    MessageBoxW(NULL, notice, kCaption, MB_OK);
    return 0;
}
