// Icons as the layer keeps them: the picture of an .ico file's first image.
#ifndef KELVANE_WIN32_ICON_H
#define KELVANE_WIN32_ICON_H

#include <windows.h>

#include <string>
#include <vector>

namespace win32 {

struct Icon {
    int id = 0;
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgba;  // rows top-down; empty when not decodable
};

// Decodes the first image of an .ico file when it is a 32-bit or 24-bit
// bitmap; returns false (with a reason) for anything else, leaving no picture.
bool decodeIcon(const unsigned char* bytes, size_t size, Icon* icon, std::string* reason = nullptr);
const Icon* iconFromHandle(HICON handle);

}  // namespace win32

#endif
