// Identifiers of the main window's dialog templates and their controls.
#pragma once

#define IDD_ABOUT               103
#define IDD_PROMOTION           129
#define IDD_LOAD                145
#define IDD_NEW_GAME            146
#define IDB_ABOUT_PICTURE       149
#define IDD_SAVE_NAME           152

// About dialog.
#define IDC_ABOUT_PICTURE       1000
#define IDC_ABOUT_PRODUCT       1001
#define IDC_ABOUT_CREDITS       1002
#define IDC_ABOUT_RIGHTS        1003

// Promotion dialog: each button's id is the piece kind it chooses.
#define IDC_PROMOTE_KNIGHT      2
#define IDC_PROMOTE_BISHOP      3
#define IDC_PROMOTE_ROOK        4
#define IDC_PROMOTE_QUEEN       5

// New game dialog.
#define IDC_WHITE_TYPE          1014
#define IDC_WHITE_NAME          1015
#define IDC_BLACK_TYPE          1016
#define IDC_BLACK_NAME          1017
#define IDC_AI_LEVEL            1019
#define IDC_WHITE_PICTURE       1025
#define IDC_BLACK_PICTURE       1026

// Load dialog: Load is IDOK, Cancel IDCANCEL.
#define IDC_LOAD_DELETE         3
#define IDC_LOAD_LIST           1012
#define IDC_LOAD_PREVIEW        1013

// Save-name dialog: OK is IDOK, Cancel IDCANCEL.
#define IDC_SAVE_NAME           1017
