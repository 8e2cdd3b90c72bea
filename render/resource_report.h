// The files a Load or a Browse could not turn into textures or meshes, and
// why, gathered so the user hears of them once.
#ifndef KELVANE_RENDER_RESOURCE_REPORT_H
#define KELVANE_RENDER_RESOURCE_REPORT_H

#include <windows.h>

#include <string>
#include <vector>

enum class ResourceFailure {
    NotFound,
    Unreadable,
    NotAnImage,
    NotAMesh,
    TooLarge,
    RefusedName,
    PathTooLong,
    OverBudget,
};

// A few words for the user, e.g. "not found".
std::string resourceFailureText(ResourceFailure failure);

// Why a D3DX load of the file at path failed with result: out of memory, a
// file that is missing or cannot be opened, or else `readable` (the bytes
// were not what the loader reads). The file is looked at only after the
// load failed.
ResourceFailure classifyLoadFailure(const char* path, HRESULT result, ResourceFailure readable);

struct ResourceReport {
    struct Entry {
        std::string name;
        ResourceFailure reason;
    };
    // One entry per name, in the order the failures happened.
    std::vector<Entry> entries;
    // Set when a texture would have passed the budget: loading stopped there.
    bool stopped = false;

    void add(const std::string& name, ResourceFailure reason);
    bool empty() const { return entries.empty(); }
};

#endif
