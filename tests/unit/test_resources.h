// Resources that only the unit tests carry.
#pragma once

// data/key_logo.bmp: a logo of 8 x 2 pixels, 24 bits each, whose even
// columns hold the key colour (red 0, green 255, blue 255) and whose odd
// columns are light grey (192, 192, 192).
#define IDB_TEST_KEY_LOGO 900
