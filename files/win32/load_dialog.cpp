// The offer to save before a game is discarded, and the Load dialog: the game or
// position files of the save folder, a preview of the selected one (or why it cannot
// be loaded), Delete, and Load into the main game.
#include "files/win32/files_win32.h"
#include "core/names.h"
#include "ui/common/board_play.h"
#include "ui/board_preview.h"
#include "ui/main_window.h"
#include "ui/settings.h"
#include "ui/skins.h"
#include "resources/dialog_ids.h"

int g_loadDlgLastSelection = -1;

// ---- Offer to save ---------------------------------------------------------------------

static int AskYesNo(const char* question) {
    return FilesMessageBox(g_mainWindow, question, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

// Saves the begin position of a game played from a set-up or loaded position; the
// board shows it while the file is named. 1 when it was saved.
static int SaveBeginPosition(Game& game) {
    int shownRow = (int)SendMessageA(g_moveListBox, LB_GETCURSEL, 0, 0);
    SendMessageA(g_moveListBox, LB_SETCURSEL, 0, 0);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            game.board[y][x].kind = game.beginBoard[y][x].kind;
            game.board[y][x].colour = game.beginBoard[y][x].colour;
        }
    }
    InvalidateRect(g_mainWindow, NULL, TRUE);
    if (game.SavePosition()) return 1;
    // Not saved: the game goes on where it was shown.
    if (shownRow >= 0) {
        SendMessageA(g_moveListBox, LB_SETCURSEL, (WPARAM)shownRow, 0);
        BrowseMoveList(game, g_scratchGame, shownRow);
        InvalidateRect(g_mainWindow, NULL, TRUE);
    }
    return 0;
}

int Game::OfferSave() {
    if (!gameActive || !modified) return 1;
    const char* question = analyseMode ? "Save begin position?" : "Save current game?";
    if (!AskYesNo(question)) {
        modified = 0;
        return 1;
    }
    // Yes: the command that asked goes on only when the save was made.
    return analyseMode ? SaveBeginPosition(*this) : SaveGame();
}

// ---- Load dialog -------------------------------------------------------------------------

static HWND FileList(HWND dialog) { return GetDlgItem(dialog, IDC_LOAD_LIST); }

static int LoadingPositions() { return g_mainGame.loadKind == LoadPosition; }

