#include "run/bounded_append.h"

int32_t AppendBounded(wchar_t *dest, size_t capacity, const wchar_t *source)
{
    size_t length = 0;
    while (length < capacity && dest[length] != 0)
        length++;
    if (length == capacity)
        return STRSAFE_E_INSUFFICIENT_BUFFER;

    size_t room = capacity - length; // the terminator's unit included, so at least 1
    size_t copied = 0;
    while (source[copied] != 0 && copied + 1 < room) { // +1 keeps a unit for the terminator
        dest[length + copied] = source[copied];
        copied++;
    }
    dest[length + copied] = 0;
    return source[copied] == 0 ? 0 : STRSAFE_E_INSUFFICIENT_BUFFER;
}
