#include "ui/common/file_name_filter.h"

int KeptFileNameCharsBefore(const char* text, int position) {
    int kept = 0;
    for (int i = 0; i < position && text[i]; ++i)
        if (!IsRefusedFileNameChar(text[i])) ++kept;
    return kept;
}
