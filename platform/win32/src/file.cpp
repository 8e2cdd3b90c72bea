// The KERNEL32 file functions over POSIX.
//
// Implements: CreateFileA with the five creation dispositions and Windows'
// share-mode rules (between handles of this process exactly; against other
// processes through advisory flock), ReadFile, WriteFile, FlushFileBuffers,
// GetFileSizeEx, CloseHandle, DeleteFileA, MoveFileExA, GetLastError and
// SetLastError. Paths may use backslashes; trailing blanks and dots of the
// last component are dropped, as Windows does.
//
// Only plain files open: a folder, FIFO, socket or device is refused at once
// with ERROR_ACCESS_DENIED (opened without blocking, then checked), so a name
// that points at a pipe can never hang the caller. A file without any write
// bit carries Windows' read-only attribute: opening it for writing, deleting
// it or moving onto it fails with ERROR_ACCESS_DENIED, for root as well.
//
// MoveFileExA onto a symbolic link that points at nothing yet creates the
// file at the end of the link's chain, so the link stays a link, as a save
// through an existing link updates the file it points to.
//
// Not implemented, and refused with ERROR_NOT_SUPPORTED: overlapped I/O,
// template files, security attributes other than null, and MoveFileExA flags
// other than MOVEFILE_REPLACE_EXISTING and MOVEFILE_WRITE_THROUGH.
#include <windows.h>

#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <stdio.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <string>
#include <vector>

#include "file_internal.h"
#include "platform/host_path.h"

namespace {

thread_local DWORD lastError = ERROR_SUCCESS;

struct FileObject {
    int fd;
    DWORD access;
    DWORD share;
    dev_t device;
    ino_t inode;
};

// Every live file handle of the process; the share-mode check walks it.
std::vector<FileObject*>& openFiles() {
    static std::vector<FileObject*> files;
    return files;
}

}  // namespace

