// End-to-end driver: makes real top-level windows on Wine's desktop, runs the
// real Vantelsby.exe beside them, answers its notice like a user and checks
// the notice, the exit status and every byte it left on disk.
//
//   e2e_driver CASE PRODUCT_EXE WORK_FOLDER
//   e2e_driver answer EXIT_CODE      answers a notice of a Vantelsby started elsewhere
//
// WORK_FOLDER is a Windows path to an empty folder (or one the caller has
// prepared for the case). Prints one PASS or FAIL line per check that fails,
// and exits 0 only when every check held.

#include <fcntl.h>
#include <io.h>
#include <stdio.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "product_run.h"

namespace {

bool g_failed = false;

void Say(const std::wstring &text)
{
    std::string utf8(text.size() * 3 + 1, '\0');
    int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), (int)text.size(), &utf8[0], (int)utf8.size(), NULL, NULL);
    fwrite(utf8.data(), 1, size, stdout);
    fputc('\n', stdout);
    fflush(stdout);
}

void Check(bool holds, const std::wstring &what)
{
    if (!holds) {
        g_failed = true;
        Say(L"FAIL: " + what);
    }
}

std::wstring Hex(uint32_t value)
{
    wchar_t text[9];
    swprintf(text, 9, L"%08X", value);
    return text;
}

// Shows bytes for a failure message: printable ASCII as is, the rest as \xNN.
std::wstring Printable(const std::string &bytes)
{
    std::wstring shown;
    for (unsigned char byte : bytes) {
        if (byte >= 0x20 && byte < 0x7F)
            shown += (wchar_t)byte;
        else
            shown += L"\\x" + Hex(byte).substr(6);
    }
    return shown;
}

void CheckBytes(const std::string &expected, const std::string &actual, const std::wstring &what)
{
    if (expected == actual)
        return;
    size_t at = 0;
    while (at < expected.size() && at < actual.size() && expected[at] == actual[at])
        at++;
    size_t from = at > 40 ? at - 40 : 0;
    Check(false, what + L": differs at byte " + std::to_wstring(at) + L" of " + std::to_wstring(actual.size()) +
                     L" (expected " + std::to_wstring(expected.size()) + L")\n  expected ..." +
                     Printable(expected.substr(from, 120)) + L"\n  actual   ..." + Printable(actual.substr(from, 120)));
}

// ---------------------------------------------------------------------------
// The file as it must be, computed here from what the driver itself made.

std::string Encode(const std::wstring &text)
{
    std::string bytes;
    for (wchar_t unit : text) {
        if (unit == L'\n')
            bytes += "\r\n";
        else if (unit < 0x100)
            bytes += (char)(unsigned char)unit;
        else
            bytes += '?';
    }
    return bytes;
}

std::string Line(const std::wstring &title, const std::wstring &className, HWND window, bool topmost)
{
    char handle[9];
    snprintf(handle, sizeof handle, "%08X", (unsigned)(uintptr_t)window);
    return Encode(title.substr(0, 299)) + " (" + Encode(className.substr(0, 299)) + ") 0x" + handle +
           (topmost ? " topmost" : "") + "\r\n";
}

// ---------------------------------------------------------------------------
// Files and folders.

bool ReadBytes(const std::wstring &path, std::string *bytes)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bytes->clear();
    char chunk[65536];
    DWORD got = 0;
    while (ReadFile(file, chunk, sizeof chunk, &got, NULL) && got != 0)
        bytes->append(chunk, got);
    CloseHandle(file);
    return true;
}

bool WriteBytes(const std::wstring &path, const std::string &bytes)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool ok = WriteFile(file, bytes.data(), (DWORD)bytes.size(), &written, NULL) && written == bytes.size();
    return CloseHandle(file) && ok;
}

std::set<std::wstring> Entries(const std::wstring &folder)
{
    std::set<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (wcscmp(found.cFileName, L".") != 0 && wcscmp(found.cFileName, L"..") != 0)
            names.insert(found.cFileName);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

void CheckEntries(const std::wstring &folder, const std::set<std::wstring> &expected)
{
    std::set<std::wstring> actual = Entries(folder);
    std::wstring listed;
    for (const std::wstring &name : actual)
        listed += L" [" + name + L"]";
    Check(actual == expected, L"folder " + folder + L" holds" + listed);
}

// The platform's words for an error, as a user would read them in the notice.
std::wstring Reason(DWORD error)
{
    wchar_t text[300] = {0};
    FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, NULL, error, 0, text, 300, NULL);
    std::wstring reason = text;
    while (!reason.empty() && (reason.back() == L'\r' || reason.back() == L'\n' || reason.back() == L' '))
        reason.pop_back();
    Check(!reason.empty(), L"the platform has words for error " + std::to_wstring(error));
    return reason;
}

