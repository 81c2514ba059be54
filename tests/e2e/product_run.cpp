#include "product_run.h"

#include <stdio.h>

bool StartProgram(const std::wstring &exe, const std::wstring &arguments, const wchar_t *folder,
                  PROCESS_INFORMATION *process)
{
    std::wstring commandLine = L"\"" + exe + L"\"";
    if (!arguments.empty())
        commandLine += L" " + arguments;
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    // CreateProcessW may write into the command line, so it gets a copy of its own.
    std::wstring writable = commandLine;
    if (!CreateProcessW(exe.c_str(), &writable[0], NULL, NULL, FALSE, 0, NULL, folder, &startup, process)) {
        fwprintf(stderr, L"cannot start %ls: error %lu\n", exe.c_str(), GetLastError());
        return false;
    }
    return true;
}

void PumpMessages()
{
    MSG message;
    while (PeekMessageW(&message, NULL, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

struct NoticeSearch {
    DWORD pid;
    HWND found;
};

static BOOL CALLBACK FindNotice(HWND window, LPARAM context)
{
    NoticeSearch *search = (NoticeSearch *)context;
    if (!IsWindowVisible(window))
        return TRUE;
    wchar_t className[16] = {0};
    GetClassNameW(window, className, 16);
    if (wcscmp(className, L"#32770") != 0)
        return TRUE;
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (search->pid != 0 ? pid != search->pid : pid == GetCurrentProcessId())
        return TRUE;
    if (search->pid == 0) {
        wchar_t caption[16] = {0};
        GetWindowTextW(window, caption, 16);
        if (wcscmp(caption, L"Vantelsby") != 0)
            return TRUE;
    }
    search->found = window;
    return FALSE;
}

HWND WaitForNotice(DWORD pid, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        NoticeSearch search = {pid, NULL};
        EnumWindows(FindNotice, (LPARAM)&search);
        if (search.found != NULL)
            return search.found;
        if (GetTickCount() - start > timeoutMs)
            return NULL;
        PumpMessages();
        Sleep(2);
    }
}

static std::wstring TextOf(HWND window)
{
    wchar_t text[1024] = {0};
    GetWindowTextW(window, text, 1024);
    return text;
}

static BOOL CALLBACK FindIcon(HWND child, LPARAM context)
{
    wchar_t className[16] = {0};
    GetClassNameW(child, className, 16);
    LONG style = GetWindowLongW(child, GWL_STYLE);
    if (_wcsicmp(className, L"Static") == 0 && (style & SS_TYPEMASK) == SS_ICON && IsWindowVisible(child) &&
        SendMessageW(child, STM_GETICON, 0, 0) != 0) {
        *(bool *)context = true;
        return FALSE;
    }
    return TRUE;
}

Notice ReadNotice(HWND box)
{
    Notice notice;
    notice.box = box;
    notice.caption = TextOf(box);
    notice.text = TextOf(GetDlgItem(box, 0xFFFF));
    notice.hasIcon = false;
    EnumChildWindows(box, FindIcon, (LPARAM)&notice.hasIcon);
    return notice;
}

void AnswerNotice(HWND box)
{
    PostMessageW(box, WM_COMMAND, IDOK, 0);
}

DWORD WaitForExit(const PROCESS_INFORMATION &process, DWORD timeoutMs)
{
    DWORD code = STILL_ACTIVE;
    if (WaitForSingleObject(process.hProcess, timeoutMs) == WAIT_OBJECT_0)
        GetExitCodeProcess(process.hProcess, &code);
    else
        TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code;
}

bool RunAndAnswer(const std::wstring &exe, const std::wstring &arguments, const wchar_t *folder,
                  Notice *notice, DWORD *exitCode)
{
    PROCESS_INFORMATION process;
    if (!StartProgram(exe, arguments, folder, &process))
        return false;
    HWND box = WaitForNotice(process.dwProcessId, 60000);
    if (box == NULL) {
        fwprintf(stderr, L"%ls showed no notice within 60 s\n", exe.c_str());
        WaitForExit(process, 0);
        return false;
    }
    *notice = ReadNotice(box);
    AnswerNotice(box);
    *exitCode = WaitForExit(process, 30000);
    if (*exitCode == STILL_ACTIVE) {
        fwprintf(stderr, L"%ls did not end after its notice was answered\n", exe.c_str());
        return false;
    }
    return true;
}
