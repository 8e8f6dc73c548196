// Resources that only the unit tests carry.
#pragma once

// A logo with key-coloured pixels (even columns) and light grey ones (odd).
#define IDB_TEST_KEY_LOGO 900
