#include "import/tag_import_dlg.h"

#include <utility>

#include "core/text_tables.h"
#include "import/block_name_notes.h"
#include "import/channels_from_tags.h"
#include "import/db_file_info_derivation.h"
#include "import/leaf_outcomes.h"
#include "types/import_result_codes.h"
#include "platform/freed_memory.h"
#include "platform/ui/data_exchange.h"
#include "platform/ui/file_dialog.h"
#include "types/edit_data_type.h"

namespace {

// Entries of the tag import texts.
constexpr int kDeviceNamePart = 0;
constexpr int kTagNamePart = 1;
constexpr int kBlockTitlePlaceholder = 2;
constexpr int kFileNamePlaceholder = 3;
constexpr int kImportSucceeded = 13;
constexpr int kTypeFilterV15 = 17;
constexpr int kTypeFilterV13 = 18;
constexpr int kTagFileFilter = 19;
constexpr int kTagFileTitle = 20;
constexpr int kBlockFilterV15 = 21;
constexpr int kBlockFilterV13 = 22;

// File-name buffers of the file dialogs, in characters: room for many chosen files.
constexpr DWORD kBlockFilesBuffer = 1040000;
constexpr DWORD kTypeFilesBuffer = 13000;

/// The files a file dialog returned, in its order.
std::vector<CString> ChosenPaths(const CFileDialog& dialog) {
    std::vector<CString> paths;
    for (POSITION position = dialog.GetStartPosition(); position;) paths.push_back(dialog.GetNextPathName(position));
    return paths;
}

/// The file name of a path up to its first ".", or empty when the path has no folder, no file
/// name, or a file name without ".".
CString DataTypeFileName(const CString& path) {
    const int separator = path.ReverseFind(u'/');
    if (separator < 0) return CString();
    const CString name = path.Mid(separator + 1);
    const int dot = name.Find(u'.');
    return dot < 0 ? CString() : name.Left(dot);
}

/// A file's name before a status text: Chinese runs them together ("UDT1导入成功"), a text that
/// starts with a Latin letter is set off by a blank ("UDT1 Import succeeded").
CString FileAndText(const CString& name, const CString& text) {
    const bool latin = !text.IsEmpty() && text[0] < 0x80 && text[0] != u' ';
    return latin ? name + u" " + text : name + text;
}

}  // namespace

void CTagImportDlg::DoDataExchange(CDataExchange* dx) {
    DDX_Control(dx, kStatusList, statusList_);
    DDX_Control(dx, kBlockList, blockList_);
    DDX_Radio(dx, kNameByFileRadio, namingRule_);
    DDX_Text(dx, kTagFileEdit, tagFilePath_);
}

BOOL CTagImportDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    statusMessages_ = StatusMessageTable();
    SetUpStatusList();
    blockList_.SetUpColumns();
    CheckRadioButton(kVersionV15Radio, kVersionV13Radio, kVersionV15Radio);
    OnNameByBlockTitle();
    return TRUE;
}

void CTagImportDlg::SetUpStatusList() {
    CRect client;
    statusList_.GetClientRect(&client);
    const int width = client.Width();
    statusList_.InsertColumn(0, Text(kStatusListHeadings, 0), LVCFMT_CENTER, width / 4);
    statusList_.InsertColumn(1, Text(kStatusListHeadings, 1), LVCFMT_CENTER, width - width / 4);
    statusList_.SetExtendedStyle(statusList_.GetExtendedStyle() | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_FLATSB);
}

void CTagImportDlg::OnBrowseTagFile() {
    CFileDialog dialog(TRUE, u"*.xml", nullptr, OFN_HIDEREADONLY | OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST,
                       Text(kTagImportTexts, kTagFileFilter).GetString(), this);
    const CString title = Text(kTagImportTexts, kTagFileTitle);
    dialog.m_ofn.lpstrTitle = title.GetString();
    if (dialog.DoModal() != IDOK) return;
    UpdateData(TRUE);
    // Only the first of several chosen files becomes the tag file.
    POSITION position = dialog.GetStartPosition();
    tagFilePath_ = position ? dialog.GetNextPathName(position) : CString();
    UpdateData(FALSE);
}

void CTagImportDlg::OnAddBlockFiles() {
    const int filter = IsDlgButtonChecked(kVersionV15Radio) ? kBlockFilterV15 : kBlockFilterV13;
    std::vector<char16_t> buffer(kBlockFilesBuffer);
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST, Text(kTagImportTexts, filter).GetString(), this);
    dialog.m_ofn.lpstrFile = buffer.data();
    dialog.m_ofn.nMaxFile = kBlockFilesBuffer;
    if (dialog.DoModal() == IDOK) {
        CString failed;
        const int result = blockList_.AddFiles(ChosenPaths(dialog), &failed);
        notes_.clear();
        if (result < 0) {
            notes_.push_back(BlockInfoNote(failed));
            ShowResult(result);
        }
    }
    blockList_.Redraw();
}