// ---------------------------------------------------------------------------
// Windows of the scene.

const wchar_t kClass[] = L"VantelsbyScene";
const wchar_t kEuroClass[] = L"VantelsbyScene\u20AC";

void RegisterClasses()
{
    for (const wchar_t *name : {kClass, kEuroClass}) {
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = GetModuleHandleW(NULL);
        windowClass.lpszClassName = name;
        RegisterClassW(&windowClass);
    }
}

struct SceneWindow {
    std::wstring title;
    std::wstring className;
    bool topmost;
    HWND window;
};

HWND MakeWindow(const std::wstring &title, const wchar_t *className, DWORD exStyle, DWORD style, HWND parent)
{
    HWND window = CreateWindowExW(exStyle, className, title.c_str(), style, 10, 10, 200, 100, parent, NULL,
                                  GetModuleHandleW(NULL), NULL);
    Check(window != NULL, L"window \"" + title + L"\" is created");
    return window;
}

SceneWindow Visible(const std::wstring &title, const wchar_t *className = kClass, bool topmost = false,
                    HWND owner = NULL)
{
    DWORD style = (owner != NULL ? WS_POPUP | WS_CAPTION : WS_OVERLAPPEDWINDOW) | WS_VISIBLE;
    HWND window = MakeWindow(title, className, topmost ? WS_EX_TOPMOST : 0, style, owner);
    return {title, className, topmost, window};
}

