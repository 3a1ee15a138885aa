// Skin sheets: the built-in bitmaps, file skins from SKIN\, and the reduced copies.
#include "ui/main_window.h"
#include "ui/settings.h"
#include "ui/skins.h"
#include "resources/resource.h"

HBITMAP g_skinBitmap = NULL;
HBITMAP g_skinBitmapHalf = NULL;
HBITMAP g_skinBitmapThreeQuarters = NULL;
HDC g_skinDC = NULL;
HDC g_skinDCHalf = NULL;
HDC g_skinDCThreeQuarters = NULL;

namespace {

HBITMAP LoadBuiltInSheet(int number) {
    if (number < 0 || number >= SKIN_BUILT_IN_COUNT) number = 0;
    return LoadBitmapA(g_instance, MAKEINTRESOURCEA(IDB_SKIN_FIRST + number));
}

// The sheet a skin setting stands for; the first built-in sheet when a named file
// cannot be used.
HBITMAP LoadSheet(int number, const char* fileName) {
    if (fileName == NULL || fileName[0] == 0) return LoadBuiltInSheet(number);
    String path;
    if (SkinFilePath(fileName, &path)) {
        HBITMAP sheet = LoadSkinFile(path.CStr());
        if (sheet != NULL) return sheet;
    }
    return LoadBuiltInSheet(0);
}

void StretchSheet(HDC source, HDC destination, int width, int height) {
    SetStretchBltMode(destination, HALFTONE);
    SetBrushOrgEx(destination, 0, 0, NULL);
    StretchBlt(destination, 0, 0, width, height, source, 0, 0, kSkinWidth, kSkinHeight, SRCCOPY);
}

}  // namespace

HBITMAP LoadSkinFile(const char* path) {
    // The platform's loader reads past the end of a cut or lying file and crashes.
    if (!IsSkinSheetFile(path)) return NULL;
    HBITMAP sheet = (HBITMAP)LoadImageA(NULL, path, IMAGE_BITMAP, 0, 0,
                                        LR_LOADFROMFILE | LR_CREATEDIBSECTION);
    if (sheet == NULL) return NULL;
    BITMAP info;
    if (GetObjectA(sheet, sizeof(info), &info) != sizeof(info) ||
        info.bmWidth != kSkinWidth || info.bmHeight != kSkinHeight) {
        DeleteObject(sheet);
        return NULL;
    }
    return sheet;
}

void LoadSkinBitmap(HBITMAP* slot, int number, const char* fileName) {
    if (*slot != NULL) DeleteObject(*slot);
    *slot = LoadSheet(number, fileName);
}

void ReplaceSkinSheet(HBITMAP* slot, HDC dc, int number, const char* fileName) {
    HBITMAP sheet = LoadSheet(number, fileName);
    if (sheet == NULL) return;  // keep the sheet in use rather than leave the DC empty
    SelectObject(dc, sheet);
    if (*slot != NULL) DeleteObject(*slot);
    *slot = sheet;
}

void StretchSkinToHalf(HDC source, HDC destination) {
    StretchSheet(source, destination, kSkinWidth / 2, kSkinHeight / 2);
}

void StretchSkinToThreeQuarters(HDC source, HDC destination) {
    StretchSheet(source, destination, kSkinWidth * 3 / 4, kSkinHeight * 3 / 4);
}

void ReloadSkinSheets() {
    ReplaceSkinSheet(&g_skinBitmap, g_skinDC, g_skinNumber, g_skinFileName.CStr());
    StretchSkinToHalf(g_skinDC, g_skinDCHalf);
    StretchSkinToThreeQuarters(g_skinDC, g_skinDCThreeQuarters);
}
