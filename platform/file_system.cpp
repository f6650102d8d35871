#include "platform/file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>

namespace {

std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

/// Creates a new, empty temporary file next to target, with permissions from the process's umask.
int CreateTemporaryNextTo(const std::string& target, std::string& tempPath) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = target + ".tmp" + std::to_string(getpid()) + "-" + std::to_string(attempt);
        const int fd = open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

/// The file that writing to path replaces: the target of a symbolic link, else path itself.
std::string ReplacedFile(const std::string& path) {
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
    char resolved[PATH_MAX];
    return realpath(path.c_str(), resolved) ? std::string(resolved) : path;
}

void SyncFolder(const std::string& folder) {
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    fsync(fd);  // makes the rename durable; a failure here does not undo a complete write
    close(fd);
}

}  // namespace

bool PathExists(const CString& path) {
    struct stat info {};
    return stat(path.ToUtf8().c_str(), &info) == 0;
}

bool ReadWholeFile(const CString& path, std::string& bytes) {
    bytes.clear();
    const int fd = open(path.ToUtf8().c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    bool ok = true;
    char buffer[65536];
    for (;;) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) ok = false;
        if (n <= 0) break;
        bytes.append(buffer, static_cast<size_t>(n));
    }
    close(fd);
    if (!ok) bytes.clear();
    return ok;
}

bool WriteFileAtomically(const CString& path, std::string_view bytes) {
    const std::string target = ReplacedFile(path.ToUtf8());
    std::string tempPath;
    const int fd = CreateTemporaryNextTo(target, tempPath);
    if (fd < 0) return false;
    bool ok = WriteAll(fd, bytes);
    struct stat old {};
    if (ok && stat(target.c_str(), &old) == 0) ok = fchmod(fd, old.st_mode & 07777) == 0;
    if (ok) ok = fsync(fd) == 0;
    if (close(fd) != 0) ok = false;
    if (ok) ok = rename(tempPath.c_str(), target.c_str()) == 0;
    if (!ok) {
        unlink(tempPath.c_str());
        return false;
    }
    SyncFolder(FolderOf(target));
    return true;
}