// Puts the windows into exactly this order, top first: each in turn goes to
// the top of its band, from the last to the first.
void Arrange(const std::vector<SceneWindow> &order)
{
    for (size_t i = order.size(); i-- > 0;)
        SetWindowPos(order[i].window, order[i].topmost ? HWND_TOPMOST : HWND_TOP, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    PumpMessages();
}

// The order the platform holds the given windows in, top first, read with
// GetWindow rather than with EnumWindows, which the program under test uses.
std::vector<HWND> PlatformOrder(const std::vector<HWND> &windows)
{
    std::vector<HWND> order;
    for (HWND window = GetTopWindow(NULL); window != NULL; window = GetWindow(window, GW_HWNDNEXT))
        if (std::find(windows.begin(), windows.end(), window) != windows.end())
            order.push_back(window);
    return order;
}

std::string ExpectedFile(const std::vector<SceneWindow> &order)
{
    std::vector<HWND> intended;
    for (const SceneWindow &entry : order)
        intended.push_back(entry.window);
    Check(PlatformOrder(intended) == intended, L"the scene stands in the intended order");
    std::string bytes;
    for (const SceneWindow &entry : order)
        bytes += Line(entry.title, entry.className, entry.window, entry.topmost);
    return bytes;
}

// ---------------------------------------------------------------------------
// Runs.

struct Paths {
    std::wstring product; // the built Vantelsby.exe
    std::wstring folder;  // the case's own folder
};

bool CopyProgram(const Paths &paths, const std::wstring &to)
{
    bool copied = CopyFileW(paths.product.c_str(), to.c_str(), TRUE);
    Check(copied, L"the program is copied to " + to);
    return copied;
}

// The usual place: the program as snap.exe in the case's folder, so its log
// is snap.txt there.
bool PlaceSnap(const Paths &paths, std::wstring *exe, std::wstring *logPath)
{
    *exe = paths.folder + L"\\snap.exe";
    *logPath = paths.folder + L"\\snap.txt";
    return CopyProgram(paths, *exe);
}

// Runs the program and checks that it succeeded as a user would see it.
void ExpectSuccess(const std::wstring &exe, const std::wstring &arguments, const std::wstring &logPath)
{
    Notice notice;
    DWORD exitCode = 0;
    if (!RunAndAnswer(exe, arguments, NULL, &notice, &exitCode)) {
        Check(false, L"the run of " + exe + L" ends with its notice answered");
        return;
    }
    Check(notice.caption == L"Vantelsby", L"caption is \"" + notice.caption + L"\"");
    Check(notice.text == L"Log has been created in " + logPath, L"notice reads \"" + notice.text + L"\"");
    Check(!notice.hasIcon, L"the completion notice shows no icon");
    Check(exitCode == 0, L"exit status is " + std::to_wstring(exitCode) + L", not 0");
}

// Checks that a notice reports `error`, naming `logPath` (null: no log path
// could be derived), and does not claim success.
void CheckFailureNotice(const Notice &notice, DWORD error, const std::wstring *logPath)
{
    std::wstring expected = L"Log could not be created";
    if (logPath != nullptr)
        expected += L" in " + *logPath;
    expected += L": " + Reason(error);
    Check(notice.caption == L"Vantelsby", L"caption is \"" + notice.caption + L"\"");
    Check(notice.text == expected, L"notice reads \"" + notice.text + L"\", expected \"" + expected + L"\"");
    Check(notice.hasIcon, L"the error notice shows an icon");
}

// Runs the program and checks that it reported `error` and no success.
void ExpectFailure(const std::wstring &exe, DWORD error, const std::wstring *logPath)
{
    Notice notice;
    DWORD exitCode = 0;
    if (!RunAndAnswer(exe, L"", NULL, &notice, &exitCode)) {
        Check(false, L"the run of " + exe + L" ends with its notice answered");
        return;
    }
    CheckFailureNotice(notice, error, logPath);
    Check(exitCode == error, L"exit status is " + std::to_wstring(exitCode) + L", expected " + std::to_wstring(error));
}

void CheckFile(const std::wstring &path, const std::string &expected)
{
    std::string actual;
    Check(ReadBytes(path, &actual), L"the log " + path + L" can be read");
    CheckBytes(expected, actual, path);
}

// ---------------------------------------------------------------------------
// The cases.

// A desktop with everything the walk must tell apart, checked byte for byte.
void SceneCase(const Paths &paths)
{
    std::wstring controls;
    for (wchar_t unit = 1; unit < 0x20; unit++)
        controls += unit;
    controls += L'\x7F';
    std::wstring longTitle;
    for (int i = 0; longTitle.size() < 400; i++)
        longTitle += L"Long title " + std::to_wstring(i) + L" ";

    std::vector<SceneWindow> order;
    order.push_back(Visible(L"Always on top, first", kClass, true));
    order.push_back(Visible(L"Calc\u00E9 on top", kEuroClass, true));
    order.push_back(Visible(L"Always on top, last of them", kClass, true));
    order.push_back(Visible(L"Latin-1: \u00C5ngstr\u00F6m caf\u00E9 \u00A0\u00BF\u00FF"));
    order.push_back(Visible(L"Above Latin-1: \u20AC \u0100 \u4E2D \uFFFD"));
    order.push_back(Visible(L"Outside the basic plane: \xD83D\xDE00 end"));
    order.push_back(Visible(L"line\nfeed"));
    order.push_back(Visible(L"carriage\rreturn"));
    order.push_back(Visible(L"both\r\nends"));
    order.push_back(Visible(controls));
    order.push_back(Visible(longTitle));
    order.push_back(Visible(L""));
    order.push_back(Visible(L"Class with a euro sign", kEuroClass));
    SceneWindow owner = Visible(L"Owner");
    order.push_back(Visible(L"Owned popup", kClass, false, owner.window));
    order.push_back(owner);
    SceneWindow parent = Visible(L"Parent of children");
    MakeWindow(L"Child one", kClass, 0, WS_CHILD | WS_VISIBLE, parent.window);
    MakeWindow(L"Child two", kClass, WS_EX_TOPMOST, WS_CHILD | WS_VISIBLE, parent.window);
    order.push_back(parent);
    order.push_back(Visible(L"Bottom of the order"));

    MakeWindow(L"Hidden", kClass, 0, WS_OVERLAPPEDWINDOW, NULL);
    MakeWindow(L"Hidden topmost", kClass, WS_EX_TOPMOST, WS_OVERLAPPEDWINDOW, NULL);
    HWND shownThenHidden = MakeWindow(L"Shown, then hidden", kClass, 0, WS_OVERLAPPEDWINDOW | WS_VISIBLE, NULL);
    ShowWindow(shownThenHidden, SW_HIDE);
    HWND hiddenTopmost = MakeWindow(L"Shown topmost, then hidden", kClass, WS_EX_TOPMOST,
                                    WS_OVERLAPPEDWINDOW | WS_VISIBLE, NULL);
    ShowWindow(hiddenTopmost, SW_HIDE);

    Arrange(order);
    std::string expected = ExpectedFile(order);

    std::wstring exe, logPath;
    if (!PlaceSnap(paths, &exe, &logPath))
        return;
    ExpectSuccess(exe, L"", logPath);
    CheckFile(logPath, expected);
    CheckEntries(paths.folder, {L"snap.exe", L"snap.txt"});
}

// The log is named after the program, and nothing on its command line counts.
void NamesCase(const Paths &paths)
{
    std::vector<SceneWindow> order = {Visible(L"Names"), Visible(L"Names, topmost", kClass, true)};
    std::swap(order[0], order[1]);
    Arrange(order);
    std::string expected = ExpectedFile(order);

    std::wstring exe = paths.folder + L"\\snap.beta.exe";
    std::wstring logPath = paths.folder + L"\\snap.beta.txt";
    if (!CopyProgram(paths, exe))
        return;
    Check(WriteBytes(logPath, std::string(10000, 'o') + "\r\n"), L"an older, longer log is in place");

    ExpectSuccess(exe, L"", logPath);
    CheckFile(logPath, expected);
    ExpectSuccess(exe, L"/? --help \"quoted argument\" C:\\elsewhere\\other.txt", logPath);
    CheckFile(logPath, expected);
    CheckEntries(paths.folder, {L"snap.beta.exe", L"snap.beta.txt"});
}

// With no visible window an older log is left empty, not kept.
void NoVisibleCase(const Paths &paths)
{
    MakeWindow(L"Hidden only", kClass, 0, WS_OVERLAPPEDWINDOW, NULL);
    std::wstring exe, logPath;
    if (!PlaceSnap(paths, &exe, &logPath))
        return;
    Check(WriteBytes(logPath, "older log\r\n"), L"an older log is in place");
    Check(ExpectedFile({}).empty(), L"nothing expected");
    ExpectSuccess(exe, L"", logPath);
    CheckFile(logPath, "");
}

// A program without an extension in a dotted folder writes into its own
// folder, and the file named after the folder's first part stays untouched.
void DottedFolderCase(const Paths &paths)
{
    std::vector<SceneWindow> order = {Visible(L"Dotted folder")};
    Arrange(order);
    std::string expected = ExpectedFile(order);

    std::wstring folder = paths.folder + L"\\my.tools";
    Check(CreateDirectoryW(folder.c_str(), NULL), L"the dotted folder is made");
    std::wstring unrelated = paths.folder + L"\\my.txt";
    Check(WriteBytes(unrelated, "somebody else's file\r\n"), L"an unrelated my.txt is in place");
    std::wstring exe = folder + L"\\snap";
    if (!CopyProgram(paths, exe))
        return;

    ExpectSuccess(exe, L"", folder + L"\\snap.txt");
    CheckFile(folder + L"\\snap.txt", expected);
    CheckFile(unrelated, "somebody else's file\r\n");
    CheckEntries(paths.folder, {L"my.tools", L"my.txt"});
    CheckEntries(folder, {L"snap", L"snap.txt"});
}

// Another program holds the log path open, sharing nothing.
void HeldOpenCase(const Paths &paths)
{
    Visible(L"Held open");
    std::wstring exe, logPath;
    if (!PlaceSnap(paths, &exe, &logPath))
        return;
    const std::string precious = "another program's data\r\n";
    Check(WriteBytes(logPath, precious), L"the other program's file is in place");
    HANDLE held = CreateFileW(logPath.c_str(), GENERIC_READ | GENERIC_WRITE, 0, NULL, OPEN_EXISTING, 0, NULL);
    Check(held != INVALID_HANDLE_VALUE, L"the file is held open with no sharing");

    ExpectFailure(exe, ERROR_SHARING_VIOLATION, &logPath);
    CloseHandle(held);
    CheckFile(logPath, precious);
    CheckEntries(paths.folder, {L"snap.exe", L"snap.txt"});
}

// A folder stands where the log should be.
void DirectoryCase(const Paths &paths)
{
    Visible(L"Directory in the way");
    std::wstring exe, logPath;
    if (!PlaceSnap(paths, &exe, &logPath))
        return;
    Check(CreateDirectoryW(logPath.c_str(), NULL), L"a folder is made at the log path");

    ExpectFailure(exe, ERROR_ACCESS_DENIED, &logPath);
    DWORD attributes = GetFileAttributesW(logPath.c_str());
    Check(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY), L"the folder is still there");
    CheckEntries(logPath, {});
    CheckEntries(paths.folder, {L"snap.exe", L"snap.txt"});
}

