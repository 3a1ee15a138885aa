// Identifiers of the program's resources and of its menu commands, shared by the
// resource scripts and the C++ code.
#pragma once

// String table.
#define IDS_WINDOW_TITLE        103   // "Varno-4": the main window's caption
#define IDS_WINDOW_CLASS        109   // "VARNO4": the main window's class name

// Menu bar of the main window.
#define IDR_MAIN_MENU           109

// Program icon (16, 32 and 64 pixels).
#define IDI_PROGRAM             165

// Built-in skin sheets, 640 by 448 pixels: skin number n is IDB_SKIN_FIRST + n.
#define IDB_SKIN_FIRST          133
#define IDB_SKIN_BOOK           133
#define IDB_SKIN_CLASSIC        134
#define IDB_SKIN_OLD            135
#define IDB_SKIN_BRIGHT         136
#define IDB_SKIN_MODERN         137
#define IDB_SKIN_DESK           138
#define IDB_SKIN_CLEAR          139
#define SKIN_BUILT_IN_COUNT     7

// Child control of the main window: the owner-drawn move list box.
#define IDC_MOVE_LIST           110

// Menu commands.
#define IDM_HELP_ABOUT          104
#define IDM_GAME_EXIT           105
#define IDM_OPTIONS             32771
#define IDM_GAME_SAVE           32772
#define IDM_GAME_LOAD           32773
#define IDM_GAME_NEW            32774
#define IDM_HELP_MANUAL         32776
#define IDM_POSITION_LOAD       32779
#define IDM_POSITION_SAVE       32780
#define IDM_POSITION_SET        32781
#define IDM_HELP_WEB            32783
