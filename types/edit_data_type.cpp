#include "types/data_type_dialog_controls.h"
#include "types/edit_data_type.h"

#include <unordered_map>

#include "types/import_result_codes.h"
#include "platform/path_names.h"
#include "platform/resources.h"
#include "platform/ui/data_exchange.h"
#include "platform/ui/edit.h"
#include "platform/ui/file_dialog.h"
#include "platform/ui/message_box.h"
#include "platform/ui/shell_open.h"
#include "types/add_data_type.h"
#include "types/batch_member_text.h"
#include "types/data_type_texts.h"
#include "types/type_library_ref.h"
#include "types/member_row_text.h"
#include "types/new_more_dlg.h"
#include "types/synthetic_structures.h"

namespace {

/// The buttons that work on rows, enabled only while editing.
constexpr int kRowButtons[] = {kMoveUpButton, kMoveDownButton, kDeleteRowButton, kAddMemberButton, kBatchAddButton};

// Commands of the tree's popup menu.
constexpr UINT kImportCommand = 32771;
constexpr UINT kNewCommand = 32772;
constexpr UINT kEditCommand = 32773;
constexpr UINT kDeleteCommand = 32774;
constexpr UINT kRefreshCommand = 32775;

enum MemberColumn { kNameColumn, kTypeColumn, kMarkColumn, kAccessColumn, kColumnCount };
struct SColumn {
    DataTypeEditorText heading;
    int width;
};
constexpr SColumn kColumns[kColumnCount] = {{kNameHeading, 75}, {kTypeHeading, 75}, {kMarkHeading, 158}, {kAccessHeading, 75}};

/// The file selection of the import holds this many characters.
constexpr DWORD kImportBufferSize = 1040000;
constexpr int kImportFilterText = 24;  ///< "scl,udt文件|*.scl;*.udt|" in the tag import texts
constexpr const char16_t* kHelpFile = u"Vireo_ex.chm";

CString FileNameOf(const CString& path) { return path.Mid(path.ReverseFind(u'/') + 1); }

/// Member names compare without regard to the case of Latin letters.
CString NameKey(CString name) { return name.MakeLower(); }


}  // namespace

CTreeCtrl& EditDataType::Tree() const { return *static_cast<CTreeCtrl*>(GetDlgItem(kStructureTree)); }
CListCtrl& EditDataType::List() const { return *static_cast<CListCtrl*>(GetDlgItem(kMemberList)); }

void EditDataType::DoDataExchange(CDataExchange* dx) {
    DDX_Text(dx, kStructureNameEdit, name_);
    DDX_Text(dx, kStructureMarkEdit, mark_);
}

