#include "ui/common/skin_file.h"

#include <stdio.h>

#include "core/names.h"

namespace {

const int kFileHeaderBytes = 14;
const int kCoreHeaderBytes = 12;  // the old header with 16-bit sizes and 3-byte colours
const int kInfoHeaderBytes = 40;
const int kV4HeaderBytes = 108;
const int kV5HeaderBytes = 124;
const uint32_t kNoCompression = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3;

uint32_t Read16(const unsigned char* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8; }
uint32_t Read32(const unsigned char* p) { return Read16(p) | Read16(p + 2) << 16; }

// The header fields the check needs, in one form for both header kinds.
struct SheetHeader {
    int64_t width, height;
    uint32_t planes, bits, compression, imageSize, coloursUsed;
    uint64_t colourBytes;  // 3 per colour in the old header, 4 in the others
};

// Reads the info header at `info`, of `size` bytes; 0 when its size is not one the
// platform defines.
int ReadInfoHeader(const unsigned char* info, uint32_t size, SheetHeader* h) {
    if (size == kCoreHeaderBytes) {
        h->width = Read16(info + 4);
        h->height = Read16(info + 6);
        h->planes = Read16(info + 8);
        h->bits = Read16(info + 10);
        h->compression = kNoCompression;
        h->imageSize = h->coloursUsed = 0;
        h->colourBytes = 3;
        return 1;
    }
    if (size != kInfoHeaderBytes && size != kV4HeaderBytes && size != kV5HeaderBytes) return 0;
    h->width = int32_t(Read32(info + 4));
    h->height = int32_t(Read32(info + 8));
    h->planes = Read16(info + 12);
    h->bits = Read16(info + 14);
    h->compression = Read32(info + 16);
    h->imageSize = Read32(info + 20);
    h->coloursUsed = Read32(info + 32);
    h->colourBytes = 4;
    return 1;
}

int DepthFitsCompression(uint32_t bits, uint32_t compression) {
    switch (compression) {
    case kNoCompression:
        return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
    case kRle8:
        return bits == 8;
    case kRle4:
        return bits == 4;
    case kBitFields:
        return bits == 16 || bits == 32;
    default:  // JPEG, PNG and whatever else the loader would hand on blindly
        return 0;
    }
}

}  // namespace

int IsSkinBaseName(const char* name) {
    if (name == nullptr || name[0] == 0) return 0;
    for (const char* p = name; *p; ++p)
        if (*p == '\\' || *p == '/' || *p == ':') return 0;
    const int dotsOnly = name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0));
    return !dotsOnly;
}

int IsStoredUnchanged(const char* name) {
    const int length = String::CStrLen(name);
    if (length == 0) return 1;
    const unsigned char first = (unsigned char)name[0], last = (unsigned char)name[length - 1];
    if (first <= ' ' || last <= ' ') return 0;  // blanks and control characters alike
    return !(length > 1 && (first == '"' || first == '\'') && last == first);
}

int SkinFilePath(const char* name, String* path) {
    if (!IsSkinBaseName(name) || !IsStoredUnchanged(name) || IsReservedDeviceName(name)) return 0;
    String full("SKIN\\");
    full += name;
    full += ".bmp";
    if (full.Length() > kMaxSkinPath) return 0;
    *path = full;
    return 1;
}

int IsSkinSheetHeader(const unsigned char* head, int headSize, uint64_t fileSize) {
    if (headSize < kFileHeaderBytes + 4 || uint64_t(headSize) > fileSize) return 0;
    if (head[0] != 'B' || head[1] != 'M') return 0;
    const uint32_t infoSize = Read32(head + kFileHeaderBytes);
    if (infoSize > uint32_t(headSize - kFileHeaderBytes)) return 0;
    SheetHeader h;
    if (!ReadInfoHeader(head + kFileHeaderBytes, infoSize, &h)) return 0;
    if (h.width != kSkinWidth || h.height != kSkinHeight) return 0;
    if (h.planes != 1 || !DepthFitsCompression(h.bits, h.compression)) return 0;
    const int compressed = h.compression == kRle8 || h.compression == kRle4;

    // The colour table follows the info header (and the three masks of bit fields
    // that the 40-byte header leaves out); the loader reads it from there.
    uint64_t tableStart = kFileHeaderBytes + uint64_t(infoSize);
    if (h.compression == kBitFields && infoSize == kInfoHeaderBytes) tableStart += 12;
    if (h.coloursUsed > 256) return 0;
    uint64_t colours = h.coloursUsed;
    if (colours == 0 && h.bits <= 8) colours = uint64_t(1) << h.bits;
    const uint64_t tableEnd = tableStart + colours * h.colourBytes;
    if (tableEnd > fileSize) return 0;

    // The pixels start at the offset in the file header, after the colour table, and
    // the loader reads a whole sheet of rows (or the stated size of the RLE data).
    const uint64_t offset = Read32(head + 10);
    if (offset < tableEnd) return 0;
    const uint64_t rowBytes = (uint64_t(kSkinWidth) * h.bits + 31) / 32 * 4;
    const uint64_t imageBytes = compressed ? h.imageSize : rowBytes * kSkinHeight;
    if (imageBytes == 0) return 0;
    return offset + imageBytes <= fileSize;
}

int IsSkinSheetFile(const char* path) {
    FILE* file = fopen(path, "rb");
    if (file == nullptr) return 0;
    unsigned char head[kSkinHeaderBytes];
    const size_t got = fread(head, 1, sizeof(head), file);
    const long size = fseek(file, 0, SEEK_END) == 0 ? ftell(file) : -1;
    fclose(file);
    return size >= 0 && IsSkinSheetHeader(head, int(got), uint64_t(size));
}
