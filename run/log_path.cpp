#include "run/log_path.h"

#include "run/bounded_append.h"

bool MakeLogPath(wchar_t *path, size_t capacity, size_t length)
{
    if (length == 0 || length >= capacity)
        return false;
    path[length] = 0; // GetModuleFileNameW terminates below capacity; this makes it a rule here

    size_t name = length; // where the file name starts, after the last separator
    while (name > 0 && path[name - 1] != L'\\' && path[name - 1] != L'/')
        name--;
    size_t cut = length;
    while (cut > name && path[cut - 1] != L'.')
        cut--;

    if (cut > name) { // keep the name up to and including its last '.'
        path[cut] = 0;
        return AppendBounded(path, capacity, L"txt") == 0;
    }
    return AppendBounded(path, capacity, L".txt") == 0;
}
