#include "resource_report.h"

#include <windows.h>
#include <d3d9.h>

#include "shared_textures.h"

std::string resourceFailureText(ResourceFailure failure) {
    switch (failure) {
        case ResourceFailure::NotFound:
            return "not found";
        case ResourceFailure::Unreadable:
            return "cannot be read";
        case ResourceFailure::NotAnImage:
            return "not an image";
        case ResourceFailure::NotAMesh:
            return "not a mesh";
        case ResourceFailure::TooLarge:
            return "too large";
        case ResourceFailure::RefusedName:
            return "refused name (outside the folder)";
        case ResourceFailure::PathTooLong:
            return "path too long";
        case ResourceFailure::OverBudget:
            return "too large: passes the texture memory budget of " +
                   std::to_string(sharedTextures.budget() >> 20) + " MiB; loading stopped here";
    }
    return "cannot be loaded";
}

void ResourceReport::add(const std::string& name, ResourceFailure reason) {
    if (reason == ResourceFailure::OverBudget) stopped = true;
    for (const Entry& entry : entries)
        if (entry.name == name) return;
    entries.push_back({name, reason});
}

ResourceFailure classifyLoadFailure(const char* path, HRESULT result, ResourceFailure readable) {
    if (result == E_OUTOFMEMORY || result == D3DERR_OUTOFVIDEOMEMORY)
        return ResourceFailure::TooLarge;
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND
                   ? ResourceFailure::NotFound
                   : ResourceFailure::Unreadable;
    }
    CloseHandle(file);
    return readable;
}
