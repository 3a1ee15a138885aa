// The window services the move-generation tools can reach: none is ever shown (every
// move is played silently), so they answer as a dismissed box and a queen.
#include "core/window_port.h"

int WindowMessageBox(const char*, int) { return 1; }
int WindowChoosePromotion() { return 5; }
