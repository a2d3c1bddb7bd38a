// Lines of text mixing single-byte and Big5 characters, decimal numbers, and
// a label followed by a number.
#pragma once

#include "platform/win32_api.h"

// Bytes before the first zero among the first 512; 0 when there is none, or
// for null.
LONG BoundedStrLen(const char* text);

// 1 when the whole text was handled, 0 when a glyph was refused.
LONG DrawString(const char* text, LONG x, LONG y, DWORD color, WORD* buffer, WORD height, WORD width);

// 1 when ten characters were handed to the glyph routine, else 0.
LONG DrawNumber(LONG value, LONG x, LONG y, DWORD color, WORD* buffer);

// The label, then the number 7 pixels per label byte further right.
LONG DrawLabelNumber(const char* label, LONG value, LONG x, LONG y, DWORD color, WORD* buffer);