// The disk fills up during the walk. More than one buffer's worth of lines,
// so that a write fails in the middle of the walk. `left` is what may stay in
// the folder afterwards besides the program.
void FullDisk(const Paths &paths, const std::set<std::wstring> &left)
{
    for (int i = 0; i < 30; i++)
        Visible(L"Disk full " + std::to_wstring(i) + L" " + std::wstring(200, L'x'));
    std::wstring exe, logPath;
    if (!PlaceSnap(paths, &exe, &logPath))
        return;
    ExpectFailure(exe, ERROR_DISK_FULL, &logPath);
    CheckEntries(paths.folder, left);
}

// The caller has put the folder on a file system with room for the program
// and one buffer of the log: the first write succeeds, the next one fails,
// and the cut log must not be left behind to pass for a whole one.
void DiskFullCase(const Paths &paths)
{
    FullDisk(paths, {L"snap.exe"});
}

// The caller has made snap.txt a link to /dev/full, where every write fails.
// The link is the user's own and a device, not a cut log: it stays.
void DevFullCase(const Paths &paths)
{
    FullDisk(paths, {L"snap.exe", L"snap.txt"});
}

// Paths at the edge of MAX_PATH, started normally.
void LongPathsCase(const Paths &paths)
{
    std::vector<SceneWindow> order = {Visible(L"Long paths")};
    Arrange(order);
    std::string expected = ExpectedFile(order);

    // A folder inside the case's folder that makes `name` end at `total` units.
    auto folderFor = [&](size_t total, const std::wstring &name) {
        size_t fill = total - paths.folder.size() - 2 - name.size();
        return paths.folder + L"\\" + std::wstring(fill, name[0] == L's' ? L'f' : L'g');
    };

    // The program's path and its log path both 259 units: the longest that works.
    std::wstring folder = folderFor(259, L"snap.exe");
    Check(CreateDirectoryW((L"\\\\?\\" + folder).c_str(), NULL), L"a folder for a 259-unit path is made");
    std::wstring exe = folder + L"\\snap.exe";
    std::wstring logPath = folder + L"\\snap.txt";
    if (CopyProgram(paths, exe)) {
        Check(exe.size() == 259 && logPath.size() == 259, L"the paths are 259 units long");
        ExpectSuccess(exe, L"", logPath);
        CheckFile(logPath, expected);
        CheckEntries(folder, {L"snap.exe", L"snap.txt"});
    }

    // The program's path of 258 units fits, but its log path would need 260.
    folder = folderFor(258, L"tiny.e");
    Check(CreateDirectoryW((L"\\\\?\\" + folder).c_str(), NULL), L"a folder for a 258-unit path is made");
    exe = folder + L"\\tiny.e";
    if (CopyProgram(paths, exe)) {
        Check(exe.size() == 258, L"the program's path is 258 units long");
        ExpectFailure(exe, ERROR_FILENAME_EXCED_RANGE, nullptr);
        CheckEntries(folder, {L"tiny.e"});
    }
}

