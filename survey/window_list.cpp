#include "survey/window_list.h"

uint32_t FlushLogStream(LogStream *log)
{
    if (log->used != 0) {
        uint32_t error = log->write(log->file, log->buffer, log->used);
        if (error != 0 && log->error == 0)
            log->error = error;
        log->used = 0;
    }
    return log->error;
}

static void PutByte(LogStream *log, char byte)
{
    if (log->used == LOG_BUFFER_SIZE)
        FlushLogStream(log);
    log->buffer[log->used++] = byte;
}

static void PutText(LogStream *log, const char *text)
{
    while (*text != 0)
        PutByte(log, *text++);
}

// One UTF-16 unit as the file's single bytes: Latin-1 keeps its value, what
// lies above it has no single-byte form and becomes '?' (a surrogate pair
// gives two), and a line feed is written as CR LF like the line's own end.
static void PutUnits(LogStream *log, const wchar_t *text)
{
    for (; *text != 0; text++) {
        if (*text == L'\n')
            PutText(log, "\r\n");
        else
            PutByte(log, (uint32_t)*text <= 0xFF ? (char)*text : '?');
    }
}

void WriteWindowLine(LogStream *log, const wchar_t *title, const wchar_t *className,
                     uint32_t window, bool topmost)
{
    static const char hexDigits[] = "0123456789ABCDEF";
    char handle[9]; // eight digits, +1 for the terminator
    for (int i = 7; i >= 0; i--) {
        handle[i] = hexDigits[window & 0xF];
        window >>= 4;
    }
    handle[8] = 0;

    PutUnits(log, title);
    PutText(log, " (");
    PutUnits(log, className);
    PutText(log, ") 0x");
    PutText(log, handle);
    if (topmost)
        PutText(log, " topmost");
    PutText(log, "\r\n");
}
