#include "survey/survey.h"

static uint32_t WriteLogFile(void *file, const char *bytes, uint32_t count)
{
    DWORD written = 0;
    if (!WriteFile((HANDLE)file, bytes, count, &written, NULL))
        return GetLastError();
    return written == count ? 0 : ERROR_WRITE_FAULT;
}

// A failure whose error code went missing must still count as one.
static DWORD ErrorOrFault(DWORD error)
{
    return error != 0 ? error : ERROR_WRITE_FAULT;
}

DWORD OpenWindowList(const wchar_t *logPath)
{
    HANDLE file = CreateFileW(logPath, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return ErrorOrFault(GetLastError());
    g_logStream.file = file;
    g_logStream.write = WriteLogFile;
    g_logStream.error = 0;
    g_logStream.used = 0;
    return 0;
}

DWORD CloseWindowList()
{
    DWORD error = FlushLogStream(&g_logStream);
    if (!CloseHandle((HANDLE)g_logStream.file) && error == 0)
        error = ErrorOrFault(GetLastError());
    g_logStream.file = NULL;
    return error;
}
