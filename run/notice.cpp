#include "run/notice.h"

#include "run/bounded_append.h"

void ComposeNotice(wchar_t *notice, size_t capacity, const wchar_t *logPath)
{
    notice[0] = 0;
    AppendBounded(notice, capacity, L"Log has been created in ");
    AppendBounded(notice, capacity, logPath);
}

void ComposeFailureNotice(wchar_t *notice, size_t capacity, const wchar_t *logPath,
                          const wchar_t *reason, uint32_t error)
{
    notice[0] = 0;
    AppendBounded(notice, capacity, L"Log could not be created");
    if (logPath != nullptr) {
        AppendBounded(notice, capacity, L" in ");
        AppendBounded(notice, capacity, logPath);
    }
    AppendBounded(notice, capacity, L": ");

    if (reason[0] != 0) {
        AppendBounded(notice, capacity, reason);
        // The platform's messages end in CR LF, which a message box would show as a blank line.
        size_t end = 0;
        while (end < capacity && notice[end] != 0)
            end++;
        while (end > 0 && (notice[end - 1] == L'\r' || notice[end - 1] == L'\n' || notice[end - 1] == L' '))
            notice[--end] = 0;
        return;
    }

    wchar_t digits[11] = {0}; // 4294967295 has ten digits, +1 for the terminator
    size_t first = 10;
    do {
        digits[--first] = (wchar_t)(L'0' + error % 10);
        error /= 10;
    } while (error != 0);
    AppendBounded(notice, capacity, L"error ");
    AppendBounded(notice, capacity, digits + first);
}
