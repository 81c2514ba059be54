#pragma once
// Bounded append of wide strings into fixed-capacity buffers.

#include <stddef.h>
#include <stdint.h>

// The result the platform's strsafe routines give when a copy was cut short
// to fit its buffer. Defined here, with the same value, to keep strsafe.h out.
#ifndef STRSAFE_E_INSUFFICIENT_BUFFER
#define STRSAFE_E_INSUFFICIENT_BUFFER ((int32_t)0x8007007A)
#endif

// Appends `source` to the string in `dest`, a buffer of `capacity` units,
// the terminator's unit included. Returns 0 when all of `source` fit.
// Returns STRSAFE_E_INSUFFICIENT_BUFFER when it did not: `dest` then ends
// with as much of `source` as fits, and is still terminated. A `dest` with
// no terminator within `capacity` units is left untouched, with the same
// result: there is no room in it.
int32_t AppendBounded(wchar_t *dest, size_t capacity, const wchar_t *source);
