// Whether a name typed in the Save-name dialog can be a plain file in the save folder.
#include "files/game_files.h"
#include "core/names.h"

namespace {

char Upper(char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; }

// Windows opens a device, not a file, for these names, whatever follows the first dot
// and whatever spaces stand before it.
int IsReservedDeviceName(const char* name) {
    int end = 0;
    while (name[end] && name[end] != '.') ++end;
    while (end > 0 && name[end - 1] == ' ') --end;
    char base[5] = {};
    if (end < 3 || end > 4) return 0;
    for (int i = 0; i < end; ++i) base[i] = Upper(name[i]);
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

}  // namespace

const char* SaveNameRefusal(const char* name) {
    if (!name || !name[0]) return 0;
    int onlyDots = 1, length = 0;
    for (const char* p = name; *p; ++p, ++length) {
        const unsigned char c = (unsigned char)*p;
        if (c < 32 || c == 127) return "The name holds a control character.\nPlease type the name again.";
        if (IsRefusedFileNameChar(*p))
            return "A file name cannot hold any of the characters < > \" \\ / * ? : |\nPlease correct the name.";
        if (*p != '.') onlyDots = 0;
    }
    if (onlyDots) return "A file name cannot be made of dots only.\nPlease choose another name.";
    if (name[length - 1] == '.' || name[length - 1] == ' ')
        return "A file name cannot end with a dot or a space.\nPlease correct the name.";
    if (IsReservedDeviceName(name))
        return "Windows keeps this name for a device.\nPlease choose another name.";
    return 0;
}

String SaveFilePath(const char* name, const char* extension) {
    return String(kSaveFolder) + "\\" + name + extension;
}
