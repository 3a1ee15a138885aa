// The Options dialog (template IDD_OPTIONS): edits the settings in force, previews
// the skin and puts everything into force on Apply or OK.
#include "ui/options.h"
#include "ui/common/options_rules.h"
#include "ui/board_preview.h"
#include "ui/board_view.h"
#include "ui/main_window.h"
#include "ui/settings.h"
#include "ui/skins.h"
#include "resources/dialog_ids.h"
#include "resources/resource.h"

COLORREF g_optionsBackgroundColour = 0;
COLORREF g_optionsInkColour = 0;
int g_optionsSkinIndex = 0;
HBITMAP g_optionsSkinBitmap = NULL;
HDC g_optionsSkinDC = NULL;
HBITMAP g_optionsPreviewBitmapHalf = NULL;
HDC g_optionsPreviewDCHalf = NULL;
HBITMAP g_optionsBackgroundSwatch = NULL;
HBITMAP g_optionsInkSwatch = NULL;

namespace {

const char* const kBuiltInSkinNames[SKIN_BUILT_IN_COUNT] = {
    "1. Book", "2. Classic", "3. Old", "4. Bright", "5. Modern", "6. Desk", "7. Clear"};

// The colour dialog writes its custom colours back into this array, so it must outlive
// the call; it is filled afresh each time, so the user's changes are not kept.
COLORREF g_optionsCustomColours[16];
const COLORREF kCustomColours[16] = {
    RGB(255, 0, 0),     RGB(255, 128, 0),   RGB(255, 255, 0),   RGB(128, 255, 0),
    RGB(0, 255, 0),     RGB(0, 255, 128),   RGB(0, 255, 255),   RGB(0, 128, 255),
    RGB(0, 0, 255),     RGB(128, 0, 255),   RGB(255, 0, 255),   RGB(255, 0, 128),
    RGB(100, 100, 100), RGB(150, 150, 150), RGB(175, 175, 175), RGB(200, 200, 200)};

// Check boxes with the settings they show, in the order Apply writes them.
struct FlagBox {
    int id;
    int* flag;
    int byDefault;
};
const FlagBox kFlagBoxes[] = {
    {IDC_OPTIONS_LEGAL_MOVE, &g_showLegalMoves, 1},  {IDC_OPTIONS_CHECK, &g_showCheck, 1},
    {IDC_OPTIONS_LAST_MOVE, &g_showLastMove, 1},     {IDC_OPTIONS_WHITE_ON_TOP, &g_whiteOnTop, 0},
    {IDC_OPTIONS_COORDINATES, &g_showCoordinates, 1}, {IDC_OPTIONS_MOVE_LIST, &g_showMoveList, 1},
    {IDC_OPTIONS_AI_PROGRESS, &g_showAiProgress, 1}, {IDC_OPTIONS_BEEP, &g_beepAfterAiMove, 1},
};

const COLORREF kDefaultBackground = RGB(128, 128, 128);
const COLORREF kDefaultInk = RGB(255, 255, 255);

int SelectedSkinRow(HWND dialog) {
    return (int)SendDlgItemMessageA(dialog, IDC_OPTIONS_SKIN_LIST, LB_GETCURSEL, 0, 0);
}

// The text of a skin list row; empty when it is missing or longer than the buffer
// the dialog reads rows into.
String SkinRowText(HWND dialog, int row) {
    HWND list = GetDlgItem(dialog, IDC_OPTIONS_SKIN_LIST);
    LRESULT length = SendMessageA(list, LB_GETTEXTLEN, (WPARAM)row, 0);
    if (length < 0 || length > kMaxSkinRowText) return String();
    char text[kMaxSkinRowText + 1];
    LRESULT read = SendMessageA(list, LB_GETTEXT, (WPARAM)row, (LPARAM)text);
    if (read < 0 || read > kMaxSkinRowText) return String();
    text[read] = 0;
    return String(text);
}

// The skin the selected row stands for: a built-in number, or a file's base name (empty
// when the row cannot be read, so the first built-in sheet stands in).
void SkinOfSelectedRow(HWND dialog, int* number, String* fileName) {
    int row = SelectedSkinRow(dialog);
    *number = row >= 0 && row < SKIN_BUILT_IN_COUNT ? row : 0;
    *fileName = row < SKIN_BUILT_IN_COUNT ? String() : SkinRowText(dialog, row);
}

// Loads the selected row's sheet for a slot selected into `dc`; the slot keeps its
// sheet when the new one cannot be loaded.
void ReplaceFromList(HBITMAP* slot, HDC dc, HWND dialog) {
    int number;
    String fileName;
    SkinOfSelectedRow(dialog, &number, &fileName);
    ReplaceSkinSheet(slot, dc, number, fileName.CStr());
}

void AddFileSkins(HWND list) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA("SKIN\\*.bmp", &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        found.cFileName[sizeof(found.cFileName) - 1] = 0;
        String path, rowText;
        if (!SkinListEntry(found.cFileName, &path, &rowText)) continue;
        // The same check and load as the preview and start-up: a damaged file is left out.
        HBITMAP sheet = LoadSkinFile(path.CStr());
        if (sheet == NULL) continue;
        DeleteObject(sheet);
        SendMessageA(list, LB_ADDSTRING, 0, (LPARAM)rowText.CStr());
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

// The row of the skin in force: a file skin by its exact name, else the number.
int RowOfSkinInForce(HWND list) {
    if (g_skinFileName.Length() > 0) {
        int count = (int)SendMessageA(list, LB_GETCOUNT, 0, 0);
        HWND dialog = GetParent(list);
        for (int row = SKIN_BUILT_IN_COUNT; row < count; ++row) {
            if (lstrcmpA(SkinRowText(dialog, row).CStr(), g_skinFileName.CStr()) == 0) return row;
        }
        return 0;
    }
    return (g_skinNumber >= 0 && g_skinNumber < SKIN_BUILT_IN_COUNT) ? g_skinNumber : 0;
}

void InitOptionsDialog(HWND dialog) {
    FitPreviewToBoard(dialog, IDC_OPTIONS_PREVIEW);
    for (const FlagBox& box : kFlagBoxes)
        if (*box.flag) CheckDlgButton(dialog, box.id, BST_CHECKED);
    CheckDlgButton(dialog, g_boardScale == 75 ? IDC_OPTIONS_SCALE_75 : IDC_OPTIONS_SCALE_100,
                   BST_CHECKED);
    g_optionsInkColour = g_inkColour;
    g_optionsBackgroundColour = g_backgroundColour;

    HWND list = GetDlgItem(dialog, IDC_OPTIONS_SKIN_LIST);
    for (const char* name : kBuiltInSkinNames) SendMessageA(list, LB_ADDSTRING, 0, (LPARAM)name);
    AddFileSkins(list);
    g_optionsSkinIndex = RowOfSkinInForce(list);
    SendMessageA(list, LB_SETCURSEL, (WPARAM)g_optionsSkinIndex, 0);

    LoadSkinFromList(&g_optionsSkinBitmap, dialog);
    g_optionsSkinDC = CreateCompatibleDC(NULL);
    SelectObject(g_optionsSkinDC, g_optionsSkinBitmap);
    // A canvas compatible with the screen, as the main window's: a file skin's own depth
    // and palette would tint every other skin previewed through it.
    LoadSkinBitmap(&g_optionsPreviewBitmapHalf, 0, "");
    g_optionsPreviewDCHalf = CreateCompatibleDC(NULL);
    SelectObject(g_optionsPreviewDCHalf, g_optionsPreviewBitmapHalf);
    StretchSkinToHalf(g_optionsSkinDC, g_optionsPreviewDCHalf);
    UpdateColourSwatches(dialog);
}

void ApplyOptions(HWND dialog) {
    for (const FlagBox& box : kFlagBoxes) {
        *box.flag = IsDlgButtonChecked(dialog, box.id) == BST_CHECKED ? 1 : 0;
        if (box.flag == &g_showMoveList) ShowWindow(g_moveListBox, g_showMoveList ? SW_SHOW : SW_HIDE);
    }
    g_boardScale = IsDlgButtonChecked(dialog, IDC_OPTIONS_SCALE_75) == BST_CHECKED ? 75 : 100;
    LayoutMainWindow();
    if (g_optionsInkColour != g_inkColour) g_inkColour = g_optionsInkColour;
    if (g_optionsBackgroundColour != g_backgroundColour) {
        g_backgroundColour = g_optionsBackgroundColour;
        HBRUSH old = g_backgroundBrush;
        g_backgroundBrush = CreateSolidBrush(g_backgroundColour);
        if (old != NULL) DeleteObject(old);
    }
    int row = SelectedSkinRow(dialog);
    if (row < SKIN_BUILT_IN_COUNT) {
        g_skinNumber = row < 0 ? 0 : row;
        g_skinFileName = String();
    } else {
        g_skinFileName = SkinRowText(dialog, row);
        g_skinNumber = -1;
    }
    ReplaceFromList(&g_skinBitmap, g_skinDC, dialog);
    StretchSkinToHalf(g_skinDC, g_skinDCHalf);
    StretchSkinToThreeQuarters(g_skinDC, g_skinDCThreeQuarters);
    InvalidateRect(g_mainWindow, NULL, TRUE);
}

void ChooseWorkingColour(HWND dialog, COLORREF* working) {
    for (int i = 0; i < 16; ++i) g_optionsCustomColours[i] = kCustomColours[i];
    CHOOSECOLORA choose;
    ZeroMemory(&choose, sizeof(choose));
    choose.lStructSize = sizeof(choose);
    choose.hwndOwner = dialog;
    choose.lpCustColors = g_optionsCustomColours;
    choose.Flags = CC_ANYCOLOR;
    if (!ChooseColorA(&choose)) return;
    *working = choose.rgbResult;
    UpdateColourSwatches(dialog);
    InvalidateRect(dialog, NULL, TRUE);
}

void SetDefaults(HWND dialog) {
    for (const FlagBox& box : kFlagBoxes)
        CheckDlgButton(dialog, box.id, box.byDefault ? BST_CHECKED : BST_UNCHECKED);
    CheckRadioButton(dialog, IDC_OPTIONS_SCALE_75, IDC_OPTIONS_SCALE_100, IDC_OPTIONS_SCALE_100);
    g_optionsInkColour = kDefaultInk;
    g_optionsBackgroundColour = kDefaultBackground;
    g_optionsSkinIndex = 0;
    SendDlgItemMessageA(dialog, IDC_OPTIONS_SKIN_LIST, LB_SETCURSEL, 0, 0);
    ReplaceFromList(&g_optionsSkinBitmap, g_optionsSkinDC, dialog);
    UpdateColourSwatches(dialog);
    StretchSkinToHalf(g_optionsSkinDC, g_optionsPreviewDCHalf);
    InvalidateRect(dialog, NULL, TRUE);
}

void SkinRowChosen(HWND dialog) {
    int row = SelectedSkinRow(dialog);
    if (row == g_optionsSkinIndex) return;
    g_optionsSkinIndex = row;
    ReplaceFromList(&g_optionsSkinBitmap, g_optionsSkinDC, dialog);
    StretchSkinToHalf(g_optionsSkinDC, g_optionsPreviewDCHalf);
    InvalidateRect(dialog, NULL, FALSE);
}

// The main game's position in the selected skin at 50 %, White at the bottom, framed in
// the background colour in force.
void PaintPreview(HWND dialog) {
    PAINTSTRUCT paint;
    BeginPaint(dialog, &paint);
    HWND preview = GetDlgItem(dialog, IDC_OPTIONS_PREVIEW);
    HDC dc = GetDC(preview);
    DrawPreviewBoard(dc, g_mainGame.board, g_optionsPreviewDCHalf);
    RECT client;
    GetClientRect(preview, &client);
    FramePreview(dc, client);
    ReleaseDC(preview, dc);
    EndPaint(dialog, &paint);
}

void DestroyOptionsDialog() {
    DeleteDC(g_optionsSkinDC);
    DeleteObject(g_optionsSkinBitmap);
    DeleteDC(g_optionsPreviewDCHalf);
    DeleteObject(g_optionsPreviewBitmapHalf);
    g_optionsSkinDC = g_optionsPreviewDCHalf = NULL;
    g_optionsSkinBitmap = g_optionsPreviewBitmapHalf = NULL;
}

HBITMAP MakeSwatch(HDC screen, COLORREF colour) {
    HBITMAP swatch = CreateCompatibleBitmap(screen, 19, 19);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, swatch);
    HBRUSH brush = CreateSolidBrush(colour);
    RECT all = {0, 0, 19, 19};
    FillRect(dc, &all, brush);
    DeleteObject(brush);
    SelectObject(dc, old);
    DeleteDC(dc);
    return swatch;
}

}  // namespace

