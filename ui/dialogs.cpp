// The About and New game dialogs and the file-name filter of name edits.
#include "ui/dialogs.h"
#include "ui/common/file_name_filter.h"
#include "ui/common/new_game.h"
#include "ui/window_globals.h"
#include "resources/dialog_ids.h"

WNDPROC g_oldEditProc = NULL;
HBITMAP g_newGameWhiteImage = NULL;
HBITMAP g_newGameBlackImage = NULL;

// ---- About ----------------------------------------------------------------------

INT_PTR CALLBACK AboutDlgProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM) {
    if (msg == WM_INITDIALOG) return TRUE;
    if (msg == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

// ---- File-name filter -------------------------------------------------------------

// Inserts the clipboard's text without the refused characters, as much as the
// edit's limit leaves room for, and only its first line (the edit holds one).
static void PasteFiltered(HWND edit) {
    if (!IsClipboardFormatAvailable(CF_TEXT) || !OpenClipboard(edit)) return;
    String text;
    HANDLE data = GetClipboardData(CF_TEXT);
    const char* clip = data ? (const char*)GlobalLock(data) : NULL;
    if (clip) {
        text = WithoutRefusedFileNameChars(clip, 1);
        GlobalUnlock(data);
    }
    CloseClipboard();

    DWORD selStart = 0, selEnd = 0;
    CallWindowProcA(g_oldEditProc, edit, EM_GETSEL, (WPARAM)&selStart, (LPARAM)&selEnd);
    int limit = (int)CallWindowProcA(g_oldEditProc, edit, EM_GETLIMITTEXT, 0, 0);
    int kept = GetWindowTextLengthA(edit) - (int)(selEnd - selStart);
    int room = limit - kept;
    if (room <= 0 || text.Length() == 0) return;
    if (text.Length() > room) {
        String cut;
        cut.AssignMid(&text, 0, room);
        text = cut;
    }
    CallWindowProcA(g_oldEditProc, edit, EM_REPLACESEL, TRUE, (LPARAM)text.CStr());
}

LRESULT CALLBACK FileNameEditProc(HWND edit, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CHAR:
        if (wParam <= 0xFF && IsRefusedFileNameChar((char)wParam)) return 0;
        break;
    case WM_PASTE:
        PasteFiltered(edit);
        return 0;
    case WM_SETTEXT:
    case EM_REPLACESEL:
        if (lParam && HasRefusedFileNameChar((const char*)lParam)) {
            String clean = WithoutRefusedFileNameChars((const char*)lParam, 0);
            return CallWindowProcA(g_oldEditProc, edit, msg, wParam, (LPARAM)clean.CStr());
        }
        break;
    }
    return CallWindowProcA(g_oldEditProc, edit, msg, wParam, lParam);
}

void InstallFileNameFilter(HWND edit) {
    WNDPROC replaced = (WNDPROC)SetWindowLongPtrA(edit, GWLP_WNDPROC, (LONG_PTR)FileNameEditProc);
    if (replaced != FileNameEditProc) g_oldEditProc = replaced;
}

// ---- New game ---------------------------------------------------------------------

void Game::RunNewGameDialog(int mode) {
    newGameMode = mode;
    DialogBoxParamA(g_instance, MAKEINTRESOURCEA(IDD_NEW_GAME), g_mainWindow, NewGameDlgProc, 0);
}

static const int kNameBufferSize = 50;  // names are read as at most 49 characters

static void UpdateOneName(HWND dialog, int typeId, int nameId) {
    HWND edit = GetDlgItem(dialog, nameId);
    if (SendDlgItemMessageA(dialog, typeId, CB_GETCURSEL, 0, 0) == NewGameComputer) {
        SetWindowTextA(edit, kComputerPlayerName);
        SendMessageA(edit, EM_SETREADONLY, TRUE, 0);
        return;
    }
    char name[kNameBufferSize];
    GetWindowTextA(edit, name, sizeof(name));
    if (String(name) == String(kComputerPlayerName)) SetWindowTextA(edit, "");
    SendMessageA(edit, EM_SETREADONLY, FALSE, 0);
}

void NewGameDlgUpdateNames(HWND* dialog) {
    UpdateOneName(*dialog, IDC_WHITE_TYPE, IDC_WHITE_NAME);
    UpdateOneName(*dialog, IDC_BLACK_TYPE, IDC_BLACK_NAME);
    int bothHuman =
        SendDlgItemMessageA(*dialog, IDC_WHITE_TYPE, CB_GETCURSEL, 0, 0) != NewGameComputer &&
        SendDlgItemMessageA(*dialog, IDC_BLACK_TYPE, CB_GETCURSEL, 0, 0) != NewGameComputer;
    EnableWindow(GetDlgItem(*dialog, IDC_AI_LEVEL), !bothHuman);
}

// A framed 34-pixel picture of the king at cell x `cellX` of the half-size sheet.
static HBITMAP MakeKingPicture(HDC screen, HPEN frame, int cellX) {
    HBITMAP picture = CreateCompatibleBitmap(screen, 34, 34);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ oldBitmap = SelectObject(dc, picture);
    BitBlt(dc, 1, 1, 32, 32, g_skinDCHalf, cellX, 192, SRCCOPY);
    HGDIOBJ oldPen = SelectObject(dc, frame);
    MoveToEx(dc, 0, 0, NULL);
    LineTo(dc, 33, 0);
    LineTo(dc, 33, 33);
    LineTo(dc, 0, 33);
    LineTo(dc, 0, 0);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBitmap);
    DeleteDC(dc);
    return picture;
}

