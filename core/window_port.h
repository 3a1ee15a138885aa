// What the rules core asks of the window. The program implements these with Win32
// (ui/); the native tests link a fake that records the calls. Plain functions,
// chosen at link time.
#pragma once

// Opaque window handle as the portable code passes it around (an HWND in the program).
typedef void* WindowHandle;

enum MessageKind {
    MessageInfo = 0,      // OK button, information icon
    MessageQuestion = 1,  // Yes/No buttons, question icon; returns 1 for Yes
    MessageError = 2      // OK button, error icon
};

// Shows a modal message box owned by the main window with the caption "Varno-4".
// Returns 1 for OK/Yes, 0 otherwise.
int WindowMessageBox(const char* text, int kind);

// Runs the modal promotion dialog (template 129) and returns the raw dialog result;
// the caller maps anything outside 2..5 to a queen.
int WindowChoosePromotion();
