// The Save-name dialog: the user names the file before a game or position is saved.
#include "files/win32/files_win32.h"
#include "ui/dialogs.h"
#include "ui/main_window.h"
#include "resources/dialog_ids.h"

String g_saveFileName;

// Extension of the file being named, for the question about an existing file.
static const char* s_saveExtension = "";

// Names are taken as at most this many characters, whatever the edit holds.
static const int kMaxSaveNameLength = 99;

static String ReadNameEdit(HWND edit) {
    int length = GetWindowTextLengthA(edit);
    if (length <= 0) return String();
    char* buffer = new char[length + 1];
    buffer[0] = 0;
    GetWindowTextA(edit, buffer, length + 1);
    buffer[length < kMaxSaveNameLength ? length : kMaxSaveNameLength] = 0;
    String name(buffer);
    delete[] buffer;
    return name;
}

// Leaves the dialog open with the whole name selected for a correction.
static void BackToName(HWND dialog) {
    HWND edit = GetDlgItem(dialog, IDC_SAVE_NAME);
    SendMessageA(dialog, WM_NEXTDLGCTL, (WPARAM)edit, TRUE);
    SendMessageA(edit, EM_SETSEL, 0, -1);
}

static void AcceptName(HWND dialog) {
    String name = ReadNameEdit(GetDlgItem(dialog, IDC_SAVE_NAME));
    if (name.Length() == 0) {
        FilesMessageBox(dialog, "Please enter name", MB_OK | MB_ICONINFORMATION);
        EndDialog(dialog, 1);
        return;
    }
    const char* refusal = SaveNameRefusal(name.CStr());
    if (refusal) {
        FilesMessageBox(dialog, refusal, MB_OK | MB_ICONINFORMATION);
        BackToName(dialog);
        return;
    }
    String path = SaveFilePath(name.CStr(), s_saveExtension);
    if (GetFileAttributesA(path.CStr()) != INVALID_FILE_ATTRIBUTES) {
        String question = name;
        question += s_saveExtension;
        question += " already exists. Replace it?";
        int answer = FilesMessageBox(dialog, question.CStr(), MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2);
        if (answer != IDYES) {
            BackToName(dialog);
            return;
        }
    }
    g_saveFileName = name;
    EndDialog(dialog, 0);
}

INT_PTR CALLBACK SaveNameDlgProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM) {
    if (msg == WM_INITDIALOG) {
        HWND edit = GetDlgItem(dialog, IDC_SAVE_NAME);
        InstallFileNameFilter(edit);
        SetWindowTextA(edit, g_saveFileName.CStr());
        SendMessageA(edit, EM_SETSEL, 0, -1);
        SetWindowTextA(dialog, g_mainGame.analyseMode ? "Save position" : "Save game");
        return TRUE;
    }
    if (msg != WM_COMMAND) return FALSE;
    switch (LOWORD(wParam)) {
    case IDOK:
        AcceptName(dialog);
        return TRUE;
    case IDCANCEL:
        EndDialog(dialog, 1);
        return TRUE;
    default:
        return FALSE;
    }
}

int RunSaveNameDialog(const char* extension) {
    s_saveExtension = extension;
    INT_PTR result = DialogBoxParamA(g_instance, MAKEINTRESOURCEA(IDD_SAVE_NAME), g_mainWindow,
                                     SaveNameDlgProc, 0);
    return result == 0 ? 1 : 0;
}
