#include "ui/window_globals.h"

Game g_mainGame;
Game g_scratchGame;

HINSTANCE g_instance = NULL;
HWND g_mainWindow = NULL;
char g_windowTitle[100];
char g_windowClassName[100];
HFONT g_font = NULL;
HWND g_moveListBox = NULL;
UINT g_primaryButtonUp = WM_LBUTTONUP;
HBRUSH g_backgroundBrush = NULL;
String g_userIdentifier;

int g_showLegalMoves = 1;
int g_showCheck = 1;
int g_showLastMove = 1;
int g_showCoordinates = 1;
int g_whiteOnTop = 0;
int g_showMoveList = 1;
int g_showAiProgress = 1;
int g_boardScale = 100;
int g_beepAfterAiMove = 1;
COLORREF g_backgroundColour = 0x808080;
COLORREF g_inkColour = 0xFFFFFF;
String g_skinFileName;
int g_skinNumber = 0;

HBITMAP g_skinBitmap = NULL;
HBITMAP g_skinBitmapHalf = NULL;
HBITMAP g_skinBitmapThreeQuarters = NULL;
HDC g_skinDC = NULL;
HDC g_skinDCHalf = NULL;
HDC g_skinDCThreeQuarters = NULL;

ListRect g_moveListRect = {552, 148, 128, 256};
