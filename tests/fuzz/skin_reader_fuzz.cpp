// Any headers and any file size for a skin file: the check reads only the bytes it is
// given, and a file it takes has its pixel data inside the file. The input's first
// four bytes are the file's size, so that sizes of whole sheets stay within the
// fuzzer's short inputs; the rest are the file's first bytes.
#include <stdio.h>

#include "fuzz/fuzz_support.h"
#include "ui/common/skin_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 4) return 0;
    const uint64_t fileSize = data[0] | data[1] << 8 | data[2] << 16 | uint64_t(data[3]) << 24;
    size -= 4;
    // The head in a buffer of its own size, so that a read past it is caught.
    const int headSize = size < (size_t)kSkinHeaderBytes ? (int)size : kSkinHeaderBytes;
    unsigned char* head = static_cast<unsigned char*>(malloc(headSize ? headSize : 1));
    memcpy(head, data + 4, headSize);
    const int taken = IsSkinSheetHeader(head, headSize, fileSize);
    FUZZ_CHECK(taken == 0 || taken == 1);
    if (taken) {
        FUZZ_CHECK(headSize >= 26 && head[0] == 'B' && head[1] == 'M');
        const uint64_t offset = head[10] | head[11] << 8 | head[12] << 16 | uint64_t(head[13]) << 24;
        FUZZ_CHECK(offset >= 26 && offset < fileSize);
    }
    free(head);
    return 0;
}
