#include "ui/common/options_rules.h"
#include "ui/common/skin_file.h"

namespace {

uint32_t ByteOf(uint32_t colour, int index) { return (colour >> (8 * index)) & 0xFF; }

// Applies `change` to each of the three bytes and packs them back.
template <typename Change>
uint32_t EachByte(uint32_t colour, Change change) {
    uint32_t result = 0;
    for (int i = 0; i < 3; ++i) result |= change(ByteOf(colour, i)) << (8 * i);
    return result;
}

}  // namespace

void ClearColourSums(ColourSums* sums) {
    sums->byte[0] = sums->byte[1] = sums->byte[2] = 0;
    sums->count = 0;
}

void AddColour(ColourSums* sums, uint32_t colour) {
    for (int i = 0; i < 3; ++i) sums->byte[i] += ByteOf(colour, i);
    sums->count += 1;
}

uint32_t AverageColour(const ColourSums& sums) {
    if (sums.count == 0) return 0;
    uint32_t result = 0;
    for (int i = 0; i < 3; ++i) result |= uint32_t(sums.byte[i] / sums.count) << (8 * i);
    return result;
}

uint32_t DarkerBackground(uint32_t average) {
    return EachByte(average, [](uint32_t v) { return v - v / 10; });
}

uint32_t BrighterInk(uint32_t average) {
    return EachByte(average, [](uint32_t v) {
        uint32_t brighter = v + v / 5;
        return brighter > 255 ? 255u : brighter;
    });
}

int SkinListEntry(const char* found, String* path, String* rowText) {
    const int length = String::CStrLen(found);
    if (length <= 4) return 0;  // ".bmp" alone leaves no name to store
    // The search matches ".bmp" in any letter case, as the file system does.
    const char* extension = found + length - 4;
    const char* bmp = ".bmp";
    for (int i = 0; i < 4; ++i) {
        char c = extension[i];
        if ((c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c) != bmp[i]) return 0;
    }
    String text(found);
    String cut;
    cut.AssignMid(&text, 0, length - 4);
    if (!SkinFilePath(cut.CStr(), path)) return 0;
    *rowText = cut;
    return 1;
}
