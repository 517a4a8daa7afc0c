// The backdrop's blue-to-black gradient, painted through a 256-entry palette.
#pragma once

#include <windows.h>

// Entry k: red 0, green 0, blue 255 - k.
HPALETTE CreateGradientPalette();

// Fills client with 256 bands of ceil(height / 256) pixels from the top, band i
// in palette index i; bands below the bottom are clipped.
void PaintGradient(HDC dc, HPALETTE palette, const RECT& client);

// Band height for a client area of the given height.
int GradientBandHeight(int clientHeight);
