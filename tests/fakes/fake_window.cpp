#include "fakes/fake_window.h"
#include "core/window_port.h"

FakeWindow g_fakeWindow;

int WindowMessageBox(const char* text, int kind) {
    g_fakeWindow.messages.push_back(text);
    g_fakeWindow.messageKinds.push_back(kind);
    return kind == MessageQuestion ? g_fakeWindow.messageAnswer : 1;
}

int WindowChoosePromotion() {
    ++g_fakeWindow.promotionRequests;
    return g_fakeWindow.promotionAnswer;
}
