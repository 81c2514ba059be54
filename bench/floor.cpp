// The benchmark's floor: the least a program can do and still write the same
// window list as Vantelsby.exe and show the same notice. The same queries per
// window, the same bytes, one 4096-byte buffer, one notice. No error handling
// and nothing else, so that its time is what the work itself costs.

#include <windows.h>

static HANDLE g_file;
static char g_buffer[4096];
static DWORD g_used;

static void Put(char byte)
{
    if (g_used == sizeof g_buffer) {
        DWORD written;
        WriteFile(g_file, g_buffer, g_used, &written, NULL);
        g_used = 0;
    }
    g_buffer[g_used++] = byte;
}

static void PutText(const char *text)
{
    while (*text != 0)
        Put(*text++);
}

// Latin-1 keeps its value, anything above becomes '?', LF becomes CR LF.
static void PutUnits(const wchar_t *text)
{
    for (; *text != 0; text++) {
        if (*text == L'\n')
            PutText("\r\n");
        else
            Put(*text <= 0xFF ? (char)*text : '?');
    }
}

static BOOL CALLBACK ListWindow(HWND window, LPARAM)
{
    if (!IsWindowVisible(window))
        return TRUE;
    wchar_t title[300] = {0};
    GetWindowTextW(window, title, 300);
    wchar_t className[300] = {0};
    GetClassNameW(window, className, 300);
    LONG exStyle = GetWindowLongW(window, GWL_EXSTYLE);

    PutUnits(title);
    PutText(" (");
    PutUnits(className);
    PutText(") 0x");
    DWORD handle = (DWORD)(UINT_PTR)window;
    for (int shift = 28; shift >= 0; shift -= 4)
        Put("0123456789ABCDEF"[(handle >> shift) & 0xF]);
    if (exStyle & WS_EX_TOPMOST)
        PutText(" topmost");
    PutText("\r\n");
    return TRUE;
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    // The notice's text with the log path in place: the executable's path,
    // its extension replaced by "txt" (floor.exe always has one).
    static const wchar_t kIntro[] = L"Log has been created in ";
    wchar_t notice[sizeof kIntro / sizeof kIntro[0] + MAX_PATH + 4];
    lstrcpyW(notice, kIntro);
    wchar_t *path = notice + sizeof kIntro / sizeof kIntro[0] - 1;
    DWORD dot = GetModuleFileNameW(NULL, path, MAX_PATH);
    while (path[dot] != L'.')
        dot--;
    lstrcpyW(path + dot + 1, L"txt");

    g_file = CreateFileW(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    EnumWindows(ListWindow, 0);
    DWORD written;
    WriteFile(g_file, g_buffer, g_used, &written, NULL);
    CloseHandle(g_file);

    MessageBoxW(NULL, notice, L"Vantelsby", MB_OK);
    return 0;
}
