#include "host/project/project_store.h"

#include <sqlite3.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <filesystem>
#include <string>
#include <string_view>

#include "host/project/host_error.h"

namespace {

/// Per device and source, the rows its last import made (one value each); the table of the first
/// version of the records, one row per channel row, is still read and replaced source by source.
constexpr const char* kRecordTable = "import_records";
constexpr const char* kOldRecordTable = "imported_rows";

/// Marks a database as a vireo-host project ("VIRO"), so that another program's database is never
/// taken for one and changed.
constexpr int kApplicationId = 0x5649524F;
/// How long a command waits for another process that holds the project.
constexpr int kBusyTimeoutMs = 5000;

/// One prepared statement, finalized when it goes out of scope.
class Statement {
public:
    Statement(sqlite3* db, const char* sql) {
        if (sqlite3_prepare_v2(db, sql, -1, &stmt_, nullptr) != SQLITE_OK) stmt_ = nullptr;
    }
    ~Statement() { sqlite3_finalize(stmt_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    /// SQLITE_OK, or why the value was not bound (SQLITE_TOOBIG past the project's length limit):
    /// a value that is not bound would be stored as NULL.
    int BindText(int index, const std::string& text) {
        if (!stmt_) return SQLITE_OK;  // the step reports the statement that failed
        if (text.size() > static_cast<size_t>(INT_MAX)) return SQLITE_TOOBIG;
        return sqlite3_bind_text(stmt_, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
    }
    int BindInt64(int index, sqlite3_int64 value) { return stmt_ ? sqlite3_bind_int64(stmt_, index, value) : SQLITE_OK; }
    /// SQLITE_ROW, SQLITE_DONE or an error code.
    int Step() { return stmt_ ? sqlite3_step(stmt_) : SQLITE_ERROR; }
    std::string Text(int column) const {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
        return text ? std::string(text, static_cast<size_t>(sqlite3_column_bytes(stmt_, column))) : std::string();
    }
    ImageBytes Blob(int column) const {
        const auto* data = static_cast<const uint8_t*>(sqlite3_column_blob(stmt_, column));
        return data ? ImageBytes(data, data + sqlite3_column_bytes(stmt_, column)) : ImageBytes();
    }
    int Int(int column) const { return sqlite3_column_int(stmt_, column); }
    sqlite3_int64 Int64(int column) const { return sqlite3_column_int64(stmt_, column); }
    /// Makes the statement ready to run again with new values.
    void Reset() {
        if (stmt_) sqlite3_reset(stmt_);
    }

private:
    sqlite3_stmt* stmt_ = nullptr;
};

/// Fills a value stored as zeroblob() of its size, from its start, through SQLite's incremental
/// blob I/O: a device's image or an import record of tens of megabytes goes to the file a piece at
/// a time, without SQLite building the whole value in memory once more.
class BlobWriter {
public:
    BlobWriter(sqlite3* db, const char* table, const char* column, sqlite3_int64 rowid) {
        if (sqlite3_blob_open(db, "main", table, column, rowid, 1, &blob_) != SQLITE_OK) Close();
    }
    ~BlobWriter() { Close(); }
    BlobWriter(const BlobWriter&) = delete;
    BlobWriter& operator=(const BlobWriter&) = delete;

    /// Writes bytes after those written before, straight from where they are.
    void Write(const uint8_t* data, size_t size) {
        Flush();
        for (size_t done = 0; done < size && blob_;) {
            const size_t piece = std::min(size - done, kPieceBytes);
            Put(data + done, piece);
            done += piece;
        }
    }
    /// Writes bytes after those written before, gathered into pieces first: for many short runs.
    void Append(std::string_view bytes) {
        pending_.append(bytes);
        if (pending_.size() >= kPieceBytes) Flush();
    }
    /// True when every byte was written and the value closed cleanly.
    bool Finish() {
        Flush();
        const bool written = blob_ != nullptr;
        return Close() && written;
    }

private:
    static constexpr size_t kPieceBytes = size_t{1} << 20;

    void Put(const void* data, size_t size) {
        if (!blob_ || size == 0) return;
        if (sqlite3_blob_write(blob_, data, static_cast<int>(size), offset_) != SQLITE_OK) Close();
        offset_ += static_cast<int>(size);
    }
    void Flush() {
        Put(pending_.data(), pending_.size());
        pending_.clear();
    }
    bool Close() {
        const bool closed = sqlite3_blob_close(blob_) == SQLITE_OK;
        blob_ = nullptr;
        return closed;
    }

    sqlite3_blob* blob_ = nullptr;
    int offset_ = 0;
    std::string pending_;
};

}  // namespace

ProjectStore::ProjectStore(const std::string& path, bool create) : path_(path) {
    try {
        Open(create);
    } catch (...) {
        Close();
        throw;
    }
}

void ProjectStore::Open(bool create) {
    const std::string& path = path_;
    std::error_code ignored;
    const bool exists = std::filesystem::exists(path, ignored);
    if (!create && !exists) throw HostError("no project at " + path + " (device add creates one)");
    createdFile_ = !exists;
    const int flags = SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0);
    if (sqlite3_open_v2(path.c_str(), &db_, flags, nullptr) != SQLITE_OK) Fail("cannot open the project");
    sqlite3_busy_timeout(db_, kBusyTimeoutMs);
    // A device's image can run to tens of megabytes: large pages store it with less overhead. The
    // size is taken when the first table makes the database, and only before the transaction
    // starts; a database that has content keeps its own.
    if (createdFile_) sqlite3_exec(db_, "PRAGMA page_size = 65536", nullptr, nullptr, nullptr);
    const int begun = sqlite3_exec(db_, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    if (begun == SQLITE_BUSY)
        throw HostError("the project " + path + " is in use by another process; try again when it has finished");
    if (begun != SQLITE_OK) Fail("cannot open the project");
    inTransaction_ = true;
    PrepareSchema(create);
}

ProjectStore::~ProjectStore() { Close(); }

// Without Commit the command's changes are rolled back; a project file the command created goes too.
void ProjectStore::Close() {
    const bool rolledBack = inTransaction_ || !committed_;
    if (inTransaction_) sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    inTransaction_ = false;
    sqlite3_close(db_);
    db_ = nullptr;
    // A new database stays empty until its first commit; a file that has content is someone's project.
    std::error_code error;
    if (rolledBack && createdFile_ && std::filesystem::file_size(path_, error) == 0 && !error)
        std::filesystem::remove(path_, error);
}

void ProjectStore::Fail(const std::string& what) const {
    throw HostError(what + " " + path_ + ": " + (db_ ? sqlite3_errmsg(db_) : "out of memory"));
}

void ProjectStore::CheckBound(int result, const std::string& what, size_t bytes) const {
    if (result == SQLITE_OK) return;
    if (result == SQLITE_TOOBIG)
        throw HostError("cannot store " + what + " in " + path_ + ": it is " + std::to_string(bytes) +
                        " bytes, more than the project holds in one value (" +
                        std::to_string(sqlite3_limit(db_, SQLITE_LIMIT_LENGTH, -1)) + " bytes)");
    throw HostError("cannot store " + what + " in " + path_ + ": " + sqlite3_errstr(result));
}

void ProjectStore::CheckFits(size_t bytes, const std::string& what) const {
    const auto limit = static_cast<size_t>(sqlite3_limit(db_, SQLITE_LIMIT_LENGTH, -1));
    if (bytes > limit || bytes > static_cast<size_t>(INT_MAX)) CheckBound(SQLITE_TOOBIG, what, bytes);
}

void ProjectStore::Execute(const char* sql) {
    if (sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) != SQLITE_OK) Fail("cannot update the project");
}

// A project carries the application id; a new, empty database becomes a project when a command may
// create one. Anything else is left alone.
void ProjectStore::PrepareSchema(bool create) {
    Statement id(db_, "PRAGMA application_id");
    if (id.Step() != SQLITE_ROW) Fail("cannot read the project");
    if (id.Int(0) == kApplicationId) return;
    Statement tables(db_, "SELECT count(*) FROM sqlite_master");
    const bool empty = tables.Step() == SQLITE_ROW && tables.Int(0) == 0;
    if (!create || !empty) throw HostError(path_ + " is not a vireo-host project");
    Execute("CREATE TABLE devices (id INTEGER PRIMARY KEY AUTOINCREMENT, name TEXT NOT NULL UNIQUE, image BLOB NOT NULL)");
    Execute(("PRAGMA application_id = " + std::to_string(kApplicationId)).c_str());
}

std::vector<std::string> ProjectStore::DeviceNames() {
    Statement select(db_, "SELECT name FROM devices ORDER BY id");
    std::vector<std::string> names;
    int step;
    while ((step = select.Step()) == SQLITE_ROW) names.push_back(select.Text(0));
    if (step != SQLITE_DONE) Fail("cannot read the project");
    return names;
}

std::optional<int64_t> ProjectStore::DeviceId(const std::string& name) {
    Statement select(db_, "SELECT id FROM devices WHERE name = ?1");
    CheckBound(select.BindText(1, name), "the device name", name.size());
    const int step = select.Step();
    if (step == SQLITE_ROW) return select.Int64(0);
    if (step != SQLITE_DONE) Fail("cannot read the project");
    return std::nullopt;
}

std::optional<ImageBytes> ProjectStore::FindImage(const std::string& name) {
    Statement select(db_, "SELECT image FROM devices WHERE name = ?1");
    CheckBound(select.BindText(1, name), "the device name", name.size());
    const int step = select.Step();
    if (step == SQLITE_ROW) return select.Blob(0);
    if (step != SQLITE_DONE) Fail("cannot read the project");
    return std::nullopt;
}

void ProjectStore::AddDevice(const std::string& name, ImageView image) {
    if (DeviceId(name)) throw HostError("the project already has a device named " + name);
    CheckFits(image.size(), "the image of device " + name);
    Statement insert(db_, "INSERT INTO devices (name, image) VALUES (?1, zeroblob(?2))");
    CheckBound(insert.BindText(1, name), "the device name", name.size());
    CheckBound(insert.BindInt64(2, static_cast<sqlite3_int64>(image.size())), "the image of device " + name, image.size());
    if (insert.Step() != SQLITE_DONE) Fail("cannot add the device to");
    FillImage(sqlite3_last_insert_rowid(db_), image, "cannot add the device to");
}

void ProjectStore::SaveImage(const std::string& name, ImageView image) {
    CheckFits(image.size(), "the image of device " + name);
    const std::optional<int64_t> id = DeviceId(name);
    if (!id) return;  // no such device: nothing to store
    Statement update(db_, "UPDATE devices SET image = zeroblob(?2) WHERE id = ?1");
    CheckBound(update.BindInt64(1, *id), "the device", 0);
    CheckBound(update.BindInt64(2, static_cast<sqlite3_int64>(image.size())), "the image of device " + name, image.size());
    if (update.Step() != SQLITE_DONE) Fail("cannot store the device in");
    FillImage(*id, image, "cannot store the device in");
}

void ProjectStore::FillImage(int64_t id, ImageView image, const std::string& failure) {
    BlobWriter blob(db_, "devices", "image", id);
    blob.Write(image.data(), image.size());
    if (!blob.Finish()) Fail(failure);
}

void ProjectStore::RemoveDevice(const std::string& name) {
    for (const char* table : {kRecordTable, kOldRecordTable}) {
        if (!HasTable(table)) continue;
        const std::string sql = std::string("DELETE FROM ") + table + " WHERE device = (SELECT id FROM devices WHERE name = ?1)";
        Statement records(db_, sql.c_str());
        CheckBound(records.BindText(1, name), "the device name", name.size());
        if (records.Step() != SQLITE_DONE) Fail("cannot remove the device from");
    }
    Statement remove(db_, "DELETE FROM devices WHERE name = ?1");
    CheckBound(remove.BindText(1, name), "the device name", name.size());
    if (remove.Step() != SQLITE_DONE) Fail("cannot remove the device from");
    if (sqlite3_changes(db_) == 0) throw HostError("the project has no device named " + name);
}

bool ProjectStore::HasTable(const char* name) {
    Statement table(db_, "SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = ?1");
    CheckBound(table.BindText(1, name), "a table name", std::strlen(name));
    if (table.Step() != SQLITE_ROW) Fail("cannot read the project");
    return table.Int(0) > 0;
}

namespace {

/// The rows of one record as one value: each row's length in decimal, ":", and its bytes, so that
/// a row may hold any character. A value that does not parse gives no rows.
std::string LengthPrefix(std::string_view row) { return std::to_string(row.size()) + ":"; }

/// The bytes of the rows as one value.
size_t PackedSize(const TextList& rows) {
    size_t bytes = 0;
    for (std::string_view row : rows) bytes += LengthPrefix(row).size() + row.size();
    return bytes;
}

TextList UnpackedRows(const ImageBytes& packed) {
    TextList rows;
    for (size_t at = 0; at < packed.size();) {
        size_t length = 0, digits = 0;
        while (at < packed.size() && packed[at] >= '0' && packed[at] <= '9' && digits < 10) {
            length = length * 10 + static_cast<size_t>(packed[at++] - '0');
            ++digits;
        }
        if (digits == 0 || at >= packed.size() || packed[at] != ':' || length > packed.size() - at - 1) return {};
        rows.push_back(std::string_view(reinterpret_cast<const char*>(packed.data()) + at + 1, length));
        at += 1 + length;
    }
    return rows;
}

}  // namespace

TextList ProjectStore::ImportedRows(const std::string& device, const std::string& source) {
    if (HasTable(kRecordTable)) {
        Statement select(db_, "SELECT rows FROM import_records WHERE device = (SELECT id FROM devices WHERE name = ?1) AND source = ?2");
        CheckBound(select.BindText(1, device), "the device name", device.size());
        CheckBound(select.BindText(2, source), "the source name", source.size());
        const int step = select.Step();
        if (step == SQLITE_ROW) return UnpackedRows(select.Blob(0));
        if (step != SQLITE_DONE) Fail("cannot read the project");
    }
    // Projects of the first version of the records keep a row of the table per channel row.
    TextList rows;
    if (!HasTable(kOldRecordTable)) return rows;
    Statement select(db_,
                     "SELECT row_key FROM imported_rows WHERE device = (SELECT id FROM devices WHERE name = ?1) AND source = ?2 "
                     "ORDER BY rowid");
    CheckBound(select.BindText(1, device), "the device name", device.size());
    CheckBound(select.BindText(2, source), "the source name", source.size());
    int step;
    while ((step = select.Step()) == SQLITE_ROW) rows.push_back(select.Text(0));
    if (step != SQLITE_DONE) Fail("cannot read the project");
    return rows;
}

void ProjectStore::RecordImportedRows(const std::string& device, const std::string& source, const TextList& rows) {
    // One value per device and source: a plant's half a million rows are stored in one write,
    // not in as many rows of a table.
    Execute("CREATE TABLE IF NOT EXISTS import_records "
            "(device INTEGER NOT NULL, source TEXT NOT NULL, rows BLOB NOT NULL, PRIMARY KEY (device, source))");
    if (HasTable(kOldRecordTable)) {
        Statement old(db_, "DELETE FROM imported_rows WHERE device = (SELECT id FROM devices WHERE name = ?1) AND source = ?2");
        CheckBound(old.BindText(1, device), "the device name", device.size());
        CheckBound(old.BindText(2, source), "the source name", source.size());
        if (old.Step() != SQLITE_DONE) Fail("cannot store the import record in");
    }
    const size_t bytes = PackedSize(rows);
    CheckFits(bytes, "the import record of " + source);
    const std::optional<int64_t> id = DeviceId(device);
    if (!id) return;  // no such device: nothing to record
    // The value is made in the statement itself: a value passed on from a SELECT would be made
    // whole in memory first.
    Statement insert(db_, "INSERT OR REPLACE INTO import_records (device, source, rows) VALUES (?1, ?2, zeroblob(?3))");
    CheckBound(insert.BindInt64(1, *id), "the device", 0);
    CheckBound(insert.BindText(2, source), "the source name", source.size());
    CheckBound(insert.BindInt64(3, static_cast<sqlite3_int64>(bytes)), "the import record of " + source, bytes);
    if (insert.Step() != SQLITE_DONE) Fail("cannot store the import record in");
    BlobWriter blob(db_, kRecordTable, "rows", sqlite3_last_insert_rowid(db_));
    for (std::string_view row : rows) {
        blob.Append(LengthPrefix(row));
        blob.Append(row);
    }
    if (!blob.Finish()) Fail("cannot store the import record in");
}

void ProjectStore::Commit() {
    if (!inTransaction_) return;
    Execute("COMMIT");
    inTransaction_ = false;
    committed_ = true;
}