BOOL EditDataType::OnInitDialog() {
    CDialog::OnInitDialog();
    FillTree();
    if (!TypeLibraryRef()->UserFileReadable()) MessageBox(EditorText(kFileUnreadable), nullptr, MB_OK | MB_ICONERROR);
    editing_ = false;
    CListCtrl& list = List();
    for (int column = 0; column < kColumnCount; ++column)
        list.InsertColumn(column, EditorText(kColumns[column].heading), LVCFMT_LEFT, kColumns[column].width);
    list.SetExtendedStyle(list.GetExtendedStyle() | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    menu_.CreatePopupMenu();
    menu_.AppendMenu(MF_STRING, kImportCommand, EditorText(kImportItem));
    menu_.AppendMenu(MF_SEPARATOR);
    menu_.AppendMenu(MF_STRING, kNewCommand, EditorText(kNewItem));
    menu_.AppendMenu(MF_STRING, kEditCommand, EditorText(kEditItem));
    menu_.AppendMenu(MF_STRING, kDeleteCommand, EditorText(kDeleteItem));
    menu_.AppendMenu(MF_SEPARATOR);
    menu_.AppendMenu(MF_STRING, kRefreshCommand, EditorText(kRefreshItem));
    return TRUE;
}

void EditDataType::FillTree() {
    CTreeCtrl& tree = Tree();
    tree.DeleteAllItems();
    predefinedGroup_ = tree.InsertItem(EditorText(kPredefinedGroup));
    userGroup_ = tree.InsertItem(EditorText(kUserGroup));
    // A structure of neither mode joins the group of the structure before it (the root at first).
    HTREEITEM group = TVI_ROOT;
    for (const auto& [header, members] : TypeLibraryRef().UserStructs()) {
        if (header.Mode == 0) group = predefinedGroup_;
        else if (header.Mode == 1) group = userGroup_;
        tree.InsertItem(header.Name, group);
    }
    tree.SortChildren(userGroup_);
    tree.SortChildren(predefinedGroup_);
}

void EditDataType::OnTreeSelChanged(NMHDR* header, LRESULT* result) {
    *result = 0;
    const HTREEITEM item = reinterpret_cast<NMTREEVIEW*>(header)->itemNew.hItem;
    if (!item) return;
    const CString text = Tree().GetItemText(item);
    if (text == EditorText(kUserGroup) || text == EditorText(kPredefinedGroup)) return;
    ShowStructure(text);
}

void EditDataType::ShowStructure(const CString& name) {
    UpdateData(TRUE);
    if (name_ == name) return;
    CListCtrl& list = List();
    list.DeleteAllItems();
    LeaveEditing();
    const StructMap structs = TypeLibraryRef().UserStructs();
    const auto found = structs.find(name.view());
    if (found != structs.end()) {
        name_ = name;
        mark_ = found->first.Mark;
        int row = 0;
        for (const SMemberInfo& member : found->second) {
            list.InsertItem(row, member.Name);
            list.SetItemText(row, kTypeColumn, MemberTypeText(member));
            list.SetItemText(row, kMarkColumn, member.Mark.Text());
            list.SetItemText(row, kAccessColumn, ReadWriteLabel(member.Read, member.Write));
            ++row;
        }
    }
    UpdateData(FALSE);
}

void EditDataType::SetEditing(bool editing) {
    editing_ = editing;
    SetDlgItemText(kEditSaveButton, EditorText(editing ? kSaveItem : kEditItem));
    static_cast<CEdit*>(GetDlgItem(kStructureNameEdit))->SetReadOnly(!editing);
    static_cast<CEdit*>(GetDlgItem(kStructureMarkEdit))->SetReadOnly(!editing);
    for (int id : kRowButtons) GetDlgItem(id)->EnableWindow(editing);
}

void EditDataType::EnterEditing() { SetEditing(true); }
void EditDataType::LeaveEditing() { SetEditing(false); }

void EditDataType::OnNewStructure() {
    EnterEditing();
    name_.Empty();
    mark_.Empty();
    List().DeleteAllItems();
    UpdateData(FALSE);
}

void EditDataType::OnEditOrSave() {
    if (!editing_) {
        EnterEditing();
        return;
    }
    UpdateData(TRUE);
    if (name_.IsEmpty()) {
        MessageBox(EditorText(kNoStructName));
        return;
    }
    if (List().GetItemCount() == 0) {
        MessageBox(EditorText(kNoMembers));
        return;
    }
    const SStructInfo header = HeaderFromFields();
    const std::vector<SMemberInfo> members = MembersFromRows();
    LeaveEditing();
    SaveStructure(header, members);
}

SStructInfo EditDataType::HeaderFromFields() const {
    SStructInfo header;
    header.Name = name_;
    header.Mark = mark_;
    return header;
}

SMemberInfo EditDataType::MemberFromRow(int row) const {
    const CListCtrl& list = List();
    SMemberInfo member;
    member.Name = list.GetItemText(row, kNameColumn);
    member.Mark = list.GetItemText(row, kMarkColumn);
    member.Type = ReadArrayPart(list.GetItemText(row, kTypeColumn), member);
    ReadReadWriteLabel(list.GetItemText(row, kAccessColumn), member);
    return member;
}

std::vector<SMemberInfo> EditDataType::MembersFromRows() const {
    std::vector<SMemberInfo> members;
    for (int row = 0; row < List().GetItemCount(); ++row) {
        SMemberInfo member = MemberFromRow(row);
        ReadLengthSuffix(member.Type, member);
        members.push_back(std::move(member));
    }
    return members;
}

void EditDataType::SaveStructure(SStructInfo header, const std::vector<SMemberInfo>& members) {
    CTreeCtrl& tree = Tree();
    const HTREEITEM selected = tree.GetSelectedItem();
    HTREEITEM node = selected && tree.GetItemText(selected) == header.Name ? selected : nullptr;
    if (!node) {
        node = tree.FindItemByText(header.Name, true);
        if (!node) node = tree.InsertItem(header.Name, GroupForNewStructure());
        if (!node) return;
    }
    // The group that holds the node decides the mode, so a structure keeps its group when saved again.
    header.Mode = tree.GetParentItem(node) == predefinedGroup_ ? 0 : 1;

    TypeLibraryRef library;
    if (library->HasUserStruct(header.Name)) {
        if (MessageBox(EditorText(kReplaceQuestion), nullptr, MB_OKCANCEL | MB_ICONQUESTION) != IDOK) return;
        const int saved = library->SaveStruct(header, members, kSaveStructReplace);
        FillTree();
        ReportSaveResult(saved);
        return;
    }
    ReportSaveResult(library->SaveStruct(header, members, kSaveStructAdd));
}

void EditDataType::ReportSaveResult(int saved) {
    if (saved) return;
    const bool readOnly = TypeLibraryRef()->DataTypeFile().IsReadOnly();
    MessageBox(EditorText(readOnly ? kFileReadOnly : kFileNotWritten), nullptr, MB_OK | MB_ICONWARNING);
}

void EditDataType::OnDeleteStructure() {
    CTreeCtrl& tree = Tree();
    const HTREEITEM selected = tree.GetSelectedItem();
    if (!selected || tree.ItemHasChildren(selected) || IsGroup(selected)) return;
    SStructInfo header;
    header.Name = tree.GetItemText(selected);
    const int saved = TypeLibraryRef()->SaveStruct(header, {}, kSaveStructDelete);
    tree.DeleteItem(selected);
    ReportSaveResult(saved);
}

void EditDataType::OnImport() {
    std::vector<char16_t> buffer(kImportBufferSize);
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_ALLOWMULTISELECT | OFN_EXPLORER,
                       Text(kTagImportTexts, kImportFilterText).GetString(), this);
    dialog.m_ofn.lpstrFile = buffer.data();
    dialog.m_ofn.nMaxFile = kImportBufferSize;
    if (dialog.DoModal() != IDOK) return;
    std::vector<CString> paths;
    for (POSITION position = dialog.GetStartPosition(); position;) paths.push_back(dialog.GetNextPathName(position));

    TypeLibraryRef library;
    // Each file on its own, so that a file that fails is named and the files after it are still read.
    std::vector<CString> failures;
    for (const CString& path : paths) {
        StructureList completed;
        int result = library->ParseSourceFiles({path}, completed);
        // A file that holds no structure at all (garbage, an empty file, another kind of file) is
        // not an import of nothing.
        if (result >= 0 && completed.empty()) result = kSourceFileEmpty;
        if (result >= 0) continue;
        const CString status = ImportStatusText(result);
        failures.push_back(FileNameOf(path) + u": " + (status.IsEmpty() ? ImportStatusText(kFileLoadFailed) : status));
    }
    ReportImportFailures(failures);
    StructMap parsed;
    library->GetParsedStructs(parsed);
    DropLeftoverSyntheticStructs(parsed);  // a source cut off inside a Struct leaves one behind
    SaveImported(parsed);
}

