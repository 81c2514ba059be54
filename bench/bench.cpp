// Measures how long Vantelsby.exe takes from its start to its notice, beside
// floor.exe, which does only the same queries and writes, over a desktop of
// N windows of this program's own. Prints a Markdown table on stdout and the
// figures, one line per N, to a data file for the plot; progress and the
// checks of each measurement go to stderr.
//   bench.exe FOLDER DATAFILE [RUNS [N...]]
// FOLDER holds Vantelsby.exe and floor.exe; each writes its list there.
// RUNS (default 11) runs of each program per N, alternating, after one
// untimed run of each; N defaults to 100 1000 5000. A first row with none of
// our windows gives the fixed cost, from which the cost per window follows.

#include <windows.h>

#include <stdio.h>
#include <stdlib.h>

#include <algorithm>
#include <string>
#include <vector>

#include "product_run.h"

static const wchar_t kWindowClass[] = L"VantelsbyBenchWindow";

// Our windows draw nothing; validating at once keeps each pump of the
// messages they get (a box closing above them exposes some) cheap.
static LRESULT CALLBACK BenchWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        ValidateRect(window, NULL);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// A title like a desktop's: a document and its application, 20 to 60 units,
// some with Latin-1 letters and some with units that have no single byte.
static std::wstring TitleFor(unsigned index)
{
    static const wchar_t *const documents[] = {
        L"Quarterly report", L"Invoice", L"Meeting notes \x2014 March", L"Budget draft",
        L"R\xE9sum\xE9", L"Holiday photos", L"Build log", L"Untitled"};
    static const wchar_t *const applications[] = {
        L"Text Editor", L"Spreadsheet", L"Image Viewer", L"Mail \x2014 Inbox (3 unread)",
        L"File Manager", L"Terminal"};
    return std::wstring(documents[index % 8]) + L" " + std::to_wstring(index) + L".txt - " +
           applications[index % 6];
}

// Our windows on the desktop, created as the counts grow: every tenth
// visible one brings a hidden one, every twentieth visible one is topmost.
struct Desktop {
    unsigned visible;
    unsigned hidden;
    unsigned topmost;
};

static HWND CreateBenchWindow(unsigned index, bool topmost)
{
    int x = 20 + (int)(index * 37 % 800);
    int y = 20 + (int)(index * 23 % 560);
    int width = 160 + (int)(index % 5) * 20;
    int height = 100 + (int)(index % 7) * 10;
    return CreateWindowExW(topmost ? WS_EX_TOPMOST : 0, kWindowClass, TitleFor(index).c_str(),
                           WS_OVERLAPPEDWINDOW, x, y, width, height, NULL, NULL,
                           GetModuleHandleW(NULL), NULL);
}

static bool GrowDesktop(Desktop *desktop, unsigned visible)
{
    while (desktop->visible < visible) {
        unsigned index = desktop->visible + desktop->hidden;
        bool topmost = desktop->visible % 20 == 19;
        HWND window = CreateBenchWindow(index, topmost);
        if (window == NULL) {
            fprintf(stderr, "cannot create window %u: error %lu\n", index, GetLastError());
            return false;
        }
        // Shown without activation: no window of ours is ever the active one.
        ShowWindow(window, SW_SHOWNOACTIVATE);
        desktop->visible++;
        desktop->topmost += topmost;
        if (desktop->visible % 10 == 0) {
            if (CreateBenchWindow(index + 1, false) == NULL) {
                fprintf(stderr, "cannot create window %u: error %lu\n", index + 1, GetLastError());
                return false;
            }
            desktop->hidden++;
        }
    }
    PumpMessages();
    return true;
}

static double g_ticksPerMs;

static double Ms(const LARGE_INTEGER &from, const LARGE_INTEGER &to)
{
    return (double)(to.QuadPart - from.QuadPart) / g_ticksPerMs;
}

static LONGLONG FileSize(const std::wstring &path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        return -1;
    return ((LONGLONG)data.nFileSizeHigh << 32) | data.nFileSizeLow;
}

static std::string FileBytes(const std::wstring &path)
{
    std::string bytes;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    char chunk[65536];
    DWORD got = 0;
    while (ReadFile(file, chunk, sizeof chunk, &got, NULL) && got != 0)
        bytes.append(chunk, got);
    CloseHandle(file);
    return bytes;
}