void CTagImportDlg::OnRemoveBlockFiles() {
    std::vector<CString> paths;
    for (POSITION position = blockList_.GetFirstSelectedItemPosition(); position;)
        paths.push_back(blockList_.GetItemText(blockList_.GetNextSelectedItem(position), kPathColumn));
    if (!paths.empty()) blockList_.RemoveFiles(paths);
}

CString CTagImportDlg::PreviewOfRow(int row, int column) const {
    return Text(kTagImportTexts, kDeviceNamePart) + u"_" + blockList_.GetItemText(row, column) + Text(kTagImportTexts, kTagNamePart);
}

void CTagImportDlg::ShowPreview(int column, const CString& placeholder) {
    POSITION position = blockList_.GetFirstSelectedItemPosition();
    const CString preview = position ? PreviewOfRow(blockList_.GetNextSelectedItem(position), column)
                                     : Text(kTagImportTexts, kDeviceNamePart) + u"_" + placeholder + Text(kTagImportTexts, kTagNamePart);
    SetDlgItemText(kPreviewText, preview);
}

void CTagImportDlg::OnNameByFileName() { ShowPreview(kFileNameColumn, Text(kTagImportTexts, kFileNamePlaceholder)); }

void CTagImportDlg::OnNameByBlockTitle() { ShowPreview(kBlockTitleColumn, Text(kTagImportTexts, kBlockTitlePlaceholder)); }

void CTagImportDlg::OnBlockListClick(NMHDR* header, LRESULT* result) {
    const int row = reinterpret_cast<NMITEMACTIVATE*>(header)->iItem;
    CString preview;
    if (IsDlgButtonChecked(kNameByFileRadio)) preview = PreviewOfRow(row, kFileNameColumn);
    else if (IsDlgButtonChecked(kNameByTitleRadio)) preview = PreviewOfRow(row, kBlockTitleColumn);
    SetDlgItemText(kPreviewText, preview);
    *result = 0;
}

void CTagImportDlg::OnImportDataTypes() {
    const int filter = IsDlgButtonChecked(kVersionV15Radio) ? kTypeFilterV15 : kTypeFilterV13;
    std::vector<char16_t> buffer(kTypeFilesBuffer);
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_ALLOWMULTISELECT, Text(kTagImportTexts, filter).GetString(), this);
    dialog.m_ofn.lpstrFile = buffer.data();
    dialog.m_ofn.nMaxFile = kTypeFilesBuffer;
    if (dialog.DoModal() != IDOK) return;
    const std::vector<CString> paths = ChosenPaths(dialog);
    ClearResults();
    const int result = analysis_.LoadFiles(paths, structures_, kLoadSourceFiles);
    notes_ = analysis_.TakeReaderNotes();
    if (result < 0) return ShowResult(result);
    statusList_.DeleteAllItems();
    int row = 0;
    for (const CString& path : paths) {
        const CString name = DataTypeFileName(path);
        if (name.IsEmpty()) continue;
        CString number;
        number.Format(u"%d", row + 1);
        statusList_.InsertItem(row, number);
        statusList_.SetItemText(row, 1, FileAndText(name, Text(kTagImportTexts, kImportSucceeded)));
        ++row;
    }
    AppendNoteRows(false);
}

void CTagImportDlg::OnEditDataTypes() {
    EditDataType editor;
    editor.DoModal();
}

void CTagImportDlg::ClearResults() {
    structures_.clear();
    members_.clear();
    messages_.clear();
    notes_.clear();
}

void CTagImportDlg::ShowMessage(const CString& message, ReaderNotes notes) {
    messages_.assign(1, message);
    notes_ = std::move(notes);  // those of an earlier step are no longer true
    ShowResult(0);
}

void CTagImportDlg::ShowFailureNote(SReaderNote note) {
    statusList_.DeleteAllItems();
    notes_.push_back(std::move(note));
    AppendNoteRows(true);
}

void CTagImportDlg::ShowResult(int code) {
    statusList_.DeleteAllItems();
    if (code >= 0) {
        for (size_t i = 0; i < messages_.size(); ++i) {
            CString number;
            number.Format(u"%d", static_cast<int>(i + 1));
            statusList_.InsertItem(static_cast<int>(i), number);
            statusList_.SetItemText(static_cast<int>(i), 1, messages_[i]);
        }
        return AppendNoteRows(false);
    }
    const auto text = statusMessages_.find(code);
    if (text == statusMessages_.end()) return;
    statusList_.InsertItem(0, u"0");
    statusList_.SetItemText(0, 1, text->second);
    AppendNoteRows(true);
}

