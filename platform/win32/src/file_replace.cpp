// ReplaceFileA and GetFileAttributesA over POSIX.
//
// ReplaceFileA gives the replacement the replaced file's identity, as Windows
// keeps the replaced file's attributes and security: its permission bits, and
// its owner and group where the process may set them (a failure there is an
// error unless REPLACEFILE_IGNORE_ACL_ERRORS is given). The replaced name is
// followed through symbolic links, so the file a link points to is replaced
// and the link stays a link. A file with more than one name (hard links), or
// one the replacement cannot be renamed onto (another file system, a folder
// the process may not write), is updated in place so every name shows the new
// content; space for it is reserved first, so running out of room fails
// before a byte of the old file changes. The folder is flushed after the
// rename, so a replace that returned survives a power cut.
//
// Refused with ERROR_ACCESS_DENIED, nothing changed: a replaced file with the
// read-only attribute (no write bit at all, which binds root too), one the
// process may not write, and anything that is not a plain file. Not
// implemented, and refused with ERROR_NOT_SUPPORTED: backup files, the
// exclude and reserved arguments, and flags other than
// REPLACEFILE_IGNORE_MERGE_ERRORS and REPLACEFILE_IGNORE_ACL_ERRORS.
#include <windows.h>

#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "file_internal.h"
#include "platform/host_path.h"

namespace {

using namespace win32::file;

BOOL failWith(DWORD error) {
    SetLastError(error);
    return FALSE;
}

// The file a name finally stands for, links followed; empty when missing.
std::string resolvedPath(const std::string& path) {
    char resolved[PATH_MAX];
    return realpath(path.c_str(), resolved) ? std::string(resolved) : std::string();
}

DWORD refusalOfReplaced(const std::string& path, const struct stat& st) {
    if (!S_ISREG(st.st_mode) || readOnlyAttribute(st)) return ERROR_ACCESS_DENIED;
    if (faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0) return ERROR_ACCESS_DENIED;
    if (heldAgainstDelete(path)) return ERROR_SHARING_VIOLATION;
    return ERROR_SUCCESS;
}

// The permission bits must follow (a private file must never end up more
// open than it was); owner and group follow where the process may set them,
// the group alone when the owner cannot be given away.
DWORD takeIdentity(const std::string& replacement, const struct stat& st, DWORD flags) {
    if (chmod(replacement.c_str(), st.st_mode & 07777) != 0) return errorFromErrno(errno);
    bool owners = chown(replacement.c_str(), st.st_uid, st.st_gid) == 0 ||
                  chown(replacement.c_str(), uid_t(-1), st.st_gid) == 0;
    if (!owners && !(flags & REPLACEFILE_IGNORE_ACL_ERRORS)) return ERROR_ACCESS_DENIED;
    return ERROR_SUCCESS;
}

// 0 or the errno of the first failing step.
int copyAll(int from, int to) {
    std::vector<char> buffer(1 << 20);
    for (;;) {
        ssize_t got = read(from, buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return errno;
        if (got == 0) return 0;
        for (ssize_t done = 0; done < got;) {
            ssize_t put = write(to, buffer.data() + done, size_t(got - done));
            if (put < 0 && errno == EINTR) continue;
            if (put <= 0) return put < 0 ? errno : EIO;
            done += put;
        }
    }
}

// Room for the new length first, so a full disk fails before the old bytes
// change; file systems that cannot reserve are written as they are.
int reserveThenCopy(int from, int to) {
    struct stat source;
    if (fstat(from, &source) != 0) return errno;
    if (source.st_size > 0) {
        int reserved = posix_fallocate(to, 0, source.st_size);
        if (reserved != 0 && reserved != EOPNOTSUPP && reserved != EINVAL) return reserved;
    }
    int error = copyAll(from, to);
    if (error == 0 && ftruncate(to, source.st_size) != 0) error = errno;
    if (error == 0 && fsync(to) != 0) error = errno;
    return error;
}

// Writes the replacement's bytes over the replaced file, keeping its inode
// and so every name it has; the replacement is removed afterwards.
DWORD updateInPlace(const std::string& replacement, const std::string& replaced) {
    int from = open(replacement.c_str(), O_RDONLY | O_CLOEXEC);
    if (from < 0) return errorFromErrno(errno);
    int to = open(replaced.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    int error = to < 0 ? errno : reserveThenCopy(from, to);
    close(from);
    if (to >= 0) close(to);
    if (error != 0) return errorFromErrno(error);
    unlink(replacement.c_str());
    return ERROR_SUCCESS;
}

DWORD replaceResolved(const std::string& replacement, const std::string& replaced,
                      const struct stat& target, DWORD flags) {
    struct stat source;
    if (stat(replacement.c_str(), &source) != 0) return notFoundError(replacement);
    if (!S_ISREG(source.st_mode)) return ERROR_ACCESS_DENIED;
    if (heldAgainstDelete(replacement)) return ERROR_SHARING_VIOLATION;
    if (target.st_nlink > 1 || target.st_dev != source.st_dev)
        return updateInPlace(replacement, replaced);
    DWORD error = takeIdentity(replacement, target, flags);
    if (error != ERROR_SUCCESS) return error;
    if (rename(replacement.c_str(), replaced.c_str()) != 0) {
        if (errno == EACCES || errno == EPERM || errno == EXDEV)
            return updateInPlace(replacement, replaced);
        return errorFromErrno(errno);
    }
    flushFolderOf(replaced);
    return ERROR_SUCCESS;
}

}  // namespace

extern "C" {

BOOL WINAPI ReplaceFileA(LPCSTR replacedFileName, LPCSTR replacementFileName,
                         LPCSTR backupFileName, DWORD replaceFlags, LPVOID exclude,
                         LPVOID reserved) {
    if (!replacedFileName || !*replacedFileName || !replacementFileName || !*replacementFileName)
        return failWith(ERROR_INVALID_PARAMETER);
    const DWORD known = REPLACEFILE_IGNORE_MERGE_ERRORS | REPLACEFILE_IGNORE_ACL_ERRORS;
    if (backupFileName || exclude || reserved || (replaceFlags & ~known))
        return failWith(ERROR_NOT_SUPPORTED);
    const std::string named = platform::hostPath(replacedFileName);
    const std::string replaced = resolvedPath(named);
    struct stat target;
    if (replaced.empty() || stat(replaced.c_str(), &target) != 0)
        return failWith(errno == ENOENT ? notFoundError(named) : errorFromErrno(errno));
    DWORD error = refusalOfReplaced(replaced, target);
    if (error == ERROR_SUCCESS)
        error = replaceResolved(platform::hostPath(replacementFileName), replaced, target,
                                replaceFlags);
    if (error != ERROR_SUCCESS) return failWith(error);
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

DWORD WINAPI GetFileAttributesA(LPCSTR fileName) {
    if (!fileName || !*fileName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_FILE_ATTRIBUTES;
    }
    const std::string path = platform::hostPath(fileName);
    struct stat st;
    if (stat(path.c_str(), &st) != 0) {
        SetLastError(errno == ENOENT ? notFoundError(path) : errorFromErrno(errno));
        return INVALID_FILE_ATTRIBUTES;
    }
    if (S_ISDIR(st.st_mode)) return FILE_ATTRIBUTE_DIRECTORY;
    if (!S_ISREG(st.st_mode)) return FILE_ATTRIBUTE_DEVICE;
    return FILE_ATTRIBUTE_ARCHIVE | (readOnlyAttribute(st) ? FILE_ATTRIBUTE_READONLY : 0);
}

}  // extern "C"
