// The tag import dialog: the user names an XML tag table and data block source files, chooses how
// channels are named, may read data type files or open the data structure editor, and starts the
// import. An import reads every source through the data type model and, when every type is known,
// adds a channel for each laid-out member to the device's channel table and ends the dialog with
// OK. Results and errors are rows of the status list; the dialog shows no message boxes itself.
#pragma once

#include <map>
#include <vector>

#include "core/dev_record.h"
#include "import/edit_enable_list_ctrl.h"
#include "import/tag_import_controls.h"
#include "platform/ui/dialog.h"
#include "platform/ui/list_ctrl.h"
#include "types/data_analysis.h"

class CTagImportDlg : public CDialog {
public:
    CTagImportDlg() : CDialog(kTagImportTemplate) {}
    ~CTagImportDlg() override = default;

    /// The record whose channel table receives the imported channels; null: an import adds none.
    void SetDeviceRecord(SDevRecord* record) { record_ = record; }

    BOOL OnInitDialog() override;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    /// Enter does not end the dialog: only a successful import does.
    void OnOK() override {}

    void OnBrowseTagFile();
    void OnAddBlockFiles();
    void OnRemoveBlockFiles();
    void OnNameByFileName();
    void OnNameByBlockTitle();
    void OnBlockListClick(NMHDR* header, LRESULT* result);
    void OnImportDataTypes();
    void OnEditDataTypes();
    void OnTagImport();
    void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    void SetUpStatusList();
    /// The preview of a variable name: device name, "_", the row's text in the column, tag name.
    CString PreviewOfRow(int row, int column) const;
    /// The preview for the first selected row, or with the placeholder when none is selected.
    void ShowPreview(int column, const CString& placeholder);
    /// Shows a result: the message list for a code of 0 or more, else the code's status text;
    /// then a row for each of the readers' notes, so that what was left out or changed is told.
    void ShowResult(int code);
    void AppendNoteRows(bool failed);
    /// Shows one message with the notes that explain it.
    void ShowMessage(const CString& message, ReaderNotes notes = {});
    /// Shows a failure that has no status code of its own: the notes so far and this one, numbered 0.
    void ShowFailureNote(SReaderNote note);
    void ClearResults();
    /// Reads the blocks again when the layout emptied their inline structures.
    void ReadBackEmptiedStructures();
    /// Adds the channels of the laid-out members, when every type was known, and ends with OK.
    bool AddImportedChannels();

    SDevRecord* record_ = nullptr;
    CListCtrl statusList_;
    CEditEnableListCtrl blockList_;
    DataAnalysis analysis_;
    std::vector<SFlatMember> members_;
    std::vector<CString> messages_;
    ReaderNotes notes_;  ///< what the readers of the last step left out or changed
    StructureList structures_;
    int namingRule_ = 1;  ///< 0: channels named after the file name (1027), 1: after the block title (1028)
    DbFileMap importCopy_;
    CString tagFilePath_;
    std::map<int, CString> statusMessages_;
};
