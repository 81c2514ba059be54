#pragma once
// The window list file's text: one line per window, in single bytes, written
// through a buffer of its own. Knows nothing of the platform: the bytes go out
// through the `write` function of the stream.

#include <stddef.h>
#include <stdint.h>

// Bytes held before they go to the file: each write to the file is one full
// buffer, but for the last one at the close.
enum { LOG_BUFFER_SIZE = 4096 };

// Writes `count` bytes to `file` whole. Returns 0, or the platform's error
// code when they were not all written.
typedef uint32_t (*LogFileWrite)(void *file, const char *bytes, uint32_t count);

// The open window list file with its buffer. The run sequence owns it and
// its file; the enumeration callback only writes lines into it.
struct LogStream {
    void *file;
    LogFileWrite write;
    uint32_t error; // the first failed write's error code; 0 while every write has succeeded
    uint32_t used;  // bytes held in `buffer`
    char buffer[LOG_BUFFER_SIZE];
};

// Appends one line: title, " (", class name, ") 0x", the handle as eight
// upper-case hexadecimal digits, " topmost" when `topmost`, and CR LF.
// Every UTF-16 unit of title and class name becomes one byte: U+0001 to
// U+00FF keep their value, anything above becomes '?', and a line feed
// becomes CR LF. Both strings are terminated; no content shortens the line.
void WriteWindowLine(LogStream *log, const wchar_t *title, const wchar_t *className,
                     uint32_t window, bool topmost);

// Writes out what the buffer holds. Returns the stream's error: 0 when every
// write so far has succeeded. A failed write drops what it held, and later
// lines are still attempted; the first error is the one kept.
uint32_t FlushLogStream(LogStream *log);