// The visible message box of process `pid`, or null. FindWindowExW filters by
// class in the window server, so one call costs little even over thousands of
// windows, unlike a walk over all of them.
static HWND VisibleBoxOf(DWORD pid)
{
    HWND box = NULL;
    while ((box = FindWindowExW(NULL, box, L"#32770", NULL)) != NULL) {
        DWORD owner = 0;
        GetWindowThreadProcessId(box, &owner);
        if (owner == pid && IsWindowVisible(box))
            return box;
    }
    return NULL;
}

// One program under measurement: its copy in the folder and the log beside it.
struct Program {
    const char *name;
    std::wstring exe;
    std::wstring log;
};

// One timed run, and what was seen when it was taken.
struct Run {
    double noticeMs;     // from just before the start to the box being found visible
    double idleMs;       // from the start to WaitForInputIdle's return
    bool boxAtIdle;      // the box was already visible when the process went idle
    bool logAtIdle;      // the log had its final size when the process went idle
    LONGLONG logBytes;
};

// Starts `program`, times it up to its notice, checks that the notice is the
// success one and that the log was complete by then, answers it and waits for
// the exit. Returns false, with the reason on stderr, when any of that fails.
static bool TimeRun(const Program &program, const std::wstring &folder, Run *run)
{
    DeleteFileW(program.log.c_str()); // so that a log seen later is this run's
    PumpMessages();

    LARGE_INTEGER start, idle, shown;
    PROCESS_INFORMATION process;
    QueryPerformanceCounter(&start);
    if (!StartProgram(program.exe, L"", folder.c_str(), &process))
        return false;
    // Both programs first wait for input in the modal loop of their message
    // box: until then this thread sleeps and leaves both cores to the run.
    // Each run checks below that the box is shown and the log complete by
    // then. Polling for the box from the start instead is no earlier, and
    // its own work slows the run being measured.
    DWORD waited = WaitForInputIdle(process.hProcess, 120000);
    QueryPerformanceCounter(&idle);
    HWND box = VisibleBoxOf(process.dwProcessId);
    QueryPerformanceCounter(&shown);
    LONGLONG idleBytes = FileSize(program.log);
    run->boxAtIdle = box != NULL;
    // Should the idle signal come early or not at all, polling finds the box.
    while (box == NULL) {
        if (Ms(start, shown) > 120000 || WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0) {
            fprintf(stderr, "%s showed no notice (input idle: %lu)\n", program.name, waited);
            WaitForExit(process, 0);
            return false;
        }
        PumpMessages();
        Sleep(1);
        box = VisibleBoxOf(process.dwProcessId);
        QueryPerformanceCounter(&shown);
    }
    LONGLONG shownBytes = FileSize(program.log);

    Notice notice = ReadNotice(box);
    AnswerNotice(box);
    DWORD exitCode = WaitForExit(process, 30000);
    LONGLONG finalBytes = FileSize(program.log);
    PumpMessages();

    if (notice.caption != L"Vantelsby" || notice.text != L"Log has been created in " + program.log) {
        fprintf(stderr, "%s showed another notice: %ls\n", program.name, notice.text.c_str());
        return false;
    }
    if (exitCode != 0) {
        fprintf(stderr, "%s ended with %lu\n", program.name, exitCode);
        return false;
    }
    if (finalBytes < 0 || shownBytes != finalBytes) {
        fprintf(stderr, "%s: log of %lld bytes at the notice, %lld at the end\n", program.name,
                shownBytes, finalBytes);
        return false;
    }
    run->noticeMs = Ms(start, shown);
    run->idleMs = Ms(start, idle);
    run->logAtIdle = idleBytes == finalBytes;
    run->logBytes = finalBytes;
    return true;
}

struct Summary {
    double median, min, max;
};

static Summary Summarize(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    size_t n = times.size();
    double median = n % 2 == 1 ? times[n / 2] : (times[n / 2 - 1] + times[n / 2]) / 2;
    return {median, times.front(), times.back()};
}

// Both programs' figures at one N.
struct Row {
    unsigned windows;
    Summary vantelsby;
    Summary floor;
};

