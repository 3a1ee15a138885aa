// Shared by the fuzz targets: the input as the Load dialog would hand it over.
#pragma once
#include <stddef.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include "files/game_files.h"

// The file's bytes as a String: up to the loader's size limit and the first NUL byte.
inline String FileText(const uint8_t* data, size_t size) {
    if (size > (size_t)kMaxGameFileBytes) size = kMaxGameFileBytes;
    char* buffer = static_cast<char*>(malloc(size + 1));
    memcpy(buffer, data, size);
    buffer[size] = '\0';
    String text(buffer);
    free(buffer);
    return text;
}

// Stops the run with a message libFuzzer records as a crash.
#define FUZZ_CHECK(condition)                                                     \
    do {                                                                          \
        if (!(condition)) {                                                       \
            fprintf(stderr, "check failed: %s (%s:%d)\n", #condition, __FILE__, __LINE__); \
            abort();                                                              \
        }                                                                         \
    } while (0)
