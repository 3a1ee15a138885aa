// The main window's small dialogs (About, New game, promotion) and the filter of
// file-name edits that the New game and Save-name dialogs install.
#pragma once
#include <windows.h>

INT_PTR CALLBACK AboutDlgProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK NewGameDlgProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK PromotionDlgProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam);

// Brings the New game dialog's name edits and level list in line with the type lists.
void NewGameDlgUpdateNames(HWND* dialog);

// Keeps < > " \ / * ? : | out of an edit, however the person types or pastes, and
// keeps a read-only edit as the program set it. Installed with
// InstallFileNameFilter; passes everything else to g_oldEditProc.
LRESULT CALLBACK FileNameEditProc(HWND edit, UINT msg, WPARAM wParam, LPARAM lParam);
extern WNDPROC g_oldEditProc;
void InstallFileNameFilter(HWND edit);

// Pictures of the dialogs: the New game dialog's two kings (kept until the next
// opening) and the promotion dialog's four pieces (only while it is open).
extern HBITMAP g_newGameWhiteImage;
extern HBITMAP g_newGameBlackImage;
extern HBITMAP g_promotionKnightImage;
extern HBITMAP g_promotionBishopImage;
extern HBITMAP g_promotionRookImage;
extern HBITMAP g_promotionQueenImage;
