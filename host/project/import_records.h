// Importing again in step with the sources: the project remembers which channel rows each source
// of an import made (the tag table for I, Q and M; data block n for its rows), so that importing
// the same sources again first takes away the rows their last import made, and the import then
// adds what the sources give now. Rows made by hand, rows of other sources and rows changed since
// the import are never taken away; devices imported before records were kept have none, and keep
// every row.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "host/project/device_session.h"
#include "host/project/project_store.h"

/// The source of the rows a data block makes, for its block name as the import's list holds it:
/// "DB7" (and "DB007") give "DB7"; a name that is not DB and a number gives an empty one.
std::string BlockSource(const std::string& blockName);

class ImportRecords {
public:
    /// sources: "tags" when the import reads a tag table, "DB<n>" for each data block it reads.
    ImportRecords(ProjectStore& project, std::string device, std::set<std::string> sources);

    /// Before the import: removes from the device the rows the sources' last import made that are
    /// still as it made them.
    void RemoveRowsOfLastImport(DeviceSession& session);
    /// After an import that succeeded: records what each source made (unless only trying), and
    /// says what changed since the last import (added, changed, removed, unchanged channels) in one
    /// line. changes, when given, receives a line per row that is added, changed or removed:
    /// "added", "changed" or "removed", TAB, the row's place ("V1.4 type 12 rw 2": register and
    /// address, data type index, read/write flag), TAB, the variable as the driver reports it.
    std::string Summarise(DeviceSession& session, bool record, std::vector<std::string>* changes = nullptr);

private:
    ProjectStore& project_;
    std::string device_;
    std::set<std::string> sources_;
    std::map<std::string, TextList> lastImport_;  ///< by source
    TextList rowsBefore_;  ///< the rows the import started from
    std::map<std::string, int> keptUnrecorded_;  ///< rows of sources without a record, by source
};
