// The window side of game and position files: taking the moment of a save, naming
// the file in the Save-name dialog, writing it into the save folder, and the Load
// dialog. The texts themselves come from files/game_files.h.
#pragma once
#include <windows.h>
#include "core/string.h"
#include "files/game_files.h"

// ---- Message boxes and writing -------------------------------------------------------

// A message box with the caption "Varno-4", owned by MessageBoxOwner(owner); returns
// the button pressed.
int FilesMessageBox(HWND owner, const char* text, UINT style);

// The local time, once, with the short date of the user's locale in `date`.
void TakeSaveMoment(SaveMoment* when, char* date, int dateSize);

// Writes `text` as the file Save\<name><extension>: creates the folder when needed,
// writes a temporary file in it and moves that over the target, so a failure never
// leaves a truncated file or loses the file it was to replace. Returns 0 when the
// file holds the whole text, else why it does not, in plain words.
const char* WriteSaveFile(const char* name, const char* extension, const String& text);

// "<what> was not saved: <reason>" in an error box.
void ReportNotSaved(const char* what, const char* reason);

// ---- Save-name dialog ------------------------------------------------------------------

// The name, without folder and extension, proposed to and returned by the dialog.
extern String g_saveFileName;

INT_PTR CALLBACK SaveNameDlgProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam);

// Opens the Save-name dialog on g_saveFileName for a file with `extension`. Returns 1
// with the accepted name in g_saveFileName; 0 when the user cancelled or gave no name.
// A refused name, or an existing file the user does not want replaced, keeps the
// dialog open for another name.
int RunSaveNameDialog(const char* extension);

// ---- Load dialog ---------------------------------------------------------------------------

// The list row last read into the scratch game (-1: none since the dialog opened).
extern int g_loadDlgLastSelection;

INT_PTR CALLBACK LoadDlgProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam);
// Enables Load and Delete from the list and the scratch game's errorText.
void LoadDlgUpdateButtons(HWND dialog);
