// The promotion dialog: a person picks the piece a pawn on the last row becomes.
#include "ui/dialogs.h"
#include "ui/main_window.h"
#include "ui/skins.h"
#include "resources/dialog_ids.h"

HBITMAP g_promotionKnightImage = NULL;
HBITMAP g_promotionBishopImage = NULL;
HBITMAP g_promotionRookImage = NULL;
HBITMAP g_promotionQueenImage = NULL;

struct PromotionButton {
    int id;          // also the piece kind it chooses
    HBITMAP* image;
};
static const PromotionButton kPromotionButtons[4] = {
    {IDC_PROMOTE_KNIGHT, &g_promotionKnightImage},
    {IDC_PROMOTE_BISHOP, &g_promotionBishopImage},
    {IDC_PROMOTE_ROOK, &g_promotionRookImage},
    {IDC_PROMOTE_QUEEN, &g_promotionQueenImage},
};

static void InitPromotionDialog(HWND dialog) {
    HDC screen = GetDC(dialog);
    for (const PromotionButton& button : kPromotionButtons)
        *button.image = CreateCompatibleBitmap(screen, 64, 64);
    ReleaseDC(dialog, screen);
    // A piece of the promoting side on a light square; the sheet's rows are the kinds.
    int cellX = g_mainGame.sideToMove == ColourWhite ? 64 : 384;
    HDC dc = CreateCompatibleDC(NULL);
    HGDIOBJ old = NULL;
    for (const PromotionButton& button : kPromotionButtons) {
        HGDIOBJ previous = SelectObject(dc, *button.image);
        if (!old) old = previous;
        BitBlt(dc, 0, 0, 64, 64, g_skinDC, cellX, 64 * button.id, SRCCOPY);
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    for (const PromotionButton& button : kPromotionButtons)
        SendDlgItemMessageA(dialog, button.id, BM_SETIMAGE, IMAGE_BITMAP, (LPARAM)*button.image);
}

INT_PTR CALLBACK PromotionDlgProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM) {
    switch (msg) {
    case WM_INITDIALOG:
        InitPromotionDialog(dialog);
        return TRUE;
    case WM_COMMAND: {
        int id = LOWORD(wParam);
        if (id < IDC_PROMOTE_KNIGHT || id > IDC_PROMOTE_QUEEN) return FALSE;
        // Escape arrives as the cancel command, whose id the knight's button shares;
        // leaving the choice to the dialog should give the usual queen.
        if (id == IDCANCEL && (GetKeyState(VK_ESCAPE) & 0x8000)) id = IDC_PROMOTE_QUEEN;
        EndDialog(dialog, id);
        return FALSE;
    }
    case WM_CLOSE:
        EndDialog(dialog, IDC_PROMOTE_QUEEN);
        return TRUE;
    case WM_DESTROY:
        for (const PromotionButton& button : kPromotionButtons) {
            if (*button.image) DeleteObject(*button.image);
            *button.image = NULL;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

int WindowChoosePromotion() {
    return (int)DialogBoxParamA(g_instance, MAKEINTRESOURCEA(IDD_PROMOTION), g_mainWindow,
                                PromotionDlgProc, 0);
}
