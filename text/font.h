// Bitmap fonts: the blocks read from "Em.T" (6x12 single-byte glyphs) and
// "Cm.T" (12x12 Big5 glyphs), and drawing of one glyph.
#pragma once

#include "platform/win32_api.h"

// Whole file contents; null while the file is missing. Each block remembers
// its own length (FontBlockLength), so no glyph is read from outside it.
extern BYTE* g_pEmFont;
extern BYTE* g_pCmFont;

// A font block of `length` bytes (contents uninitialised), or null.
BYTE* AllocFontBlock(DWORD length);
// The length given to AllocFontBlock; 0 for null.
DWORD FontBlockLength(const BYTE* block);
// Frees a block made by AllocFontBlock; null is ignored.
void FreeFontBlock(BYTE* block);

// The start-up step: loads "Cm.T" then "Em.T" from the current directory,
// unless g_pCmFont is already set. A missing file is reported by ErrorBox.
void LoadFonts();

// Draws one glyph of the single-byte font with its top-left corner at (x, y)
// of the 640-pixel-wide work buffer. 1 when handled, 0 when refused.
int DrawAsciiGlyph(char code, LONG x, LONG y, DWORD color, WORD* buffer, const BYTE* font, WORD height, WORD width);

// Draws one Big5 glyph (lead byte in bits 15..8) in a size x size cell.
int DrawBig5Glyph(DWORD code, LONG x, LONG y, DWORD color, WORD* buffer, const BYTE* font, WORD size);
