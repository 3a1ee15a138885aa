#include "core/names.h"

const char kComputerPlayerName[] = "Computer {Varno-4}";

int IsRefusedFileNameChar(char c) {
    switch (c) {
    case '<': case '>': case '"': case '\\': case '/':
    case '*': case '?': case ':': case '|':
        return 1;
    default:
        return 0;
    }
}

int HasRefusedFileNameChar(const char* text) {
    for (const char* p = text; *p; ++p)
        if (IsRefusedFileNameChar(*p)) return 1;
    return 0;
}

String WithoutRefusedFileNameChars(const char* text) {
    String kept;
    for (const char* p = text; *p; ++p)
        if (!IsRefusedFileNameChar(*p)) kept += *p;
    return kept;
}