void LoadSkinFromList(HBITMAP* slot, HWND dialog) {
    int number;
    String fileName;
    SkinOfSelectedRow(dialog, &number, &fileName);
    LoadSkinBitmap(slot, number, fileName.CStr());
}

void UpdateColourSwatches(HWND dialog) {
    HDC screen = GetDC(dialog);
    HBITMAP background = MakeSwatch(screen, g_optionsBackgroundColour);
    HBITMAP ink = MakeSwatch(screen, g_optionsInkColour);
    ReleaseDC(dialog, screen);
    SendDlgItemMessageA(dialog, IDC_OPTIONS_BACKGROUND, BM_SETIMAGE, IMAGE_BITMAP, (LPARAM)background);
    SendDlgItemMessageA(dialog, IDC_OPTIONS_INK, BM_SETIMAGE, IMAGE_BITMAP, (LPARAM)ink);
    // The buttons show the new pictures now, so the old ones can go.
    if (g_optionsBackgroundSwatch != NULL) DeleteObject(g_optionsBackgroundSwatch);
    if (g_optionsInkSwatch != NULL) DeleteObject(g_optionsInkSwatch);
    g_optionsBackgroundSwatch = background;
    g_optionsInkSwatch = ink;
}

void PickFromSkin(HWND dialog) {
    ColourSums first, second;
    ClearColourSums(&first);
    ClearColourSums(&second);
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            AddColour(&first, GetPixel(g_optionsSkinDC, x, y));
            AddColour(&second, GetPixel(g_optionsSkinDC, x + 64, y));
        }
    }
    g_optionsBackgroundColour = DarkerBackground(AverageColour(first));
    g_optionsInkColour = BrighterInk(AverageColour(second));
    UpdateColourSwatches(dialog);
    InvalidateRect(dialog, NULL, TRUE);
}

