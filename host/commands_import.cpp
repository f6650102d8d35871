// import DEV [--tags FILE.xml] [--db FILE]... [--types FILE]... [--name-by title|file]
//            [--version v13|v15] [--block FILE=DBn]...
//
// Opens the driver's custom user interface, the tag import dialog, and works it as a user would:
// picks the version, browses for the tag table and for the data block files (one browse per
// folder, as a file dialog shows one folder), corrects block names in the data block file list by
// a double-click on them, picks the naming rule, reads the data type files, and starts the import.
// The status list is printed as rows "N<TAB>text". Only an import that ended the dialog with OK
// changes the device, which is then saved.
#include <iostream>
#include <map>
#include <set>

#include "host/block_name_option.h"
#include "host/command_line_errors.h"
#include "host/commands.h"
#include "host/project/full_path.h"
#include "host/project/import_records.h"
#include "host/input_file.h"
#include "host/project/output_format.h"
#include "import/tag_import_controls.h"
#include "platform/ui/list_ctrl.h"
#include "host/user_input/screen_text.h"
#include "host/scripted_user/scripted_user.h"

namespace {

// The tag import dialog's own buttons and the block list's path column.
constexpr int kCancelButton = 2;
constexpr int kBlockPathColumn = 3;
constexpr int kIdOk = 1;

struct ImportOptions {
    std::string device;
    std::string tagFile;
    std::vector<std::string> dbFiles;
    std::vector<std::string> typeFiles;
    std::string nameBy = "title";
    std::string version = "v15";
    std::vector<std::string> blockNames;  ///< FILE=DBn
    bool dryRun = false;                  ///< only say what the import would change
};

/// The files grouped by folder, each group in the order given: one file dialog per folder.
std::vector<std::vector<CString>> ByFolder(const std::vector<std::string>& paths) {
    std::vector<std::vector<CString>> groups;
    std::map<CString, size_t> groupOfFolder;
    for (const std::string& path : paths) {
        const CString full = FullPath(path);
        const CString folder = full.Left(full.ReverseFind(u'/'));
        const auto [entry, added] = groupOfFolder.try_emplace(folder, groups.size());
        if (added) groups.emplace_back();
        groups[entry->second].push_back(full);
    }
    return groups;
}

std::map<CString, CString> CorrectionsOf(const ImportOptions& options) {
    return BlockNameCorrections(options.dbFiles, options.blockNames);
}

/// What the user saw before the import: the status list's rows after a step that may fail.
struct SImportRun {
    ListRowTexts failedStep;  ///< rows that made the user give up before the import
};

/// Looks at the status list after a step: when the step showed an error (a row numbered 0), the
/// user gives up and cancels the dialog.
void CancelOnError(ScriptedUser& user, SImportRun& run) {
    user.Inspect([&run](CWnd& dialog) {
        if (!run.failedStep.empty()) return;
        const ListRowTexts rows = ListViewRows(dialog.GetDlgItem(kStatusList)->m_hWnd);
        if (rows.empty() || rows[0].empty() || !(rows[0][0] == CString(u"0"))) return;
        run.failedStep = rows;
        dialog.PostMessage(WM_COMMAND, kCancelButton, 0);
    });
}

void CorrectBlockNames(ScriptedUser& user, const std::map<CString, CString>& corrections) {
    int row = 0;
    for (const auto& [path, name] : corrections) {
        if (!name.IsEmpty()) {
            user.DoubleClickRow(kBlockList, row)
                .Type(kCellEditId, name)
                .Focus(kTagFileEdit);  // the edit ends when it loses the focus
        }
        ++row;
    }
}

void ScriptImport(ScriptedUser& user, const ImportOptions& options, SImportRun& run) {
    user.WatchList(kTagImportTemplate, kStatusList);
    user.Click(options.version == "v13" ? kVersionV13Radio : kVersionV15Radio);
    if (!options.tagFile.empty()) user.Click(kBrowseTagFileButton).ChooseFiles({FullPath(options.tagFile)});
    for (const std::vector<CString>& folder : ByFolder(options.dbFiles)) {
        user.Click(kBrowseBlockFilesButton).ChooseFiles(folder);
        CancelOnError(user, run);
    }
    CorrectBlockNames(user, CorrectionsOf(options));
    user.Click(options.nameBy == "file" ? kNameByFileRadio : kNameByTitleRadio);
    for (const std::vector<CString>& folder : ByFolder(options.typeFiles)) {
        user.Click(kImportDataTypesButton).ChooseFiles(folder);
        CancelOnError(user, run);
    }
    // An import that succeeds ends the dialog; otherwise the user reads the status and cancels.
    user.Click(kTagImportButton).Click(kCancelButton);
}

/// The end code of the outermost dialog: the last one to end.
int EndCode(const ScriptedUser& user) {
    for (auto entry = user.Log().rbegin(); entry != user.Log().rend(); ++entry)
        if (entry->kind == SUserLogEntry::kDialogEnded) return std::stoi(entry->answer.ToUtf8());
    return -1;
}

void PrintRows(std::ostream& out, const ListRowTexts& rows) {
    for (const std::vector<CString>& row : rows) {
        out << EscapeTsv(row.empty() ? std::string() : row[0].ToUtf8()) << '\t'
            << EscapeTsv(row.size() > 1 ? row[1].ToUtf8() : std::string()) << '\n';
    }
}

/// Opens the custom user interface the driver lists first: its tag import.
void ShowTagImport(DeviceSession& session, const DriverLibrary& driver) {
    CArray<SCustomUIEntry> entries;
    const auto list = driver.Require<SvrGetCustomUIFn>("SvrGetCustomUI");
    CallExport("SvrGetCustomUI", [&] { return list(0, entries); });
    if (entries.IsEmpty()) throw HostError("the driver offers no custom user interface");
    SCustomUIEntry* entry = &entries[0];
    session.Call<SvrShowCustomUIFn>("SvrShowCustomUI", entry);
}

/// The sources an import reads, as the records name them: "tags" for the tag table, "DB<n>" for
/// each data block file (by its corrected name, or the DBn_ its file name starts with).
std::set<std::string> ImportSources(const ImportOptions& options) {
    std::set<std::string> sources;
    if (!options.tagFile.empty()) sources.insert("tags");
    for (const auto& [path, corrected] : CorrectionsOf(options)) {
        const std::string fileName = path.Mid(path.ReverseFind(u'/') + 1).ToUtf8();
        const size_t underscore = fileName.find('_');
        const std::string name = !corrected.IsEmpty()           ? corrected.ToUtf8()
                                 : underscore != std::string::npos ? fileName.substr(0, underscore)
                                                                   : std::string();
        if (std::string source = BlockSource(name); !source.empty()) sources.insert(std::move(source));
    }
    return sources;
}

void RunImport(HostContext& ctx, const ImportOptions& options) {
    ScriptedUser user;
    SImportRun run;
    ScriptImport(user, options, run);
    auto session = ctx.OpenDevice(options.device, DeviceUse::kChange);
    ImportRecords records(ctx.Project(), options.device, ImportSources(options));
    records.RemoveRowsOfLastImport(*session);
    {
        CUiBackendScope backend(user);
        try {
            ShowTagImport(*session, ctx.Driver());
        } catch (const ScriptFailure& failure) {
            throw HostError(std::string("the tag import dialog did not go as planned: ") + failure.what());
        }
    }
    if (!run.failedStep.empty()) {
        PrintRows(ctx.Out(), run.failedStep);
        ctx.SetExitStatus(kExitRefused);
        return;
    }
    PrintRows(ctx.Out(), user.LastRows(kStatusList));
    if (EndCode(user) != kIdOk) {
        ctx.SetExitStatus(kExitRefused);
        return;
    }
    if (options.dryRun) {
        std::vector<std::string> changes;
        ctx.Out() << "summary\t" << records.Summarise(*session, false, &changes) << " (dry run: nothing was changed)\n";
        for (const std::string& change : changes) ctx.Out() << change << '\n';
        return;
    }
    // The image is stored first and let go of: the summary describes every row, and the rows, the
    // image and the keys of a large import are then not held at once. Both are committed together.
    ctx.SaveDevice(*session);
    session->ForgetWrittenImage();
    std::cerr << "vireo-host: " << options.device << ": " << records.Summarise(*session, true) << '\n';
}

}  // namespace