void EditDataType::SaveImported(const StructMap& parsed) {
    TypeLibraryRef library;
    // The group of each structure in the tree, by its name without regard to case, as the tree
    // is searched when one structure is saved; a new one joins the group of the selection.
    std::unordered_map<CString, HTREEITEM> groupOfName;
    CTreeCtrl& tree = Tree();
    for (HTREEITEM group = tree.GetChildItem(TVI_ROOT); group; group = tree.GetNextSiblingItem(group)) {
        groupOfName.try_emplace(NameKey(tree.GetItemText(group)), TVI_ROOT);
        for (HTREEITEM node = tree.GetChildItem(group); node; node = tree.GetNextSiblingItem(node))
            groupOfName.try_emplace(NameKey(tree.GetItemText(node)), group);
    }
    const HTREEITEM newGroup = GroupForNewStructure();
    // Every structure changes the map at once and the file once, at the end, after all of them.
    library->DeferFileWrites();
    for (const auto& [parsedHeader, members] : parsed) {
        SStructInfo header = parsedHeader;
        const HTREEITEM group = groupOfName.try_emplace(NameKey(header.Name), newGroup).first->second;
        header.Mode = group == predefinedGroup_ ? 0 : 1;
        if (!library->HasUserStruct(header.Name)) {
            library->SaveStruct(header, members, kSaveStructAdd);
        } else if (MessageBox(EditorText(kReplaceQuestion), nullptr, MB_OKCANCEL | MB_ICONQUESTION) == IDOK) {
            library->SaveStruct(header, members, kSaveStructReplace);
        }
    }
    const bool written = library->FinishFileWrites();
    FillTree();
    ReportSaveResult(written ? 1 : 0);
}