INT_PTR CALLBACK OptionsDlgProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM) {
    switch (msg) {
    case WM_INITDIALOG:
        InitOptionsDialog(dialog);
        return TRUE;
    case WM_PAINT:
        PaintPreview(dialog);
        return FALSE;
    case WM_DESTROY:
        DestroyOptionsDialog();
        return FALSE;
    case WM_COMMAND:
        break;
    default:
        return FALSE;
    }
    switch (LOWORD(wParam)) {
    case IDOK:
        ApplyOptions(dialog);
        EndDialog(dialog, 0);
        break;
    case IDC_OPTIONS_APPLY:
        ApplyOptions(dialog);
        break;
    case IDCANCEL:
        EndDialog(dialog, 0);
        break;
    case IDC_OPTIONS_BACKGROUND:
        ChooseWorkingColour(dialog, &g_optionsBackgroundColour);
        break;
    case IDC_OPTIONS_INK:
        ChooseWorkingColour(dialog, &g_optionsInkColour);
        break;
    case IDC_OPTIONS_PICK:
        PickFromSkin(dialog);
        break;
    case IDC_OPTIONS_DEFAULT:
        SetDefaults(dialog);
        break;
    case IDC_OPTIONS_SKIN_LIST:
        if (HIWORD(wParam) == LBN_SELCHANGE) SkinRowChosen(dialog);
        break;
    }
    return FALSE;
}