void AddImportCommands(CLI::App& app, CommandAction& action) {
    auto options = std::make_shared<ImportOptions>();
    CLI::App* import = app.add_subcommand("import", "runs the tag import dialog as a user would; prints its status list");
    import->add_option("DEV", options->device, "device name")->required();
    import->add_option("--tags", options->tagFile, "XML tag table")->check(WholeInputFile());
    import->add_option("--db", options->dbFiles, "data block source file (repeatable)")->check(WholeInputFile());
    import->add_option("--types", options->typeFiles, "data type source file, read before the import (repeatable)")
        ->check(WholeInputFile());
    import->add_option("--name-by", options->nameBy, "name channels after the block title or the file name")
        ->check(OneOf({"title", "file"}))
        ->capture_default_str();
    import->add_option("--tia-version,--version", options->version, "TIA Portal version of the sources (--version is the old name)")
        ->check(OneOf({"v13", "v15"}))
        ->capture_default_str();
    import->add_option("--block", options->blockNames, "FILE=DBn: correct the block name of a data block file (repeatable)");
    import->add_flag("--dry-run", options->dryRun, "say what the import would add, change and remove, and change nothing");
    import->callback([&action, options] {
        if (options->tagFile.empty() && options->dbFiles.empty())
            throw CLI::ValidationError("import", "give the sources to import: --tags FILE.xml or --db FILE (with --types FILE for their data types), "
                                                 "e.g. import PLC1 --tags PLCTags.xml --db DB1_Conveyor.db");
        CorrectionsOf(*options);  // a correction that names no data block file is a usage error
        action = [options](HostContext& ctx) { RunImport(ctx, *options); };
    });
}
