#pragma once
// The texts of the two notices that end a run.

#include <stddef.h>
#include <stdint.h>

// "Log has been created in " followed by the log path. With a log path of at
// most 259 units and a buffer of 500, the notice always fits whole.
void ComposeNotice(wchar_t *notice, size_t capacity, const wchar_t *logPath);

// "Log could not be created in <log path>: <reason>", or "Log could not be
// created: <reason>" when `logPath` is null because no log path could be
// derived. `reason` is the platform's text for `error`; line ends and blanks
// at its end are dropped. When `reason` is empty the notice gives "error"
// and the code's decimal value instead. A notice too long for its buffer is
// cut, never overrun.
void ComposeFailureNotice(wchar_t *notice, size_t capacity, const wchar_t *logPath,
                          const wchar_t *reason, uint32_t error);
