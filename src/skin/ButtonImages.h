#pragma once
// The images a skinned button derives from the ones it is given: transparency masks,
// grayed and darkened copies of bitmaps and icons. Each returns a new object that
// the caller owns, or an empty owner when a step failed.

#include "ButtonPixels.h"
#include "CBitmap.h"
#include "CIcon.h"

// A monochrome mask of `bitmap` (width x height): 1 where the pixel is `key`, 0
// elsewhere. The key-coloured pixels of `bitmap` itself are turned black, so that
// the mask blitted with SRCAND and then the bitmap with SRCPAINT draw it over any
// face with the key colour transparent. `bitmap` must not be selected anywhere.
CBitmap MakeMask(HBITMAP bitmap, int width, int height, COLORREF key);

// A screen-compatible copy of `bitmap` with every pixel but the `key`-coloured ones
// grayed or darkened (GrayColor, DarkenColor with kDarkenFactor).
CBitmap MakeGrayBitmap(HBITMAP bitmap, int width, int height, COLORREF key);
CBitmap MakeDarkBitmap(HBITMAP bitmap, int width, int height, COLORREF key);

// A new icon of the same mask with its colour plane grayed or darkened; black, the
// colour plane's transparent part, stays black. Its size is twice the hotspot.
CIcon MakeGrayIcon(HICON icon);
CIcon MakeDarkIcon(HICON icon);