namespace win32 {
namespace file {

DWORD errorFromErrno(int error) {
    switch (error) {
        case ENOENT:
            return ERROR_FILE_NOT_FOUND;
        case ENOTDIR:
            return ERROR_PATH_NOT_FOUND;
        case EACCES:
        case EPERM:
        case EISDIR:
        case EROFS:
            return ERROR_ACCESS_DENIED;
        case EEXIST:
            return ERROR_FILE_EXISTS;
        case EMFILE:
        case ENFILE:
            return ERROR_TOO_MANY_OPEN_FILES;
        case ENOSPC:
        case EDQUOT:
            return ERROR_DISK_FULL;
        case EFBIG:
            return ERROR_FILE_TOO_LARGE;
        case ENAMETOOLONG:
            return ERROR_FILENAME_EXCED_RANGE;
        case ENOMEM:
            return ERROR_NOT_ENOUGH_MEMORY;
        case EWOULDBLOCK:
            return ERROR_SHARING_VIOLATION;
        case EBUSY:
            return ERROR_SHARING_VIOLATION;
        case ENOTEMPTY:
            return ERROR_DIR_NOT_EMPTY;
        case EINVAL:
            return ERROR_INVALID_PARAMETER;
        default:
            return ERROR_INVALID_FUNCTION;
    }
}

DWORD notFoundError(const std::string& path) {
    size_t slash = path.find_last_of('/');
    if (slash == std::string::npos || slash == 0) return ERROR_FILE_NOT_FOUND;
    struct stat st;
    if (stat(path.substr(0, slash).c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        return ERROR_PATH_NOT_FOUND;
    return ERROR_FILE_NOT_FOUND;
}

// True while some handle of this process holds the file without letting it be
// deleted or replaced.
bool heldAgainstDelete(const std::string& path) {
    struct stat st;
    if (stat(path.c_str(), &st) != 0) return false;
    for (const FileObject* held : openFiles())
        if (held->device == st.st_dev && held->inode == st.st_ino &&
            !(held->share & FILE_SHARE_DELETE))
            return true;
    return false;
}

void flushFolderOf(const std::string& path) {
    size_t slash = path.find_last_of('/');
    std::string folder = slash == std::string::npos ? "." : path.substr(0, slash);
    if (folder.empty()) folder = "/";
    int dir = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0) return;
    fsync(dir);
    close(dir);
}

}  // namespace file
}  // namespace win32

namespace {

using namespace win32::file;

template <typename T>
T fail(DWORD error, T result) {
    lastError = error;
    return result;
}

bool sharesWith(const FileObject& held, DWORD access, DWORD share) {
    if ((access & GENERIC_READ) && !(held.share & FILE_SHARE_READ)) return false;
    if ((access & GENERIC_WRITE) && !(held.share & FILE_SHARE_WRITE)) return false;
    if ((held.access & GENERIC_READ) && !(share & FILE_SHARE_READ)) return false;
    if ((held.access & GENERIC_WRITE) && !(share & FILE_SHARE_WRITE)) return false;
    return true;
}

bool sharingAllows(const struct stat& st, DWORD access, DWORD share) {
    for (const FileObject* held : openFiles())
        if (held->device == st.st_dev && held->inode == st.st_ino &&
            !sharesWith(*held, access, share))
            return false;
    return true;
}

FileObject* fileFromHandle(HANDLE handle) {
    auto& files = openFiles();
    auto it = std::find(files.begin(), files.end(), static_cast<FileObject*>(handle));
    return it == files.end() ? nullptr : *it;
}

int openFlags(DWORD access, DWORD disposition) {
    int flags = O_CLOEXEC;
    if ((access & GENERIC_READ) && (access & GENERIC_WRITE))
        flags |= O_RDWR;
    else if (access & GENERIC_WRITE)
        flags |= O_WRONLY;
    else
        flags |= O_RDONLY;
    switch (disposition) {
        case CREATE_NEW:
            flags |= O_CREAT | O_EXCL;
            break;
        case CREATE_ALWAYS:
        case OPEN_ALWAYS:
            flags |= O_CREAT;
            break;
        default:
            break;
    }
    return flags;
}

bool validDisposition(DWORD disposition) {
    return disposition >= CREATE_NEW && disposition <= TRUNCATE_EXISTING;
}

// What Windows answers for an existing name before anything is opened.
DWORD refusalBeforeOpen(const struct stat& st, DWORD access) {
    if (!S_ISREG(st.st_mode)) return ERROR_ACCESS_DENIED;
    if ((access & GENERIC_WRITE) && readOnlyAttribute(st)) return ERROR_ACCESS_DENIED;
    return ERROR_SUCCESS;
}

// Opens without blocking (a FIFO swapped in after the check must not hang
// the open) and keeps the descriptor only for a plain file; -1 with the
// error in lastError otherwise.
int openPlainFile(const std::string& path, int flags) {
    int fd = open(path.c_str(), flags | O_NONBLOCK | O_NOCTTY, 0666);
    if (fd < 0) {
        lastError = errno == ENOENT ? notFoundError(path) : errorFromErrno(errno);
        return -1;
    }
    struct stat st;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        close(fd);
        lastError = ERROR_ACCESS_DENIED;
        return -1;
    }
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

}  // namespace

namespace {

// The name a symbolic link to nothing stands for, followed through a chain of
// links; the name itself when it is not a link; empty for a loop of links.
std::string endOfLinkChain(const std::string& path) {
    std::string current = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st;
        if (lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return current;
        char target[PATH_MAX];
        const ssize_t length = readlink(current.c_str(), target, sizeof target - 1);
        if (length <= 0) return current;
        target[length] = '\0';
        const size_t slash = current.rfind('/');
        const bool relative = target[0] != '/' && slash != std::string::npos;
        current = relative ? current.substr(0, slash + 1) + target : std::string(target);
    }
    return std::string();
}

}  // namespace

extern "C" {

DWORD WINAPI GetLastError(void) {
    return lastError;
}

void WINAPI SetLastError(DWORD error) {
    lastError = error;
}

HANDLE WINAPI CreateFileA(LPCSTR fileName, DWORD desiredAccess, DWORD shareMode,
                          LPSECURITY_ATTRIBUTES security, DWORD creationDisposition,
                          DWORD flagsAndAttributes, HANDLE templateFile) {
    if (!fileName || !*fileName || !validDisposition(creationDisposition))
        return fail(ERROR_INVALID_PARAMETER, INVALID_HANDLE_VALUE);
    if (security || templateFile) return fail(ERROR_NOT_SUPPORTED, INVALID_HANDLE_VALUE);
    if (creationDisposition == TRUNCATE_EXISTING && !(desiredAccess & GENERIC_WRITE))
        return fail(ERROR_INVALID_PARAMETER, INVALID_HANDLE_VALUE);

    const std::string path = platform::hostPath(fileName);
    struct stat before;
    const bool existed = stat(path.c_str(), &before) == 0;
    DWORD refusal = existed ? refusalBeforeOpen(before, desiredAccess) : ERROR_SUCCESS;
    if (refusal != ERROR_SUCCESS) return fail(refusal, INVALID_HANDLE_VALUE);

    int fd = openPlainFile(path, openFlags(desiredAccess, creationDisposition));
    if (fd < 0) return fail(lastError, INVALID_HANDLE_VALUE);
    struct stat st;
    fstat(fd, &st);
    if (!sharingAllows(st, desiredAccess, shareMode)) {
        close(fd);
        return fail(ERROR_SHARING_VIOLATION, INVALID_HANDLE_VALUE);
    }
    // Other processes of this layer see the share mode through flock.
    if (flock(fd, (shareMode == 0 ? LOCK_EX : LOCK_SH) | LOCK_NB) != 0) {
        DWORD error = errno == EWOULDBLOCK ? ERROR_SHARING_VIOLATION : errorFromErrno(errno);
        close(fd);
        return fail(error, INVALID_HANDLE_VALUE);
    }
    // Truncate only once the share check has passed: a refused open must not
    // destroy the file another handle is using.
    bool truncate =
        creationDisposition == CREATE_ALWAYS || creationDisposition == TRUNCATE_EXISTING;
    if (truncate && ftruncate(fd, 0) != 0) {
        DWORD error = errorFromErrno(errno);
        close(fd);
        return fail(error, INVALID_HANDLE_VALUE);
    }

    auto* file = new FileObject{fd, desiredAccess, shareMode, st.st_dev, st.st_ino};
    openFiles().push_back(file);
    bool reportsExisting =
        creationDisposition == OPEN_ALWAYS || creationDisposition == CREATE_ALWAYS;
    lastError = (existed && reportsExisting) ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS;
    return file;
}

BOOL WINAPI ReadFile(HANDLE handle, LPVOID buffer, DWORD bytesToRead, LPDWORD bytesRead,
                     LPOVERLAPPED overlapped) {
    if (bytesRead) *bytesRead = 0;
    FileObject* file = fileFromHandle(handle);
    if (!file) return fail(ERROR_INVALID_HANDLE, FALSE);
    if (overlapped) return fail(ERROR_NOT_SUPPORTED, FALSE);
    if (!(file->access & GENERIC_READ)) return fail(ERROR_ACCESS_DENIED, FALSE);
    if (!buffer && bytesToRead) return fail(ERROR_INVALID_PARAMETER, FALSE);

    DWORD done = 0;
    while (done < bytesToRead) {
        ssize_t got = read(file->fd, static_cast<char*>(buffer) + done, bytesToRead - done);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return fail(ERROR_READ_FAULT, FALSE);
        if (got == 0) break;  // end of file: success with fewer bytes, as on Windows
        done += static_cast<DWORD>(got);
        if (bytesRead) *bytesRead = done;
    }
    lastError = ERROR_SUCCESS;
    return TRUE;
}

BOOL WINAPI WriteFile(HANDLE handle, LPCVOID buffer, DWORD bytesToWrite, LPDWORD bytesWritten,
                      LPOVERLAPPED overlapped) {
    if (bytesWritten) *bytesWritten = 0;
    FileObject* file = fileFromHandle(handle);
    if (!file) return fail(ERROR_INVALID_HANDLE, FALSE);
    if (overlapped) return fail(ERROR_NOT_SUPPORTED, FALSE);
    if (!(file->access & GENERIC_WRITE)) return fail(ERROR_ACCESS_DENIED, FALSE);
    if (!buffer && bytesToWrite) return fail(ERROR_INVALID_PARAMETER, FALSE);

    DWORD done = 0;
    while (done < bytesToWrite) {
        ssize_t put = write(file->fd, static_cast<const char*>(buffer) + done, bytesToWrite - done);
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) return fail(put < 0 ? errorFromErrno(errno) : ERROR_WRITE_FAULT, FALSE);
        done += static_cast<DWORD>(put);
        if (bytesWritten) *bytesWritten = done;
    }
    lastError = ERROR_SUCCESS;
    return TRUE;
}

BOOL WINAPI FlushFileBuffers(HANDLE handle) {
    FileObject* file = fileFromHandle(handle);
    if (!file) return fail(ERROR_INVALID_HANDLE, FALSE);
    if (!(file->access & GENERIC_WRITE)) return fail(ERROR_ACCESS_DENIED, FALSE);
    if (fsync(file->fd) != 0) return fail(errorFromErrno(errno), FALSE);
    return TRUE;
}

BOOL WINAPI GetFileSizeEx(HANDLE handle, PLARGE_INTEGER size) {
    FileObject* file = fileFromHandle(handle);
    if (!file) return fail(ERROR_INVALID_HANDLE, FALSE);
    if (!size) return fail(ERROR_INVALID_PARAMETER, FALSE);
    struct stat st;
    if (fstat(file->fd, &st) != 0) return fail(errorFromErrno(errno), FALSE);
    size->QuadPart = st.st_size;
    return TRUE;
}

BOOL WINAPI CloseHandle(HANDLE handle) {
    FileObject* file = fileFromHandle(handle);
    if (!file) return fail(ERROR_INVALID_HANDLE, FALSE);
    auto& files = openFiles();
    files.erase(std::find(files.begin(), files.end(), file));
    close(file->fd);  // also drops the flock
    delete file;
    return TRUE;
}

BOOL WINAPI DeleteFileA(LPCSTR fileName) {
    if (!fileName || !*fileName) return fail(ERROR_INVALID_PARAMETER, FALSE);
    const std::string path = platform::hostPath(fileName);
    if (heldAgainstDelete(path)) return fail(ERROR_SHARING_VIOLATION, FALSE);
    struct stat st;
    if (stat(path.c_str(), &st) == 0 && (S_ISDIR(st.st_mode) || readOnlyAttribute(st)))
        return fail(ERROR_ACCESS_DENIED, FALSE);
    if (unlink(path.c_str()) != 0)
        return fail(errno == ENOENT ? notFoundError(path) : errorFromErrno(errno), FALSE);
    return TRUE;
}

BOOL WINAPI MoveFileExA(LPCSTR existingFileName, LPCSTR newFileName, DWORD flags) {
    if (!existingFileName || !*existingFileName || !newFileName || !*newFileName)
        return fail(ERROR_INVALID_PARAMETER, FALSE);
    if (flags & ~(MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return fail(ERROR_NOT_SUPPORTED, FALSE);
    const std::string from = platform::hostPath(existingFileName);
    std::string to = platform::hostPath(newFileName);
    struct stat st;
    if (stat(from.c_str(), &st) != 0) return fail(notFoundError(from), FALSE);
    if (stat(to.c_str(), &st) != 0) {
        to = endOfLinkChain(to);
        if (to.empty()) return fail(ERROR_CANT_RESOLVE_FILENAME, FALSE);
    }
    if (heldAgainstDelete(from) || heldAgainstDelete(to))
        return fail(ERROR_SHARING_VIOLATION, FALSE);

    if (!(flags & MOVEFILE_REPLACE_EXISTING)) {
        // A hard link fails when the target exists, which rename() would not.
        if (link(from.c_str(), to.c_str()) != 0)
            return fail(errno == EEXIST ? ERROR_ALREADY_EXISTS : errorFromErrno(errno), FALSE);
        unlink(from.c_str());
        return TRUE;
    }
    if (lstat(to.c_str(), &st) == 0 && (S_ISDIR(st.st_mode) || readOnlyAttribute(st)))
        return fail(ERROR_ACCESS_DENIED, FALSE);
    if (rename(from.c_str(), to.c_str()) != 0)
        return fail(errno == ENOENT ? notFoundError(to) : errorFromErrno(errno), FALSE);
    if (flags & MOVEFILE_WRITE_THROUGH) flushFolderOf(to);
    return TRUE;
}

}  // extern "C"
