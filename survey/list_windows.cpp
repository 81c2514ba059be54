#include "survey/survey.h"

LogStream g_logStream;

BOOL CALLBACK ListWindow(HWND window, LPARAM)
{
    if (!IsWindowVisible(window))
        return TRUE;

    // A window that is gone by now, or a query that fails, leaves an empty string.
    wchar_t title[300] = {0};
    GetWindowTextW(window, title, 300);
    wchar_t className[300] = {0};
    GetClassNameW(window, className, 300);
    bool topmost = (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;

    WriteWindowLine(&g_logStream, title, className, (uint32_t)(uintptr_t)window, topmost);
    return TRUE;
}
