#pragma once
// Where the window list goes: beside the executable, named after it.

#include <stddef.h>

// Turns the program's own path into the log path, in place. `path` is the
// buffer of `capacity` units that GetModuleFileNameW filled and `length` the
// count it returned.
//
// The file name alone decides: what follows its last '.' becomes "txt"
// (snap.beta.exe gives snap.beta.txt), and a name without a '.' gets ".txt"
// appended. Dots in folder names never count, so the log always lies in the
// program's own folder.
//
// Returns true when `path` holds the whole log path. Returns false when no
// log path can be had: the query failed (`length` 0), the platform cut the
// program's path (`length` reaches `capacity`; the buffer may then hold no
// terminator at all), or the log path would not fit `capacity` units with
// its terminator. A log path is used whole or not at all, so `path` is then
// to be ignored.
bool MakeLogPath(wchar_t *path, size_t capacity, size_t length);
