// The car file is replaced whole: the record goes to a temporary file beside
// the target, which the system's replace then swaps in, keeping the target's
// links, permission bits and owner. Whatever fails leaves the old file as it
// was and no temporary file behind.
#include "car_file.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {

std::string reasonForError(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
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
            return "error " + std::to_string(error);
    }
}

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

// One temporary name per target, as short for a long name as for a short
// one; a save cut off by a crash leaves at most this one file, and the next
// save removes it before creating it anew (CREATE_NEW never follows a link
// someone else left under that name).
HANDLE createTemporary(const char* path, std::string* temporary) {
    const char* name = path;
    for (const char* p = path; *p; ++p)
        if (*p == '\\' || *p == '/') name = p + 1;
    char own[32];
    std::snprintf(own, sizeof own, "~car%08x.tmp", nameHash(name));
    *temporary = std::string(path, size_t(name - path)) + own;
    DeleteFileA(temporary->c_str());
    return CreateFileA(temporary->c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                       FILE_ATTRIBUTE_ARCHIVE, nullptr);
}

DWORD targetRefusal(DWORD attributes) {
    if (attributes == INVALID_FILE_ATTRIBUTES) return ERROR_SUCCESS;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return ERROR_DIRECTORY;
    if (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DEVICE)) return ERROR_ACCESS_DENIED;
    return ERROR_SUCCESS;
}

bool writeAll(HANDLE file, const CarRecord& record) {
    DWORD written = 0;
    return WriteFile(file, &record, sizeof record, &written, nullptr) && written == sizeof record &&
           FlushFileBuffers(file);
}

BOOL swapIn(const std::string& temporary, const char* path, bool exists) {
    const DWORD keep = REPLACEFILE_IGNORE_MERGE_ERRORS | REPLACEFILE_IGNORE_ACL_ERRORS;
    if (exists && ReplaceFileA(path, temporary.c_str(), nullptr, keep, nullptr, nullptr))
        return TRUE;
    if (exists && GetLastError() != ERROR_FILE_NOT_FOUND) return FALSE;
    return MoveFileExA(temporary.c_str(), path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

}  // namespace

bool writeCarFile(const char* path, const CarRecord& record, std::string* reason) {
    if (!path || !*path) {
        *reason = "no file name is given";
        return false;
    }
    const DWORD attributes = GetFileAttributesA(path);
    DWORD error = targetRefusal(attributes);
    std::string temporary;
    HANDLE file = error == ERROR_SUCCESS ? createTemporary(path, &temporary) : INVALID_HANDLE_VALUE;
    if (file == INVALID_HANDLE_VALUE) {
        *reason = reasonForError(error != ERROR_SUCCESS ? error : GetLastError());
        return false;
    }
    bool written = writeAll(file, record);
    error = written ? ERROR_SUCCESS : GetLastError();
    if (!written && error == ERROR_SUCCESS) error = ERROR_WRITE_FAULT;
    if (!CloseHandle(file) && written) error = GetLastError();
    if (error == ERROR_SUCCESS &&
        swapIn(temporary, path, attributes != INVALID_FILE_ATTRIBUTES))
        return true;
    if (error == ERROR_SUCCESS) error = GetLastError();
    DeleteFileA(temporary.c_str());
    *reason = reasonForError(error);
    return false;
}
