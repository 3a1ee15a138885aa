// Whether a name typed in the Save-name dialog can be a plain file in the save folder.
#include "files/game_files.h"
#include "core/names.h"

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