// The desktop changes while the program walks it: windows come and go.
struct Churn {
    volatile LONG stop;
    volatile LONG created;
};

DWORD WINAPI ChurnWindows(void *context)
{
    Churn *churn = (Churn *)context;
    std::vector<HWND> alive;
    for (int i = 0; !churn->stop; i++) {
        alive.push_back(CreateWindowExW(i % 3 == 0 ? WS_EX_TOPMOST : 0, kClass, (L"Churn " + std::to_wstring(i)).c_str(),
                                        WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 100, 100, NULL, NULL,
                                        GetModuleHandleW(NULL), NULL));
        InterlockedIncrement(&churn->created);
        if (alive.size() > 20) {
            DestroyWindow(alive.front());
            alive.erase(alive.begin());
        }
        PumpMessages();
    }
    for (HWND window : alive)
        DestroyWindow(window);
    return 0;
}

// Splits a line of the file into title + class, handle and mark; false when
// the line is not of the file's form.
bool ParseLine(const std::string &line, std::string *named, std::string *handle, bool *topmost)
{
    std::string rest = line;
    *topmost = rest.size() >= 8 && rest.compare(rest.size() - 8, 8, " topmost") == 0;
    if (*topmost)
        rest.resize(rest.size() - 8);
    if (rest.size() < 12 || rest.compare(rest.size() - 12, 4, ") 0x") != 0)
        return false;
    *handle = rest.substr(rest.size() - 8);
    for (char digit : *handle)
        if (!((digit >= '0' && digit <= '9') || (digit >= 'A' && digit <= 'F')))
            return false;
    *named = rest.substr(0, rest.size() - 11); // "title (class)"
    return true;
}

