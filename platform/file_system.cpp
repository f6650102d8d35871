#include "platform/file_system.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "platform/path_names.h"

namespace {

std::atomic<FileFaults*> g_faults{nullptr};

/// True, with errno set as the real fault would set it, when the faults given to the file layer
/// make this operation on path fail.
bool FaultDue(FileFault fault, const std::string& path) {
    FileFaults* faults = g_faults.load();
    if (!faults || !faults->Due(fault, path)) return false;
    errno = fault == FileFault::kDiskFull ? ENOSPC : EACCES;
    return true;
}

bool WriteBytes(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

/// Writes bytes to the file at path opened as fd; a full disk due lets the first half of them
/// through before it refuses the rest.
bool WriteAll(int fd, std::string_view bytes, const std::string& path) {
    if (FaultDue(FileFault::kDiskFull, path)) {
        WriteBytes(fd, bytes.substr(0, bytes.size() / 2));
        errno = ENOSPC;
        return false;
    }
    return WriteBytes(fd, bytes);
}

/// Creates a new, empty temporary file next to target, with permissions from the process's umask.
int CreateTemporaryNextTo(const std::string& target, std::string& tempPath) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = target + ".tmp" + std::to_string(getpid()) + "-" + std::to_string(attempt);
        if (FaultDue(FileFault::kCannotCreate, target)) return -1;
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

namespace {

/// Opens the file for reading when it is a regular file of at most maxBytes; else -1, with problem
/// telling why.
int OpenWholeFile(const std::string& file, int64_t maxBytes, std::string& problem) {
    if (FaultDue(FileFault::kCannotRead, file)) {
        problem = std::strerror(errno);
        return -1;
    }
    // Not blocking: a named pipe with no writer must not stop the open.
    const int fd = open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        problem = std::strerror(errno);
        return -1;
    }
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) problem = "not a regular file";
    else if (info.st_size > maxBytes) problem = "larger than the limit of " + std::to_string(maxBytes) + " bytes";
    if (problem.empty()) return fd;
    close(fd);
    return -1;
}

}  // namespace

std::string WholeFileProblem(const CString& path, int64_t maxBytes) {
    std::string problem;
    const int fd = OpenWholeFile(path.ToUtf8(), maxBytes, problem);
    if (fd >= 0) close(fd);
    return problem;
}

bool IsReadOnlyFile(const CString& path) {
    const std::string file = path.ToUtf8();
    struct stat info {};
    if (stat(file.c_str(), &info) != 0) return false;
    return (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || access(file.c_str(), W_OK) != 0;
}

bool ReadWholeFile(const CString& path, std::string& bytes) {
    bytes.clear();
    std::string problem;
    const int fd = OpenWholeFile(path.ToUtf8(), kMaxWholeFileBytes, problem);
    if (fd < 0) return false;
    bool ok = true;
    // Room for the whole file at once: a large one is not copied each time the text doubles, nor
    // held twice while it does.
    struct stat info {};
    if (fstat(fd, &info) == 0 && info.st_size > 0 && info.st_size <= kMaxWholeFileBytes)
        bytes.reserve(static_cast<size_t>(info.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) ok = false;
        if (n <= 0) break;
        bytes.append(buffer, static_cast<size_t>(n));
        // A file that grows while it is read stops at the limit all the same.
        if (static_cast<int64_t>(bytes.size()) > kMaxWholeFileBytes) {
            ok = false;
            break;
        }
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
    bool ok = WriteAll(fd, bytes, target);
    struct stat old {};
    if (ok && stat(target.c_str(), &old) == 0) ok = fchmod(fd, old.st_mode & 07777) == 0;
    if (ok) ok = fsync(fd) == 0;
    if (close(fd) != 0) ok = false;
    if (ok) ok = !FaultDue(FileFault::kCannotRename, target) && rename(tempPath.c_str(), target.c_str()) == 0;
    if (!ok) {
        unlink(tempPath.c_str());
        return false;
    }
    SyncFolder(FolderOf(target));
    return true;
}

namespace {

/// How long an edit waits for another process's edit of the same folder before it gives up.
constexpr int kLockWaitMs = 5000;

/// Holds an exclusive lock on the folder of a file while it lives. The folder, not the file,
/// carries the lock, because every write replaces the file. Held() is false when the folder cannot
/// be opened or another process held the lock for longer than kLockWaitMs (a stopped process never
/// makes this one hang).
class FolderLock {
public:
    explicit FolderLock(const CString& file) : fd_(open(FolderOf(ReplacedFile(file.ToUtf8())).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
        for (int waited = 0; fd_ >= 0 && !held_; waited += 10) {
            held_ = flock(fd_, LOCK_EX | LOCK_NB) == 0;
            if (!held_ && ((errno != EWOULDBLOCK && errno != EINTR) || waited >= kLockWaitMs)) break;
            if (!held_) usleep(10000);
        }
    }
    ~FolderLock() {
        if (fd_ >= 0) close(fd_);  // releases the lock
    }
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;
    bool Held() const { return held_; }

private:
    int fd_;
    bool held_ = false;
};

}  // namespace

bool EditFileLocked(const CString& path, const std::function<std::optional<std::string>(const std::string& old)>& edit) {
    const FolderLock lock(path);
    std::string old;
    if (!lock.Held() || IsReadOnlyFile(path) || !ReadWholeFile(path, old)) return false;
    const std::optional<std::string> edited = edit(old);
    return edited && (*edited == old || WriteFileAtomically(path, *edited));
}

bool CreateFileIfMissing(const CString& path, std::string_view bytes) {
    const FolderLock lock(path);
    return PathExists(path) || (lock.Held() && WriteFileAtomically(path, bytes));
}

void SetFileFaults(FileFaults* faults) { g_faults.store(faults); }
