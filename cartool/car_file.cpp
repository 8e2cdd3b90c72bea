#include "car_file.h"

#include <windows.h>

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
        case ERROR_FILENAME_EXCED_RANGE:
            return "the name is too long";
        case ERROR_INVALID_NAME:
            return "the name is not valid";
        default:
            return "error " + std::to_string(error);
    }
}

// A name beside the target no other file has; CREATE_NEW never overwrites.
HANDLE createTemporary(const std::string& path, std::string* temporary) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        *temporary = path + ".tmp" + (attempt ? std::to_string(attempt) : std::string());
        HANDLE file = CreateFileA(temporary->c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_ARCHIVE, nullptr);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) return file;
    }
    SetLastError(ERROR_FILE_EXISTS);
    return INVALID_HANDLE_VALUE;
}

bool writeAll(HANDLE file, const CarRecord& record) {
    DWORD written = 0;
    return WriteFile(file, &record, sizeof record, &written, nullptr) && written == sizeof record &&
           FlushFileBuffers(file);
}

}  // namespace

bool writeCarFile(const char* path, const CarRecord& record, std::string* reason) {
    if (!path || !*path) {
        *reason = "no file name is given";
        return false;
    }
    std::string temporary;
    HANDLE file = createTemporary(path, &temporary);
    if (file == INVALID_HANDLE_VALUE) {
        *reason = reasonForError(GetLastError());
        return false;
    }
    bool written = writeAll(file, record);
    DWORD error = GetLastError();
    if (!CloseHandle(file) && written) {
        written = false;
        error = GetLastError();
    }
    if (written &&
        MoveFileExA(temporary.c_str(), path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    if (written) error = GetLastError();
    DeleteFileA(temporary.c_str());
    *reason = reasonForError(error);
    return false;
}