static void InitNewGameDialog(HWND dialog) {
    static const int kTypeLists[2] = {IDC_WHITE_TYPE, IDC_BLACK_TYPE};
    for (int id : kTypeLists) {
        SendDlgItemMessageA(dialog, id, CB_ADDSTRING, 0, (LPARAM)"Computer");
        SendDlgItemMessageA(dialog, id, CB_ADDSTRING, 0, (LPARAM)"Human");
    }
    SendDlgItemMessageA(dialog, IDC_AI_LEVEL, CB_ADDSTRING, 0, (LPARAM)"Easy");
    SendDlgItemMessageA(dialog, IDC_AI_LEVEL, CB_ADDSTRING, 0, (LPARAM)"Normal");
    SendDlgItemMessageA(dialog, IDC_WHITE_TYPE, CB_SETCURSEL, NewGameHuman, 0);
    SendDlgItemMessageA(dialog, IDC_BLACK_TYPE, CB_SETCURSEL, NewGameComputer, 0);
    SendDlgItemMessageA(dialog, IDC_AI_LEVEL, CB_SETCURSEL, 1, 0);
    SendDlgItemMessageA(dialog, IDC_WHITE_NAME, EM_LIMITTEXT, 17, 0);
    SendDlgItemMessageA(dialog, IDC_BLACK_NAME, EM_LIMITTEXT, 17, 0);
    NewGameDlgUpdateNames(&dialog);
    InstallFileNameFilter(GetDlgItem(dialog, IDC_WHITE_NAME));
    InstallFileNameFilter(GetDlgItem(dialog, IDC_BLACK_NAME));

    if (g_newGameWhiteImage) DeleteObject(g_newGameWhiteImage);
    if (g_newGameBlackImage) DeleteObject(g_newGameBlackImage);
    HDC screen = GetDC(dialog);
    HPEN frame = CreatePen(PS_SOLID, 1, g_backgroundColour);
    g_newGameWhiteImage = MakeKingPicture(screen, frame, 32);
    g_newGameBlackImage = MakeKingPicture(screen, frame, 192);
    DeleteObject(frame);
    ReleaseDC(dialog, screen);
    SendDlgItemMessageA(dialog, IDC_WHITE_PICTURE, BM_SETIMAGE, IMAGE_BITMAP, (LPARAM)g_newGameWhiteImage);
    SendDlgItemMessageA(dialog, IDC_BLACK_PICTURE, BM_SETIMAGE, IMAGE_BITMAP, (LPARAM)g_newGameBlackImage);
}

static void StartFromDialog(HWND dialog) {
    int whiteType = (int)SendDlgItemMessageA(dialog, IDC_WHITE_TYPE, CB_GETCURSEL, 0, 0);
    int blackType = (int)SendDlgItemMessageA(dialog, IDC_BLACK_TYPE, CB_GETCURSEL, 0, 0);
    char whiteName[kNameBufferSize];
    char blackName[kNameBufferSize];
    GetDlgItemTextA(dialog, IDC_WHITE_NAME, whiteName, sizeof(whiteName));
    GetDlgItemTextA(dialog, IDC_BLACK_NAME, blackName, sizeof(blackName));
    const char* refusal = NewGameNamesRefusal(whiteType, whiteName, blackType, blackName);
    if (refusal) {
        HWND focus = GetFocus();
        WindowMessageBox(refusal, MessageInfo);
        // The box belongs to the main window, which this dialog keeps disabled, so
        // activation would not come back here by itself: the person could not type on.
        SetForegroundWindow(dialog);
        SetFocus(focus && IsChild(dialog, focus) ? focus : GetDlgItem(dialog, IDC_WHITE_TYPE));
        return;
    }
    int level = (int)SendDlgItemMessageA(dialog, IDC_AI_LEVEL, CB_GETCURSEL, 0, 0);
    if (level < 0) level = 0;
    StartNewGame(g_mainGame, whiteType, whiteName, blackType, blackName, level);
    WindowHandle listBox = g_moveListBox;
    g_mainGame.RebuildMoveList(&listBox);
    InvalidateRect(g_mainWindow, NULL, TRUE);
    EndDialog(dialog, IDOK);
}

INT_PTR CALLBACK NewGameDlgProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM) {
    if (msg == WM_INITDIALOG) {
        InitNewGameDialog(dialog);
        return TRUE;
    }
    if (msg != WM_COMMAND) return FALSE;
    switch (LOWORD(wParam)) {
    case IDC_WHITE_TYPE:
    case IDC_BLACK_TYPE:
        if (HIWORD(wParam) == CBN_SELCHANGE) NewGameDlgUpdateNames(&dialog);
        return FALSE;
    case IDCANCEL:
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    case IDOK:
        StartFromDialog(dialog);
        return TRUE;
    default:
        return FALSE;
    }
}
