// The project file: one SQLite database holding every device's name and stored image.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "host/project/text_list.h"

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
    /// HostError when there is no device of that name. Its import records go with it.
    void RemoveDevice(const std::string& name);

    /// What the last import of a source (a data block "DB7", the tag table "tags") made on the
    /// device: one key per channel row. Empty when no import of it was recorded (projects older
    /// than the records have none).
    TextList ImportedRows(const std::string& device, const std::string& source);
    /// Replaces the record of what the source made on the device.
    void RecordImportedRows(const std::string& device, const std::string& source, const TextList& rows);

    void Commit();

private:
    void Open(bool create);
    void Close();
    void Execute(const char* sql);
    void PrepareSchema(bool create);
    /// The import records' table, made in projects that have none yet (the devices stay as they are).
    bool HasTable(const char* name);
    [[noreturn]] void Fail(const std::string& what) const;
    /// HostError in words when a value of that many bytes could not be bound to a statement.
    void CheckBound(int result, const std::string& what, size_t bytes) const;
    /// Refuses, as CheckBound refuses a value too large, a value of bytes bytes that one value of
    /// the project cannot hold: told by its size alone, before any of it is read.
    void CheckFits(size_t bytes, const std::string& what) const;
    /// The row of the device named name in the devices table, if the project has it.
    std::optional<int64_t> DeviceId(const std::string& name);
    /// Writes image into the device's image, stored as zeroblob() of its size; Fail(failure) when
    /// it cannot.
    void FillImage(int64_t id, ImageView image, const std::string& failure);

    std::string path_;
    sqlite3* db_ = nullptr;
    bool inTransaction_ = false;
    bool committed_ = false;
    bool createdFile_ = false;  ///< the file did not exist before this command
};