void CTagImportDlg::AppendNoteRows(bool failed) {
    // After a failure the notes tell where it happened and carry its number 0; otherwise they
    // go on numbering the rows.
    for (const SReaderNote& note : notes_) {
        const int row = statusList_.GetItemCount();
        CString number;
        if (failed) number = u"0";
        else number.Format(u"%d", row + 1);
        statusList_.InsertItem(row, number);
        statusList_.SetItemText(row, 1, ReaderNoteText(note));
    }
}

void CTagImportDlg::OnTagImport() {
    const int check = CheckBlockNames(blockList_.Files(), IsDlgButtonChecked(kNameByTitleRadio) != 0, importCopy_);
    if (check != kBlockNamesValid) return ShowMessage(BlockNameCheckText(check), BlockNameNotes(blockList_.Files()));
    UpdateData(TRUE);
    ClearResults();
    if (tagFilePath_.IsEmpty() && importCopy_.empty()) return ShowFailureNote(NoteOf(SReaderNote::kNoSourceChosen));
    analysis_.Reset();
    // Lay out only what this attempt loads: the records of earlier attempts (of a file removed from
    // the list since, say) must not come back as channels.
    analysis_.ForgetTopLevelRecords();
    std::vector<CString> tagTables;
    if (!tagFilePath_.IsEmpty()) tagTables.push_back(tagFilePath_);
    const SParsedSources read = analysis_.LoadTagTablesAndBlocks(tagTables, importCopy_, structures_);
    notes_ = analysis_.TakeReaderNotes();
    if (read.tags < 0) return ShowResult(read.tags);
    const int blocks = read.blocks;
    if (blocks < 0) return ShowResult(blocks);
    // Laid out, the records are forgotten: the leaves hold all that is needed of them. A large
    // block's inline structures are let go of as they are laid out, when no one else holds the
    // type library: an import that succeeds lets go of the library, one that fails reads them back.
    const InlineStructures inlineStructures = analysis_.HoldsLibraryAlone() ? InlineStructures::kLetGo : InlineStructures::kKeep;
    const int layout = analysis_.FlattenAndForgetRecords(inlineStructures);
    const ReaderNotes layoutNotes = analysis_.LayoutNotes();
    notes_.insert(notes_.end(), layoutNotes.begin(), layoutNotes.end());
    if (layout < 0) {
        ReadBackEmptiedStructures();
        return ShowResult(layout);
    }
    analysis_.MoveResults(members_, messages_);
    analysis_.Reset();
    if (messages_.empty()) NoteLeafOutcomes(members_, notes_);
    if (AddImportedChannels()) return;
    ReadBackEmptiedStructures();
    if (messages_.empty() && members_.empty()) return ShowFailureNote(NoteOf(SReaderNote::kNothingToImport));
    ShowResult(blocks);
}

void CTagImportDlg::ReadBackEmptiedStructures() {
    // The dialog stays open: the data type editor and the next import see every structure the
    // blocks declare, as they would without the layout's letting go.
    if (analysis_.EmptiedInlineStructures()) analysis_.ReadBlocksAgain(importCopy_);
}

bool CTagImportDlg::AddImportedChannels() {
    if (!messages_.empty() || members_.empty()) return false;
    // The leaves hold all the rows need: the structures they were laid out from go first, so
    // that a plant's types are not held beside its rows.
    analysis_.ReleaseLibrary();
    ReturnFreedMemory();
    AddChannelsFromMembers(std::move(members_), record_ ? record_->chlTable.get() : nullptr);
    messages_.push_back(Text(kTagImportTexts, kImportSucceeded));
    ShowResult(0);
    EndDialog(IDOK);
    return true;
}

void CTagImportDlg::OnDestroy() {
    analysis_.ReleaseLibrary();
    CDialog::OnDestroy();
}

BEGIN_MESSAGE_MAP(CTagImportDlg, CDialog)
    ON_BN_CLICKED(kBrowseTagFileButton, &CTagImportDlg::OnBrowseTagFile)
    ON_BN_CLICKED(kBrowseBlockFilesButton, &CTagImportDlg::OnAddBlockFiles)
    ON_BN_CLICKED(kRemoveBlockFilesButton, &CTagImportDlg::OnRemoveBlockFiles)
    ON_BN_CLICKED(kNameByFileRadio, &CTagImportDlg::OnNameByFileName)
    ON_BN_CLICKED(kNameByTitleRadio, &CTagImportDlg::OnNameByBlockTitle)
    ON_NOTIFY(NM_CLICK, kBlockList, &CTagImportDlg::OnBlockListClick)
    ON_BN_CLICKED(kImportDataTypesButton, &CTagImportDlg::OnImportDataTypes)
    ON_BN_CLICKED(kEditDataTypesButton, &CTagImportDlg::OnEditDataTypes)
    ON_BN_CLICKED(kTagImportButton, &CTagImportDlg::OnTagImport)
    ON_WM_DESTROY()
END_MESSAGE_MAP()