void ChangingDesktopCase(const Paths &paths)
{
    std::vector<SceneWindow> steady;
    for (int i = 0; i < 300; i++)
        steady.push_back(Visible(L"Steady " + std::to_wstring(i)));
    Arrange(steady);

    std::wstring exe, logPath;
    if (!PlaceSnap(paths, &exe, &logPath))
        return;

    Churn churn = {0, 0};
    HANDLE thread = CreateThread(NULL, 0, ChurnWindows, &churn, 0, NULL);
    while (churn.created < 5)
        Sleep(1);
    ExpectSuccess(exe, L"", logPath);
    LONG createdDuringRun = churn.created;
    churn.stop = 1;
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    Check(createdDuringRun > 5, L"windows came and went during the run");

    std::string bytes;
    Check(ReadBytes(logPath, &bytes), L"the log can be read");
    std::set<std::string> handles;
    size_t nextSteady = 0, lines = 0;
    for (size_t start = 0; start < bytes.size();) {
        size_t end = bytes.find("\r\n", start);
        if (end == std::string::npos) {
            Check(false, L"the file ends with CR LF");
            break;
        }
        std::string line = bytes.substr(start, end - start), named, handle;
        start = end + 2;
        lines++;
        bool topmost = false;
        if (!ParseLine(line, &named, &handle, &topmost)) {
            Check(false, L"line " + std::to_wstring(lines) + L" is well formed: " + Printable(line));
            continue;
        }
        Check(handles.insert(handle).second, L"handle " + Printable(handle) + L" is listed once");
        const std::string sceneClass = " (VantelsbyScene)";
        bool known = named == " ()" || (named.rfind("Churn ", 0) == 0 && named.size() > sceneClass.size() &&
                                        named.compare(named.size() - sceneClass.size(), sceneClass.size(), sceneClass) == 0);
        if (nextSteady < steady.size() && named == "Steady " + std::to_string(nextSteady) + " (VantelsbyScene)") {
            Check(!topmost && handle == std::string(Encode(Hex((uint32_t)(uintptr_t)steady[nextSteady].window))),
                  L"steady window " + std::to_wstring(nextSteady) + L" is described right");
            nextSteady++;
            known = true;
        }
        Check(known, L"line " + std::to_wstring(lines) + L" is of a window of the scene: " + Printable(line));
    }
    Check(nextSteady == steady.size(), L"all steady windows are listed in their order; found " +
                                           std::to_wstring(nextSteady) + L" of " + std::to_wstring(steady.size()));
}

