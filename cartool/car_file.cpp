// The car file is replaced whole: the record goes to a temporary file beside
// the target, which the system's replace then swaps in, keeping the target's
// links, permission bits and owner. Whatever fails leaves the old file as it
// was and no temporary file behind.
#include "car_file.h"

#include <windows.h>

#include "file_replace.h"

namespace {

// Dorvik's own words where they differ from the shared ones.
std::string reasonForError(DWORD error) {
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
        return "the folder does not exist";
    return fileErrorText(error);
}

bool writeRecord(HANDLE file, const void* context) {
    const CarRecord& record = *static_cast<const CarRecord*>(context);
    DWORD written = 0;
    return WriteFile(file, &record, sizeof record, &written, nullptr) && written == sizeof record;
}

}  // namespace

bool writeCarFile(const char* path, const CarRecord& record, std::string* reason) {
    if (!path || !*path) {
        *reason = "no file name is given";
        return false;
    }
    const DWORD error = replaceFileContents(path, "car", writeRecord, &record);
    if (error == ERROR_SUCCESS) return true;
    *reason = reasonForError(error);
    return false;
}
