// Resource identifiers, shared by the resource script and the code.
#pragma once

// Dialogs
#define IDD_STATUS 106

// Controls of IDD_STATUS
#define IDC_STATUSTEXT 1008
#define IDC_STATUSICON 1009
#define IDC_LOGO 1012

// Icon groups. The platform headers use IDI_WARNING and IDI_ERROR for two of
// the system's icons; here they name the program's own icon groups.
#undef IDI_WARNING
#undef IDI_ERROR
#define IDI_WARNING 101
#define IDI_ERROR 102
#define IDI_NORMAL 131
// The program's icon in Explorer and in shortcuts: the first group.
#define IDI_PROGRAM 1

// Bitmaps
#define IDB_LOGO 114
