#include "file_replace.h"

#include <cstdio>
#include <cstring>

namespace {

// FNV-1a: a short stable fingerprint of the target's name. Trailing blanks
// and dots are left out, as the system drops them: "a.trk " and "a.trk" are
// one file, so they share one temporary name.
unsigned nameHash(const char* name) {
    const char* end = name + std::strlen(name);
    while (end > name && (end[-1] == ' ' || end[-1] == '.')) --end;
    if (end == name) end = name + std::strlen(name);
    unsigned hash = 2166136261u;
    for (const char* p = name; p < end; ++p)
        hash = (hash ^ static_cast<unsigned char>(*p)) * 16777619u;
    return hash;
}

// A stale temporary of an interrupted save is removed first; CREATE_NEW then
// never follows a link someone else left under that name.
HANDLE createTemporary(const std::string& temporary) {
    DeleteFileA(temporary.c_str());
    return CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                       FILE_ATTRIBUTE_ARCHIVE, nullptr);
}

// The refusal for an existing target, before anything is written.
DWORD targetRefusal(DWORD attributes) {
    if (attributes == INVALID_FILE_ATTRIBUTES) return ERROR_SUCCESS;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return ERROR_DIRECTORY;
    if (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DEVICE)) return ERROR_ACCESS_DENIED;
    return ERROR_SUCCESS;
}

// An existing target keeps its identity (links, permissions, owner); a new
// one is simply moved into place.
BOOL swapIn(const std::string& temporary, const char* path, bool exists) {
    const DWORD keep = REPLACEFILE_IGNORE_MERGE_ERRORS | REPLACEFILE_IGNORE_ACL_ERRORS;
    if (exists && ReplaceFileA(path, temporary.c_str(), nullptr, keep, nullptr, nullptr))
        return TRUE;
    if (exists && GetLastError() != ERROR_FILE_NOT_FOUND) return FALSE;
    return MoveFileExA(temporary.c_str(), path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

}  // namespace

std::string temporaryPathFor(const char* path, const char* kind) {
    const char* name = path;
    for (const char* p = path; *p; ++p)
        if (*p == '\\' || *p == '/') name = p + 1;
    char temporary[32];
    std::snprintf(temporary, sizeof temporary, "~%.3s%08x.tmp", kind, nameHash(name));
    return std::string(path, size_t(name - path)) + temporary;
}

DWORD replaceFileContents(const char* path, const char* kind, WriteContent write,
                          const void* context) {
    const DWORD attributes = GetFileAttributesA(path);
    DWORD error = targetRefusal(attributes);
    if (error != ERROR_SUCCESS) return error;
    const std::string temporary = temporaryPathFor(path, kind);
    HANDLE file = createTemporary(temporary);
    if (file == INVALID_HANDLE_VALUE) return GetLastError();
    bool written = write(file, context) && FlushFileBuffers(file);
    error = written ? ERROR_SUCCESS : GetLastError();
    if (!written && error == ERROR_SUCCESS) error = ERROR_WRITE_FAULT;
    if (!CloseHandle(file) && written) error = GetLastError();
    if (error == ERROR_SUCCESS &&
        swapIn(temporary, path, attributes != INVALID_FILE_ATTRIBUTES))
        return ERROR_SUCCESS;
    if (error == ERROR_SUCCESS) error = GetLastError();
    DeleteFileA(temporary.c_str());
    return error == ERROR_SUCCESS ? ERROR_WRITE_FAULT : error;
}

std::string fileErrorText(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
            return "the file does not exist";
        case ERROR_PATH_NOT_FOUND:
            return "the folder does not exist";
        case ERROR_ACCESS_DENIED:
            return "access is denied";
        case ERROR_SHARING_VIOLATION:
            return "the file is in use";
        case ERROR_DISK_FULL:
            return "the disk is full";
        case ERROR_FILE_TOO_LARGE:
            return "the file is too large for the system";
        case ERROR_FILENAME_EXCED_RANGE:
            return "the name is too long";
        case ERROR_INVALID_NAME:
            return "the name is not valid";
        case ERROR_DIRECTORY:
            return "it is a folder";
        case ERROR_CANT_RESOLVE_FILENAME:
            return "its links lead round in a circle";
        default:
            return "write failed (error " + std::to_string(error) + ")";
    }
}
