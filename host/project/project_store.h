// The project file: one SQLite database holding every device's name and stored image.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

struct sqlite3;

using ImageBytes = std::vector<uint8_t>;
/// Image bytes held elsewhere (a device's archive, say), read without copying them.
using ImageView = std::span<const uint8_t>;

/// A project opened for one command. Opening starts the command's transaction (BEGIN IMMEDIATE, so
/// a second process waits a few seconds and is then told the project is in use); Commit makes the
/// command's changes lasting, and closing without Commit rolls them back, so a failing command
/// changes nothing in the file (and leaves no file behind when it would have created one). Devices keep the order in which they were added.
class ProjectStore {
public:
    /// Opens the project at path. create: make the file when it does not exist (only `device add`
    /// does, so a mistyped path is not turned into an empty project). HostError when the file is
    /// missing, is no project, or is held by another process.
    ProjectStore(const std::string& path, bool create);
    ~ProjectStore();
    ProjectStore(const ProjectStore&) = delete;
    ProjectStore& operator=(const ProjectStore&) = delete;

    std::vector<std::string> DeviceNames();
    /// The device's image, or nothing when the project has no device of that name.
    std::optional<ImageBytes> FindImage(const std::string& name);
    /// HostError when a device of that name exists.
    void AddDevice(const std::string& name, ImageView image);
    void SaveImage(const std::string& name, ImageView image);
    /// HostError when there is no device of that name.
    void RemoveDevice(const std::string& name);

    void Commit();

private:
    void Open(bool create);
    void Close();
    void Execute(const char* sql);
    void PrepareSchema(bool create);
    [[noreturn]] void Fail(const std::string& what) const;
    /// HostError in words when a value of that many bytes could not be bound to a statement.
    void CheckBound(int result, const std::string& what, size_t bytes) const;

    std::string path_;
    sqlite3* db_ = nullptr;
    bool inTransaction_ = false;
    bool committed_ = false;
    bool createdFile_ = false;  ///< the file did not exist before this command
};
