// The tables the resource compiler generates from a program's .rc file, and
// how they reach the window layer: the generated file registers them when the
// program starts.
#ifndef KELVANE_PLATFORM_RESOURCE_TABLE_H
#define KELVANE_PLATFORM_RESOURCE_TABLE_H

#include <stddef.h>
#include <stdint.h>

namespace platform {

struct DialogItemResource {
    const char* className;  // "BUTTON", "EDIT", "STATIC" or "COMBOBOX"
    const char* text;
    uint32_t style;
    uint32_t exStyle;
    int x, y, cx, cy;  // dialog units
    int id;
};

struct DialogResource {
    int id;
    uint32_t style;
    uint32_t exStyle;
    int x, y, cx, cy;  // dialog units
    const char* caption;
    const char* fontFace;  // null without a FONT statement
    int fontPointSize;
    const DialogItemResource* items;
    size_t itemCount;
};

struct IconResource {
    int id;
    const unsigned char* bytes;  // the .ico file as it was
    size_t size;
};

// One ACCEL of an accelerator table: FVIRTKEY, FSHIFT, FCONTROL, FALT and
// FNOINVERT flags, the virtual key or character, the command id.
struct AcceleratorEntryResource {
    uint8_t flags;
    uint16_t key;
    uint16_t command;
};

struct AcceleratorResource {
    int id;
    const AcceleratorEntryResource* entries;
    size_t entryCount;
};

struct ResourceTable {
    const DialogResource* dialogs;
    size_t dialogCount;
    const IconResource* icons;
    size_t iconCount;
    const AcceleratorResource* accelerators;
    size_t acceleratorCount;
};

// Called from the generated file's static initialiser.
bool registerResources(const ResourceTable* table);

const DialogResource* findDialogResource(int id);
const IconResource* findIconResource(int id);
const AcceleratorResource* findAcceleratorResource(int id);

}  // namespace platform

#endif
