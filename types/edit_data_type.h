// The data structure editor: browses the structure types of the type library in a tree (groups
// "预定义" and "用户定义"), shows a structure's members in a list, and creates, changes, deletes
// and imports structures. Every saved change goes at once to the type library and to DataType.xml
// (SaveStruct). It takes a type library reference for each action and gives it back at the end of
// that action.
#pragma once

#include <vector>

#include "types/data_type_dialog_controls.h"
#include "platform/ui/dialog.h"
#include "platform/ui/list_ctrl.h"
#include "platform/ui/menu.h"
#include "platform/ui/tree_ctrl.h"
#include "types/type_records.h"

class EditDataType : public CDialog {
public:
    EditDataType() : CDialog(kEditDataTypeTemplate) {}

    BOOL OnInitDialog() override;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    void OnTreeSelChanged(NMHDR* header, LRESULT* result);
    void OnContextMenu(CWnd* window, CPoint point);
    void OnListClick(NMHDR* header, LRESULT* result);
    void OnListDoubleClick(NMHDR* header, LRESULT* result);
    void OnEditOrSave();
    void OnNewStructure();
    void OnDeleteStructure();
    void OnImport();
    void OnRefresh();
    void OnMoveUp();
    void OnMoveDown();
    void OnDeleteRow();
    void OnAddMember();
    void OnBatchAdd();
    void OnHelp();
    void OnLeave();
    DECLARE_MESSAGE_MAP()

private:
    CTreeCtrl& Tree() const;
    CListCtrl& List() const;

    void FillTree();
    void ShowStructure(const CString& name);
    void EnterEditing();
    void LeaveEditing();
    void SetEditing(bool editing);

    SStructInfo HeaderFromFields() const;
    std::vector<SMemberInfo> MembersFromRows() const;
    SMemberInfo MemberFromRow(int row) const;
    /// Puts each member into the list: into the row of its name (ignoring case), else a new row.
    void PutMembers(const std::vector<SMemberInfo>& members);
    void MoveRow(int from, int to);
    /// Opens the member dialog with the member; true and the member changed by the user on OK.
    bool AskMember(SMemberInfo& member, const CString& selfMemberMessage);

    void SaveStructure(SStructInfo header, const std::vector<SMemberInfo>& members);
    /// Saves the structures of an import as SaveStructure would one by one, with the user data
    /// type file written once, after all of them, and the tree filled again once.
    void SaveImported(const StructMap& parsed);
    /// The group a structure not in the tree joins: the selected group, or the group of the
    /// selected structure, else the user group.
    HTREEITEM GroupForNewStructure() const;
    HTREEITEM StructureNode(const CString& name);
    bool IsGroup(HTREEITEM item) const { return item && (item == userGroup_ || item == predefinedGroup_); }
    void ReportSaveResult(int saved);
    void ReportImportFailures(const std::vector<CString>& failures);

    CString name_;
    CString mark_;
    bool editing_ = false;
    HTREEITEM predefinedGroup_ = nullptr;
    HTREEITEM userGroup_ = nullptr;
    CMenu menu_;
};
