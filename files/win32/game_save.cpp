// Game/Save and Position/Save: the two writers of the main game, from the moment of
// the save through the Save-name dialog to the file and the report.
#include "files/win32/files_win32.h"
#include "ui/main_window.h"

// Room for the short date of any locale.
static const int kShortDateSize = 128;

int Game::SaveGame() {
    if (!modified) return 1;
    if (analyseMode) {
        FilesMessageBox(g_mainWindow, "In <Position mode> you can save position only",
                        MB_OK | MB_ICONINFORMATION);
        return 0;
    }
    if (ply == 0) return 1;
    char date[kShortDateSize];
    SaveMoment when;
    TakeSaveMoment(&when, date, sizeof(date));
    // The text is complete before the dialog opens: the timers keep running while it
    // is open, and nothing they change reaches the file.
    String text = PgnGameText(*this, when);
    int writtenPly = ply;
    g_saveFileName = ProposedGameFileName(*this, when);
    if (!RunSaveNameDialog(kGameFileExtension)) return 0;
    const char* failure = WriteSaveFile(g_saveFileName.CStr(), kGameFileExtension, text);
    if (failure) {
        ReportNotSaved("The game", failure);
        return 0;
    }
    // A computer playing on while the dialog was open made moves the file lacks.
    if (ply == writtenPly) modified = 0;
    FilesMessageBox(g_mainWindow, "Game saved", MB_OK | MB_ICONINFORMATION);
    return 1;
}

static int SelectedRow() {
    int row = (int)SendMessageA(g_moveListBox, LB_GETCURSEL, 0, 0);
    return row < 0 ? 0 : row;
}

int Game::SavePosition() {
    int row = SelectedRow();
    int side = SideOfPly(row);
    // The shown position is judged with the history up to its row, as a move played
    // there would be.
    int gamePly = ply;
    if (row <= ply) ply = row;
    int status = CheckGameOver(side, 0);
    ply = gamePly;
    if (status != StatusPlaying) {
        int answer = FilesMessageBox(g_mainWindow, "Warning. Position status: game over.\nAre you sure?",
                                     MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2);
        if (answer != IDYES) return 0;
    }
    char date[kShortDateSize];
    SaveMoment when;
    TakeSaveMoment(&when, date, sizeof(date));
    g_saveFileName = ProposedPositionFileName(when);
    if (!RunSaveNameDialog(kPositionFileExtension)) return 0;
    row = SelectedRow();
    String text = FenPositionText(*this, SideOfPly(row));
    const char* failure = WriteSaveFile(g_saveFileName.CStr(), kPositionFileExtension, text);
    if (failure) {
        ReportNotSaved("The position", failure);
        return 0;
    }
    if (analyseMode && row == 0) modified = 0;
    FilesMessageBox(g_mainWindow, "Position saved", MB_OK | MB_ICONINFORMATION);
    return 1;
}
