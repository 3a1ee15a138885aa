// Identifiers of the main window's dialog templates and their controls.
#pragma once

#define IDD_ABOUT               103
#define IDD_PROMOTION           129
#define IDD_OPTIONS             132
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

// Options dialog.
#define IDC_OPTIONS_BACKGROUND  3     // background swatch: opens the colour dialog
#define IDC_OPTIONS_INK         4     // ink swatch: opens the colour dialog
#define IDC_OPTIONS_PICK        5     // "Pick from skin"
#define IDC_OPTIONS_APPLY       7
#define IDC_OPTIONS_DEFAULT     9     // "Set to default"
#define IDC_OPTIONS_LEGAL_MOVE  1005
#define IDC_OPTIONS_LAST_MOVE   1006
#define IDC_OPTIONS_CHECK       1007
#define IDC_OPTIONS_AI_PROGRESS 1008
#define IDC_OPTIONS_BEEP        1009
#define IDC_OPTIONS_PREVIEW     1010
#define IDC_OPTIONS_SKIN_LIST   1011
#define IDC_OPTIONS_WHITE_ON_TOP 1012
#define IDC_OPTIONS_COORDINATES 1013
#define IDC_OPTIONS_MOVE_LIST   1014
#define IDC_OPTIONS_SCALE_75    1018
#define IDC_OPTIONS_SCALE_100   1019
