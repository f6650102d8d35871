// Files as the driver reads and writes them. Paths are UTF-8 on this platform.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/cstring.h"

/// True when something (a file or a folder) exists at path.
bool PathExists(const CString& path);

/// The largest file ReadWholeFile reads: more than any source or type file of a plant holds, and
/// little enough that refusing a larger one costs nothing.
constexpr int64_t kMaxWholeFileBytes = 256 * 1024 * 1024;

/// Reads the whole file into bytes. False, with bytes emptied, when it cannot be opened or read,
/// is not a regular file (a device such as /dev/zero would never end), or holds more than
/// kMaxWholeFileBytes (checked before anything is read).
bool ReadWholeFile(const CString& path, std::string& bytes);

/// Why a file cannot be read whole: empty when it can be opened as a regular file of at most
/// maxBytes; else a short reason ("not a regular file", "larger than the limit of 268435456
/// bytes", or the system's reason it cannot be opened).
std::string WholeFileProblem(const CString& path, int64_t maxBytes = kMaxWholeFileBytes);

/// True when a file exists at path and must not be replaced: nobody may write it (its mode has no
/// write bit, which holds even for a process that could override the mode) or this process may not.
bool IsReadOnlyFile(const CString& path);

/// Replaces the file's content with bytes so that a crash or a full disk never leaves it half
/// written: the bytes go to a temporary file in the same folder, which is flushed to disk, given
/// the old file's permissions (a new file gets the usual ones) and renamed over the old file. A
/// symbolic link is followed, so the file it names is replaced. False, with any old file left as it
/// was and no temporary file left behind, when a step fails.
bool WriteFileAtomically(const CString& path, std::string_view bytes);

/// Reads the file, lets edit make its new content from the old and writes that with
/// WriteFileAtomically, holding an exclusive lock on the file's folder meanwhile: two processes that
/// edit the same file this way take turns, so neither one's change is lost. edit gives nothing to
/// refuse the edit. True when the file holds the edit (or edit changed nothing); false, with the
/// file left as it was, when it cannot be read or written, edit refused, or another process kept
/// the lock for more than 5 seconds.
bool EditFileLocked(const CString& path, const std::function<std::optional<std::string>(const std::string& old)>& edit);

/// Writes a new file with bytes (as WriteFileAtomically does) unless something already exists at
/// path, under the same folder lock as EditFileLocked, so that a file another process has just
/// made is never replaced. True when the file exists afterwards.
bool CreateFileIfMissing(const CString& path, std::string_view bytes);

/// Faults of the file system that a file operation can meet: a file that cannot be read, a folder
/// where nothing can be created, a disk that fills up while a file is written, a file that cannot
/// be put in place of the old one.
enum class FileFault {
    kNone,
    kCannotRead,    ///< opening a file for reading fails (permission denied)
    kCannotCreate,  ///< creating the temporary file of a write fails (permission denied)
    kDiskFull,      ///< a write stops half-way with "no space left on device"
    kCannotRename,  ///< the finished temporary file cannot replace the old file
};

/// Decides which file operations meet a fault. The file layer asks the one it was given before each
/// operation that can fail so; tests give it one, so that the driver's code runs unchanged against
/// failing files. Without one (the program), no operation is failed on purpose.
class FileFaults {
public:
    virtual ~FileFaults() = default;
    /// True when this operation on path must fail as the fault would; it may be asked from several
    /// threads at once.
    virtual bool Due(FileFault fault, const std::string& path) = 0;
};

/// Gives the file layer the faults to meet from now on; null for none. The caller keeps it alive
/// until it is replaced.
void SetFileFaults(FileFaults* faults);
