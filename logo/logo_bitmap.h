// The dialog's logo, with its key-coloured pixels in the button-face colour.
#pragma once

#include <windows.h>

// The colour that the logo shows in the face colour: red 0, green 255, blue 255.
constexpr COLORREF kLogoKeyColor = RGB(0, 255, 255);

// Deletes the bitmap in logo, loads the bitmap resource afresh from the
// program's instance, recolours its key colour to the current button-face
// colour and puts it into the dialog's control (nothing, if it did not load).
void LoadLogoBitmap(HINSTANCE instance, HWND dialog, HBITMAP& logo, UINT resourceId,
                    int controlId);

// Replaces every pixel of exactly colour from by colour to, in place.
void ReplaceBitmapColor(HBITMAP bitmap, COLORREF from, COLORREF to);
