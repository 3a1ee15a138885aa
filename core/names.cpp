#include "core/names.h"

#include <ctype.h>

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

int IsReservedDeviceName(const char* name) {
    int end = 0;
    while (name[end] && name[end] != '.') ++end;
    while (end > 0 && name[end - 1] == ' ') --end;
    if (end < 3 || end > 4) return 0;
    char base[4];
    for (int i = 0; i < end; ++i) base[i] = char(toupper((unsigned char)name[i]));
    if (end == 3) {
        static const char* const kDevices[] = {"CON", "PRN", "AUX", "NUL"};
        for (const char* device : kDevices)
            if (base[0] == device[0] && base[1] == device[1] && base[2] == device[2]) return 1;
        return 0;
    }
    const int port = (base[0] == 'C' && base[1] == 'O' && base[2] == 'M') ||
                     (base[0] == 'L' && base[1] == 'P' && base[2] == 'T');
    return port && base[3] >= '1' && base[3] <= '9';
}
