// A tag import run from the window, kept in step with its sources as the command line's import
// is. It watches the tag import dialog's commands: at the click on its import button it reads the
// dialog's sources (the tag table, the data block files with their block names, the naming rule)
// and asks the driver's dry run of them whether the import will succeed; when it will, the rows
// that the same sources' last import made are taken away first, so that the import replaces them
// instead of adding beside them. After the dialog it tells what the import did.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "host/project/device_session.h"
#include "host/project/driver_library.h"
#include "host/project/import_records.h"
#include "host/project/project_store.h"
#include "platform/ui/win_types.h"

class CWnd;

class ImportWatch {
public:
    ImportWatch(ProjectStore& project, std::string device, DeviceSession& session, const DriverLibrary& driver);

    /// The command watch: acts on the tag import dialog's import button only.
    void BeforeCommand(CWnd& window, UINT id, UINT code);

    /// Whether rows were taken away for an import that was to succeed.
    bool TookRowsAway() const { return records_.has_value(); }
    /// After the dialog: whether that import ended with the driver storing the device, which it
    /// does only for an import that ended the dialog with OK.
    bool ImportEnded() const;

    /// After the dialog: what the import did, as lines (the rows its status list showed after a
    /// success, then the summary of added, changed and removed channels), and keeps the records of
    /// what each source made. Empty when no import succeeded.
    std::vector<std::string> Finish();

private:
    ProjectStore& project_;
    std::string device_;
    DeviceSession& session_;
    const DriverLibrary& driver_;
    std::optional<ImportRecords> records_;  ///< set at the import that was to succeed
    std::vector<std::string> rows_;         ///< the status rows that import shows
    ImageBytes afterRemoval_;               ///< the device as the taking away left it
};
