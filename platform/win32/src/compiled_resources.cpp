// The program's compiled resources (registered by the resource compiler's
// generated file) and LoadIconA. Resources are looked up by number; named
// resources and the system's stock icons are not provided.
#include <windows.h>

#include <map>
#include <vector>

#include "icon.h"
#include "platform/resource_table.h"

namespace platform {
namespace {

std::vector<const ResourceTable*>& tables() {
    static std::vector<const ResourceTable*> registered;
    return registered;
}

}  // namespace

bool registerResources(const ResourceTable* table) {
    tables().push_back(table);
    return true;
}

const DialogResource* findDialogResource(int id) {
    for (const ResourceTable* table : tables())
        for (size_t i = 0; i < table->dialogCount; ++i)
            if (table->dialogs[i].id == id) return &table->dialogs[i];
    return nullptr;
}

const IconResource* findIconResource(int id) {
    for (const ResourceTable* table : tables())
        for (size_t i = 0; i < table->iconCount; ++i)
            if (table->icons[i].id == id) return &table->icons[i];
    return nullptr;
}

const AcceleratorResource* findAcceleratorResource(int id) {
    for (const ResourceTable* table : tables())
        for (size_t i = 0; i < table->acceleratorCount; ++i)
            if (table->accelerators[i].id == id) return &table->accelerators[i];
    return nullptr;
}

}  // namespace platform

HICON WINAPI LoadIconA(HINSTANCE instance, LPCSTR iconName) {
    static std::map<int, win32::Icon> loaded;
    const platform::IconResource* resource =
        IS_INTRESOURCE(iconName) ? platform::findIconResource(LOWORD(iconName)) : nullptr;
    if (!resource) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    // Loading the same icon twice gives the same handle, as on Windows.
    auto it = loaded.find(resource->id);
    if (it == loaded.end()) {
        win32::Icon icon;
        icon.id = resource->id;
        win32::decodeIcon(resource->bytes, resource->size, &icon);
        it = loaded.emplace(resource->id, std::move(icon)).first;
    }
    return reinterpret_cast<HICON>(&it->second);
}
