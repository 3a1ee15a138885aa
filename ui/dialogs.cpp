// The About and New game dialogs and the file-name filter of name edits.
#include "ui/dialogs.h"
#include "ui/common/file_name_filter.h"
#include "ui/common/new_game.h"
#include "ui/main_window.h"
#include "ui/settings.h"
#include "ui/skins.h"
#include "resources/dialog_ids.h"

WNDPROC g_oldEditProc = NULL;
HBITMAP g_newGameWhiteImage = NULL;
HBITMAP g_newGameBlackImage = NULL;

// ---- About ----------------------------------------------------------------------

// Rectangle of a control in its dialog's client coordinates.
static RECT ControlRect(HWND dialog, HWND control) {
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(NULL, dialog, (POINT*)&r, 2);
    return r;
}

// The picture control takes the bitmap's own size (its size in dialog units depends
// on the font, and a smaller control squeezes the picture); what stands below it
// moves down by as much as it grew, and the dialog with it.
static void FitPictureToBitmap(HWND dialog, HWND picture) {
    HBITMAP bitmap = (HBITMAP)SendMessageA(picture, STM_GETIMAGE, IMAGE_BITMAP, 0);
    BITMAP info;
    if (bitmap == NULL || !GetObjectA(bitmap, sizeof(info), &info)) return;
    RECT wanted = {0, 0, info.bmWidth, info.bmHeight};
    AdjustWindowRectEx(&wanted, (DWORD)GetWindowLongA(picture, GWL_STYLE), FALSE,
                       (DWORD)GetWindowLongA(picture, GWL_EXSTYLE));
    RECT old = ControlRect(dialog, picture);
    SetWindowPos(picture, NULL, 0, 0, wanted.right - wanted.left, wanted.bottom - wanted.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    int growth = (wanted.bottom - wanted.top) - (old.bottom - old.top);
    if (growth <= 0) return;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT r = ControlRect(dialog, child);
        if (child != picture && r.top >= old.bottom)
            SetWindowPos(child, NULL, r.left, r.top + growth, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    RECT frame;
    GetWindowRect(dialog, &frame);
    SetWindowPos(dialog, NULL, 0, 0, frame.right - frame.left, frame.bottom - frame.top + growth,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR CALLBACK AboutDlgProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM) {
    if (msg == WM_INITDIALOG) {
        FitPictureToBitmap(dialog, GetDlgItem(dialog, IDC_ABOUT_PICTURE));
        return TRUE;
    }
    if (msg == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

// ---- File-name filter -------------------------------------------------------------

// The edit's text as its own procedure holds it (not through the subclass).
static String EditText(HWND edit) {
    int length = (int)CallWindowProcA(g_oldEditProc, edit, WM_GETTEXTLENGTH, 0, 0);
    char* buffer = new char[length + 1];
    buffer[0] = 0;
    CallWindowProcA(g_oldEditProc, edit, WM_GETTEXT, length + 1, (LPARAM)buffer);
    buffer[length] = 0;
    String text(buffer);
    delete[] buffer;
    return text;
}

static void SetEditText(HWND edit, const char* text, int caret) {
    CallWindowProcA(g_oldEditProc, edit, WM_SETTEXT, 0, (LPARAM)text);
    CallWindowProcA(g_oldEditProc, edit, EM_SETSEL, caret, caret);
}

// Messages that never change the text, or after which it can no longer be read.
static int LeavesTextAlone(UINT msg) {
    switch (msg) {
    case WM_GETTEXT: case WM_GETTEXTLENGTH: case WM_PAINT: case WM_NCHITTEST:
    case WM_SETCURSOR: case WM_MOUSEMOVE: case WM_TIMER: case WM_DESTROY: case WM_NCDESTROY:
        return 1;
    default:
        return 0;
    }
}

// The edit pastes by more ways than WM_PASTE (Shift+Insert, the context menu, a
// middle click under X) and inserts without any message the filter could see, so
// the text is looked at after every message that may change it: a change that
// brought in a refused character loses it, and a change of a read-only edit by the
// person is undone. Text the program sets (WM_SETTEXT) passes unchanged.
LRESULT CALLBACK FileNameEditProc(HWND edit, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_CHAR && wParam <= 0xFF && IsRefusedFileNameChar((char)wParam)) return 0;
    if (msg == WM_SETTEXT || LeavesTextAlone(msg))
        return CallWindowProcA(g_oldEditProc, edit, msg, wParam, lParam);

    String before = EditText(edit);
    LRESULT result = CallWindowProcA(g_oldEditProc, edit, msg, wParam, lParam);
    if (!IsWindow(edit)) return result;
    String after = EditText(edit);
    if (after == before) return result;
    int readOnly = (GetWindowLongA(edit, GWL_STYLE) & ES_READONLY) != 0;
    if (readOnly && msg != EM_REPLACESEL) {
        SetEditText(edit, before.CStr(), 0);
    } else if (HasRefusedFileNameChar(after.CStr())) {
        DWORD caret = 0;
        CallWindowProcA(g_oldEditProc, edit, EM_GETSEL, 0, (LPARAM)&caret);
        SetEditText(edit, WithoutRefusedFileNameChars(after.CStr()).CStr(),
                    KeptFileNameCharsBefore(after.CStr(), (int)caret));
    }
    return result;
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
        // The box belongs to this dialog, which takes input and its focus back when
        // the box closes.
        WindowMessageBox(refusal, MessageInfo);
        return;
    }
    int level = (int)SendDlgItemMessageA(dialog, IDC_AI_LEVEL, CB_GETCURSEL, 0, 0);
    if (level < 0) level = 0;
    if (!StartNewGame(g_mainGame, whiteType, whiteName, blackType, blackName, level)) return;
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
