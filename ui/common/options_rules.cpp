#include "ui/common/options_rules.h"

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
    int length = String::CStrLen(found);
    if (length <= 0) return 0;
    String folder("SKIN\\");
    // Applying the row loads "SKIN\" + row text + ".bmp": no longer than the path.
    if (folder.Length() + length > kMaxSkinPath) return 0;
    int kept = length >= 4 ? length - 4 : length;
    if (kept == 0) return 0;  // ".bmp" alone leaves no name to store
    String text(found);
    String cut;
    cut.AssignMid(&text, 0, kept);
    *path = folder + text;
    *rowText = cut;
    return 1;
}