// A second run while the first one's notice is still up: the first one has
// closed its file already, so the second succeeds and replaces it.
void SecondInstanceCase(const Paths &paths)
{
    std::vector<SceneWindow> order = {Visible(L"First of two"), Visible(L"Second of two")};
    Arrange(order);
    std::wstring exe, logPath;
    if (!PlaceSnap(paths, &exe, &logPath))
        return;

    PROCESS_INFORMATION first;
    if (!StartProgram(exe, L"", NULL, &first))
        return;
    HWND firstBox = WaitForNotice(first.dwProcessId, 60000);
    Check(firstBox != NULL, L"the first run shows its notice");
    std::string firstBytes;
    ReadBytes(logPath, &firstBytes);

    // The first run's notice is a visible top-level window of its own now.
    std::vector<SceneWindow> now = order;
    now.push_back({L"Vantelsby", L"#32770", (GetWindowLongW(firstBox, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0, firstBox});
    std::vector<HWND> windows;
    for (const SceneWindow &entry : now)
        windows.push_back(entry.window);
    std::vector<HWND> platform = PlatformOrder(windows);
    std::string expected;
    for (HWND window : platform)
        for (const SceneWindow &entry : now)
            if (entry.window == window)
                expected += Line(entry.title, entry.className, entry.window, entry.topmost);

    ExpectSuccess(exe, L"", logPath);
    CheckFile(logPath, expected);
    Check(firstBytes != expected, L"the second run's file differs from the first one's");

    if (firstBox != NULL) {
        Notice firstNotice = ReadNotice(firstBox);
        Check(firstNotice.text == L"Log has been created in " + logPath, L"first notice reads " + firstNotice.text);
        AnswerNotice(firstBox);
    }
    DWORD firstExit = WaitForExit(first, 30000);
    Check(firstExit == 0, L"the first run exits with 0, not " + std::to_wstring(firstExit));
    CheckFile(logPath, expected);
    CheckEntries(paths.folder, {L"snap.exe", L"snap.txt"});
}

// Shows what a user sees: a small desktop, then the notice. The caller shows
// the file.
void DemoCase(const Paths &paths)
{
    std::vector<SceneWindow> order = {Visible(L"Task Manager", kClass, true), Visible(L"Untitled - Notepad"),
                                      Visible(L"Caf\u00E9 menu \u2013 Browser"), Visible(L"Inbox (3)")};
    MakeWindow(L"Hidden helper", kClass, 0, WS_OVERLAPPEDWINDOW, NULL);
    Arrange(order);
    std::wstring exe = paths.folder + L"\\Vantelsby.exe";
    if (!CopyProgram(paths, exe))
        return;
    Say(L"Desktop: 4 visible windows (Task Manager on top, always on top), 1 hidden.");
    Notice notice;
    DWORD exitCode = 0;
    if (!RunAndAnswer(exe, L"", NULL, &notice, &exitCode)) {
        Check(false, L"the run ends with its notice answered");
        return;
    }
    Say(L"Notice \"" + notice.caption + L"\": " + notice.text);
    Say(L"OK pressed; exit status " + std::to_wstring(exitCode));
}

// Answers a notice of a Vantelsby that someone else started, checking that it
// reports `error` without naming a log path (no log path could be derived).
int AnswerCase(DWORD error)
{
    HWND box = WaitForNotice(0, 120000);
    Check(box != NULL, L"a Vantelsby notice appears");
    if (box == NULL)
        return 1;
    CheckFailureNotice(ReadNotice(box), error, nullptr);
    AnswerNotice(box);
    return g_failed ? 1 : 0;
}

struct Case {
    const wchar_t *name;
    void (*run)(const Paths &paths);
};

const Case kCases[] = {
    {L"scene", SceneCase},
    {L"names", NamesCase},
    {L"no_visible", NoVisibleCase},
    {L"dotted_folder", DottedFolderCase},
    {L"held_open", HeldOpenCase},
    {L"directory", DirectoryCase},
    {L"disk_full", DiskFullCase},
    {L"dev_full", DevFullCase},
    {L"long_paths", LongPathsCase},
    {L"changing_desktop", ChangingDesktopCase},
    {L"second_instance", SecondInstanceCase},
    {L"demo", DemoCase},
};

} // namespace

int wmain(int argc, wchar_t **argv)
{
    _setmode(_fileno(stdout), _O_BINARY);
    RegisterClasses();
    if (argc == 3 && wcscmp(argv[1], L"answer") == 0)
        return AnswerCase(wcstoul(argv[2], NULL, 10));
    if (argc != 4) {
        Say(L"usage: e2e_driver CASE PRODUCT_EXE WORK_FOLDER | e2e_driver answer EXIT_CODE");
        return 2;
    }
    for (const Case &c : kCases) {
        if (wcscmp(c.name, argv[1]) != 0)
            continue;
        c.run({argv[2], argv[3]});
        if (wcscmp(c.name, L"demo") != 0)
            Say(std::wstring(g_failed ? L"FAIL " : L"PASS ") + c.name);
        return g_failed ? 1 : 0;
    }
    Say(std::wstring(L"no case named ") + argv[1]);
    return 2;
}