int wmain(int argc, wchar_t **argv)
{
    if (argc < 3) {
        fprintf(stderr, "usage: bench.exe FOLDER DATAFILE [RUNS [N...]]\n");
        return 2;
    }
    std::wstring folder = argv[1];
    if (folder.back() != L'\\')
        folder += L'\\';
    std::wstring dataPath = argv[2];
    int runs = argc > 3 ? _wtoi(argv[3]) : 11;
    std::vector<unsigned> counts = {0};
    for (int i = 4; i < argc; i++)
        counts.push_back((unsigned)_wtoi(argv[i]));
    if (argc <= 4)
        counts.insert(counts.end(), {100, 1000, 5000});
    if (runs < 1 || !std::is_sorted(counts.begin(), counts.end())) {
        fprintf(stderr, "RUNS must be positive and the counts ascending\n");
        return 2;
    }

    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    g_ticksPerMs = (double)frequency.QuadPart / 1000;

    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = BenchWindowProc;
    windowClass.hInstance = GetModuleHandleW(NULL);
    windowClass.lpszClassName = kWindowClass;
    RegisterClassW(&windowClass);

    Program programs[2] = {
        {"Vantelsby", folder + L"Vantelsby.exe", folder + L"Vantelsby.txt"},
        {"floor", folder + L"floor.exe", folder + L"floor.txt"},
    };

    std::vector<Row> rows;
    Desktop desktop = {0, 0, 0};
    for (unsigned count : counts) {
        LARGE_INTEGER from, to;
        QueryPerformanceCounter(&from);
        if (!GrowDesktop(&desktop, count))
            return 1;
        QueryPerformanceCounter(&to);
        fprintf(stderr, "N=%u: %u visible (%u topmost) and %u hidden windows of ours, made in %.0f ms\n",
                count, desktop.visible, desktop.topmost, desktop.hidden, Ms(from, to));

        // One untimed run of each first: the first start after a change pays
        // for loading and caches that the later ones find warm.
        std::vector<double> times[2];
        int boxAtIdle[2] = {0, 0}, logAtIdle[2] = {0, 0};
        double worstGap[2] = {0, 0};
        LONGLONG bytes[2] = {0, 0};
        for (int round = -1; round < runs; round++) {
            for (int p = 0; p < 2; p++) {
                Run run;
                if (!TimeRun(programs[p], folder, &run))
                    return 1;
                if (round < 0)
                    continue;
                times[p].push_back(run.noticeMs);
                boxAtIdle[p] += run.boxAtIdle;
                logAtIdle[p] += run.logAtIdle;
                worstGap[p] = std::max(worstGap[p], run.noticeMs - run.idleMs);
                bytes[p] = run.logBytes;
            }
        }
        bool same = FileBytes(programs[0].log) == FileBytes(programs[1].log);
        for (int p = 0; p < 2; p++) {
            Summary s = Summarize(times[p]);
            fprintf(stderr,
                    "  %-9s median %8.1f ms (%.1f-%.1f); log %lld bytes; at input idle: box shown %d/%d,"
                    " log complete %d/%d; idle to box at most %.1f ms\n",
                    programs[p].name, s.median, s.min, s.max, bytes[p], boxAtIdle[p], runs, logAtIdle[p],
                    runs, worstGap[p]);
        }
        fprintf(stderr, "  the two logs are %s\n", same ? "byte for byte the same" : "DIFFERENT");
        rows.push_back({count, Summarize(times[0]), Summarize(times[1])});
    }

    FILE *data = _wfopen(dataPath.c_str(), L"wb");
    if (data == NULL) {
        fprintf(stderr, "cannot write %ls\n", dataPath.c_str());
        return 1;
    }
    fprintf(data, "# N vantelsby_median vantelsby_min vantelsby_max floor_median floor_min floor_max (ms)\n");
    for (const Row &row : rows)
        fprintf(data, "%u %.1f %.1f %.1f %.1f %.1f %.1f\n", row.windows, row.vantelsby.median,
                row.vantelsby.min, row.vantelsby.max, row.floor.median, row.floor.min, row.floor.max);
    fclose(data);

    // The cost per window: the median above the one with none of our windows
    // (always the first row), per window.
    const Row &base = rows.front();
    printf("| windows | Vantelsby, ms: median (min-max) | floor, ms: median (min-max) | ratio |"
           " Vantelsby per window | floor per window |\n");
    printf("|---:|---:|---:|---:|---:|---:|\n");
    for (const Row &row : rows) {
        printf("| %u | %.0f (%.0f-%.0f) | %.0f (%.0f-%.0f) | %.3f |", row.windows, row.vantelsby.median,
               row.vantelsby.min, row.vantelsby.max, row.floor.median, row.floor.min, row.floor.max,
               row.vantelsby.median / row.floor.median);
        if (row.windows == 0)
            printf(" - | - |\n");
        else
            printf(" %.0f us | %.0f us |\n", (row.vantelsby.median - base.vantelsby.median) * 1000 / row.windows,
                   (row.floor.median - base.floor.median) * 1000 / row.windows);
    }
    fflush(stdout);
    return 0;
}