HTREEITEM EditDataType::GroupForNewStructure() const {
    CTreeCtrl& tree = Tree();
    const HTREEITEM selected = tree.GetSelectedItem();
    if (!selected) return userGroup_;
    const HTREEITEM parent = tree.GetParentItem(selected);
    const HTREEITEM group = parent ? parent : selected;
    return IsGroup(group) ? group : userGroup_;
}

void EditDataType::ReportImportFailures(const std::vector<CString>& failures) {
    if (failures.empty()) return;
    CString text;
    for (const CString& failure : failures) text += (text.IsEmpty() ? CString() : CString(u"\n")) + failure;
    MessageBox(text, nullptr, MB_OK | MB_ICONERROR);
}

void EditDataType::OnRefresh() { FillTree(); }

void EditDataType::OnContextMenu(CWnd* window, CPoint point) {
    if (!window || window->GetDlgCtrlID() != kStructureTree) return;
    menu_.TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x, point.y, this);
}

void EditDataType::MoveRow(int from, int to) {
    CListCtrl& list = List();
    CString texts[kColumnCount];
    for (int column = 0; column < kColumnCount; ++column) texts[column] = list.GetItemText(from, column);
    list.DeleteItem(from);
    list.InsertItem(to, texts[kNameColumn]);
    for (int column = 1; column < kColumnCount; ++column) list.SetItemText(to, column, texts[column]);
    list.SetItemState(-1, 0, LVIS_SELECTED);
    list.SetItemState(to, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    list.SetSelectionMark(to);
}

void EditDataType::OnMoveUp() {
    const int row = List().GetSelectionMark();
    if (row >= 1 && row < List().GetItemCount()) MoveRow(row, row - 1);
}

void EditDataType::OnMoveDown() {
    const int row = List().GetSelectionMark();
    if (row >= 0 && row + 1 < List().GetItemCount()) MoveRow(row, row + 1);
}

void EditDataType::OnDeleteRow() {
    const int row = List().GetSelectionMark();
    if (row >= 0 && row < List().GetItemCount()) List().DeleteItem(row);
}

void EditDataType::OnListClick(NMHDR* header, LRESULT* result) {
    *result = 0;
    if (reinterpret_cast<NMITEMACTIVATE*>(header)->iItem < 0) List().SetSelectionMark(-1);
}

void EditDataType::OnListDoubleClick(NMHDR* header, LRESULT* result) {
    *result = 0;
    const int row = reinterpret_cast<NMITEMACTIVATE*>(header)->iItem;
    if (!editing_ || row < 0 || row >= List().GetItemCount()) return;
    SMemberInfo member = MemberFromRow(row);
    List().SetSelectionMark(-1);
    if (AskMember(member, EditorText(kSelfMemberEdited))) PutMembers({member});
}

void EditDataType::OnAddMember() {
    List().SetSelectionMark(-1);
    SMemberInfo member;
    if (AskMember(member, EditorText(kSelfMemberAdded))) PutMembers({member});
}

bool EditDataType::AskMember(SMemberInfo& member, const CString& selfMemberMessage) {
    AddDataType dialog;
    dialog.LoadMember(member);
    if (dialog.DoModal() != IDOK) return false;
    member = dialog.Member();
    UpdateData(TRUE);
    if (member.Name.CompareNoCase(name_) == 0) {
        MessageBox(selfMemberMessage);
        return false;
    }
    return true;
}

void EditDataType::OnBatchAdd() {
    CNewMoreDlg dialog;
    if (dialog.DoModal() != IDOK) return;
    // A malformed line rejects the whole text before any row changes.
    const std::vector<SMemberInfo> members = ParseBatchMembers(dialog.m_text);
    List().SetSelectionMark(-1);
    PutMembers(members);
}

void EditDataType::PutMembers(const std::vector<SMemberInfo>& members) {
    CListCtrl& list = List();
    std::unordered_map<CString, int> rowOfName;  // the first row of each name, without regard to case
    for (int row = list.GetItemCount() - 1; row >= 0; --row) rowOfName[NameKey(list.GetItemText(row, kNameColumn))] = row;
    for (const SMemberInfo& member : members) {
        int row = list.GetSelectionMark();
        if (row < 0 || row >= list.GetItemCount()) {
            const auto named = rowOfName.find(NameKey(member.Name));
            row = named != rowOfName.end() ? named->second : list.InsertItem(list.GetItemCount(), member.Name);
            rowOfName.try_emplace(NameKey(member.Name), row);
        }
        list.SetItemText(row, kNameColumn, member.Name);
        list.SetItemText(row, kTypeColumn, MemberTypeText(member));
        list.SetItemText(row, kMarkColumn, member.Mark.Text());
        list.SetItemText(row, kAccessColumn, ReadWriteLabel(member.Read, member.Write));
        list.SetSelectionMark(-1);  // each member finds its own row
    }
}

void EditDataType::OnHelp() {
    const CString helpFile = PathBeside(GetModuleFileNameW(AfxGetResourceHandle()), kHelpFile);
    ShellExecuteW(m_hWnd, u"open", helpFile.GetString(), nullptr, nullptr, SW_SHOW);
}

void EditDataType::OnLeave() { OnCancel(); }

BEGIN_MESSAGE_MAP(EditDataType, CDialog)
    ON_NOTIFY(TVN_SELCHANGED, kStructureTree, &EditDataType::OnTreeSelChanged)
    ON_NOTIFY(NM_CLICK, kMemberList, &EditDataType::OnListClick)
    ON_NOTIFY(NM_DBLCLK, kMemberList, &EditDataType::OnListDoubleClick)
    ON_WM_CONTEXTMENU()
    ON_BN_CLICKED(kEditSaveButton, &EditDataType::OnEditOrSave)
    ON_BN_CLICKED(kEditorNewButton, &EditDataType::OnNewStructure)
    ON_BN_CLICKED(kEditorImportButton, &EditDataType::OnImport)
    ON_BN_CLICKED(kMoveUpButton, &EditDataType::OnMoveUp)
    ON_BN_CLICKED(kMoveDownButton, &EditDataType::OnMoveDown)
    ON_BN_CLICKED(kDeleteRowButton, &EditDataType::OnDeleteRow)
    ON_BN_CLICKED(kAddMemberButton, &EditDataType::OnAddMember)
    ON_BN_CLICKED(kBatchAddButton, &EditDataType::OnBatchAdd)
    ON_BN_CLICKED(kEditorHelpButton, &EditDataType::OnHelp)
    ON_BN_CLICKED(kLeaveButton, &EditDataType::OnLeave)
    ON_COMMAND(kImportCommand, &EditDataType::OnImport)
    ON_COMMAND(kNewCommand, &EditDataType::OnNewStructure)
    ON_COMMAND(kEditCommand, &EditDataType::OnEditOrSave)
    ON_COMMAND(kDeleteCommand, &EditDataType::OnDeleteStructure)
    ON_COMMAND(kRefreshCommand, &EditDataType::OnRefresh)
END_MESSAGE_MAP()
