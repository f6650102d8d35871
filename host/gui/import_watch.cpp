#include "host/gui/import_watch.h"

#include <algorithm>
#include <set>

#include "host/user_input/screen_text.h"
#include "import/edit_enable_list_ctrl.h"
#include "import/tag_import_controls.h"
#include "platform/ui/button.h"
#include "platform/ui/dialog.h"

namespace {

/// The sources as the dialog holds them at the click on its import button.
struct SDialogSources {
    SLayoutRequest request;
    std::set<std::string> sources;  ///< as the import records name them
};

SDialogSources ReadSources(CDialog& dialog) {
    SDialogSources read;
    dialog.GetDlgItemText(kTagFileEdit, read.request.tagFile);
    if (!read.request.tagFile.IsEmpty()) read.sources.insert("tags");
    for (const std::vector<CString>& row : ListViewRows(dialog.GetDlgItem(kBlockList)->m_hWnd)) {
        if (row.size() <= kPathColumn) continue;
        read.request.dbFiles.Add(row[kPathColumn]);
        read.request.blockNames.Add(row[kBlockNameColumn]);
        const std::string source = BlockSource(row[kBlockNameColumn].ToUtf8());
        if (!source.empty()) read.sources.insert(source);
    }
    read.request.nameByTitle = dialog.IsDlgButtonChecked(kNameByTitleRadio) ? 1 : 0;
    return read;
}

}  // namespace

ImportWatch::ImportWatch(ProjectStore& project, std::string device, DeviceSession& session, const DriverLibrary& driver)
    : project_(project), device_(std::move(device)), session_(session), driver_(driver) {}

void ImportWatch::BeforeCommand(CWnd& window, UINT id, UINT code) {
    auto* dialog = dynamic_cast<CDialog*>(&window);
    if (!dialog || dialog->GetTemplateId() != kTagImportTemplate || id != static_cast<UINT>(kTagImportButton) || code != BN_CLICKED)
        return;
    // The dry run takes the import's steps on the same files and the same type library, so it
    // fails where the import would; only an import that is to succeed may take rows away.
    SDialogSources read = ReadSources(*dialog);
    size_t leaves = 0;  // counted, not kept: only whether there are any matters here
    read.request.takeLeaf = [&leaves](const SLayoutLeaf&) { ++leaves; };
    SLayoutResult result;
    CallExport("VireoLayoutDryRun", [&] { return driver_.Require<VireoLayoutDryRunFn>("VireoLayoutDryRun")(read.request, result); });
    if (result.failure != 0 || !result.unknownTypes.IsEmpty() || leaves == 0) return;
    if (records_) return;  // an import already succeeded: the dialog has ended
    records_.emplace(project_, device_, std::move(read.sources));
    records_->RemoveRowsOfLastImport(session_);
    if (std::optional<ImageView> written = session_.WrittenImage()) afterRemoval_.assign(written->begin(), written->end());
    rows_.clear();
    for (const CString& note : result.notes) rows_.push_back(note.ToUtf8());
}

bool ImportWatch::ImportEnded() const {
    if (!records_) return false;
    // The driver stores the device when the import ends the dialog with OK; until then the
    // device is as the taking away left it (a prediction that failed, or a user who cancelled).
    const std::optional<ImageView> written = session_.WrittenImage();
    return written && !std::equal(written->begin(), written->end(), afterRemoval_.begin(), afterRemoval_.end());
}

std::vector<std::string> ImportWatch::Finish() {
    if (!records_) return {};
    std::vector<std::string> lines = rows_;
    lines.push_back(device_ + ": " + records_->Summarise(session_, true));
    return lines;
}