// Lists the plain files matching `pattern` whose names the ANSI calls that open and
// delete them can spell: the search is made wide, and a name that does not come back
// whole from the ANSI code page (its stand-in characters would name no file) is left
// out, as is a device's name (its preview would open the device).
static void ListOpenableFiles(HWND list, const String& pattern) {
    WCHAR widePattern[MAX_PATH];
    if (!MultiByteToWideChar(CP_ACP, 0, pattern.CStr(), -1, widePattern, MAX_PATH)) return;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(widePattern, &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        char name[MAX_PATH];
        WCHAR back[MAX_PATH];
        if (WideCharToMultiByte(CP_ACP, 0, found.cFileName, -1, name, MAX_PATH, NULL, NULL) &&
            MultiByteToWideChar(CP_ACP, 0, name, -1, back, MAX_PATH) &&
            lstrcmpW(back, found.cFileName) == 0 && !IsReservedDeviceName(name))
            SendMessageA(list, LB_ADDSTRING, 0, (LPARAM)name);
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

// Fills the list from the save folder; nothing is selected and nothing read.
static void OpenListing(HWND dialog) {
    HWND list = FileList(dialog);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    String pattern = SaveFilePath("*", LoadingPositions() ? kPositionFileExtension : kGameFileExtension);
    ListOpenableFiles(list, pattern);
    SetWindowTextA(dialog, LoadingPositions() ? "Load position" : "Load game");
    g_scratchGame.errorText = "File not selected";
    LoadDlgUpdateButtons(dialog);
    g_loadDlgLastSelection = -1;
}

void LoadDlgUpdateButtons(HWND dialog) {
    HWND list = FileList(dialog);
    BOOL load = FALSE;
    BOOL remove = FALSE;
    if (SendMessageA(list, LB_GETCOUNT, 0, 0) <= 0) {
        g_scratchGame.errorText = "File not found";
    } else if (g_scratchGame.errorText.Length() == 0) {
        load = remove = TRUE;
    } else {
        remove = SendMessageA(list, LB_GETCURSEL, 0, 0) >= 0;
    }
    EnableWindow(GetDlgItem(dialog, IDOK), load);
    EnableWindow(GetDlgItem(dialog, IDC_LOAD_DELETE), remove);
}

// The path of the file in list row `row` into *path; 0 when the row has no text.
static int RowFilePath(HWND dialog, int row, String* path) {
    HWND list = FileList(dialog);
    LRESULT length = SendMessageA(list, LB_GETTEXTLEN, (WPARAM)row, 0);
    if (length == LB_ERR || length <= 0) return 0;
    char* name = new char[length + 1];
    LRESULT copied = SendMessageA(list, LB_GETTEXT, (WPARAM)row, (LPARAM)name);
    name[copied >= 0 && copied <= length ? copied : 0] = 0;
    *path = SaveFilePath(name, "");
    delete[] name;
    return 1;
}

// Reads the whole file into *text; 0 with the refusal in errorText when it cannot.
static int ReadGameFile(const String& path, String* text) {
    HANDLE file = CreateFileA(path.CStr(), GENERIC_READ, 0, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) {
        g_scratchGame.errorText = "Error open file";
        return 0;
    }
    DWORD high = 0;
    DWORD size = GetFileSize(file, &high);
    if (size == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) {
        CloseHandle(file);
        g_scratchGame.errorText = "Error open file";
        return 0;
    }
    if (high != 0 || size > (DWORD)kMaxGameFileBytes) {
        CloseHandle(file);
        g_scratchGame.errorText = "File is too big";
        return 0;
    }
    char* buffer = new char[size + 1];
    DWORD got = 0;
    int ok = ReadFile(file, buffer, size, &got, NULL) && got == size;
    CloseHandle(file);
    if (ok) {
        buffer[size] = 0;  // the text ends at the file's first NUL byte, if any
        *text = String(buffer);
    } else {
        g_scratchGame.errorText = "Error open file";
    }
    delete[] buffer;
    return ok;
}

static void ReadSelectedFile(HWND dialog) {
    int row = (int)SendMessageA(FileList(dialog), LB_GETCURSEL, 0, 0);
    if (row < 0 || row == g_loadDlgLastSelection) return;
    g_loadDlgLastSelection = row;
    String path;
    if (!RowFilePath(dialog, row, &path)) {
        g_scratchGame.errorText = "Error open file";
        return;
    }
    String text;
    if (!ReadGameFile(path, &text)) return;
    if (LoadingPositions()) {
        g_scratchGame.LoadFromFen(text);
    } else {
        LoadGameFromPgn(&g_scratchGame, &text);
    }
    InvalidateRect(dialog, NULL, FALSE);
}

static void DeleteSelectedFile(HWND dialog) {
    int row = (int)SendMessageA(FileList(dialog), LB_GETCURSEL, 0, 0);
    if (row < 0) return;
    String path;
    if (!RowFilePath(dialog, row, &path) || !DeleteFileA(path.CStr())) {
        FilesMessageBox(dialog, "Error delete file", MB_OK | MB_ICONERROR);
        return;
    }
    OpenListing(dialog);
}

static void LoadIntoMainGame(HWND dialog) {
    if (!TakeLoadedGame(g_mainGame, g_scratchGame)) return;
    WindowHandle listBox = g_moveListBox;
    g_mainGame.RebuildMoveList(&listBox);
    InvalidateRect(g_mainWindow, NULL, TRUE);
    EndDialog(dialog, 1);
}

static int LoadEnabled(HWND dialog) {
    return IsWindowEnabled(GetDlgItem(dialog, IDOK)) && g_scratchGame.errorText.Length() == 0;
}

// The board of the scratch game in 32-pixel cells of the half-size sheet, a8 at the
// top left, or the reason the selected file cannot be loaded; framed.
static void PaintPreview(HWND dialog) {
    HWND preview = GetDlgItem(dialog, IDC_LOAD_PREVIEW);
    RECT area;
    GetClientRect(preview, &area);
    HDC dc = GetDC(preview);
    const Game& game = g_scratchGame;
    if (game.errorText.Length() != 0) {
        FillRect(dc, &area, g_backgroundBrush);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, g_inkColour);
        HGDIOBJ oldFont = SelectObject(dc, g_font);
        RECT text = area;
        DrawTextA(dc, game.errorText.CStr(), -1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        SelectObject(dc, oldFont);
    } else {
        DrawPreviewBoard(dc, game.board, g_skinDCHalf);
    }
    FramePreview(dc, area);
    ReleaseDC(preview, dc);
}

// A command that keeps the dialog open; the preview is painted again after it.
static void OnListOrDelete(HWND dialog, WPARAM wParam) {
    if (LOWORD(wParam) == IDC_LOAD_LIST && HIWORD(wParam) == LBN_SELCHANGE) {
        ReadSelectedFile(dialog);
        LoadDlgUpdateButtons(dialog);
    } else if (LOWORD(wParam) == IDC_LOAD_DELETE) {
        DeleteSelectedFile(dialog);
        LoadDlgUpdateButtons(dialog);
    }
    PaintPreview(dialog);
}

INT_PTR CALLBACK LoadDlgProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM) {
    switch (msg) {
    case WM_INITDIALOG:
        FitPreviewToBoard(dialog, IDC_LOAD_PREVIEW);
        OpenListing(dialog);
        return TRUE;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        BeginPaint(dialog, &paint);
        PaintPreview(dialog);
        EndPaint(dialog, &paint);
        return FALSE;
    }
    case WM_COMMAND:
        break;
    default:
        return FALSE;
    }
    int id = LOWORD(wParam);
    int doubleClick = id == IDC_LOAD_LIST && HIWORD(wParam) == LBN_DBLCLK;
    if ((id == IDOK || doubleClick) && LoadEnabled(dialog)) {
        LoadIntoMainGame(dialog);
        return TRUE;
    }
    if (id == IDCANCEL) {
        EndDialog(dialog, 2);
        return TRUE;
    }
    OnListOrDelete(dialog, wParam);
    return FALSE;
}

int Game::RunLoadDialog(int kind) {
    loadKind = kind;
    return (int)DialogBoxParamA(g_instance, MAKEINTRESOURCEA(IDD_LOAD), g_mainWindow, LoadDlgProc, 0);
}
