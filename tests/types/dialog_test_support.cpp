#include "dialog_test_support.h"

#include "platform/ui/edit.h"
#include "platform/ui/tree_ctrl.h"
#include "types/edit_data_type.h"

INT_PTR EditorTest::RunEditor() {
    CUiBackendScope backend(user);
    EditDataType editor;
    return editor.DoModal();
}

void EditorTest::Reload() {
    library.reset();
    library.emplace(dataTypeFile);
}


std::vector<std::string> StructurePaths(CWnd& editor) {
    CTreeCtrl& tree = *static_cast<CTreeCtrl*>(editor.GetDlgItem(kStructureTree));
    std::vector<std::string> paths;
    for (HTREEITEM item = tree.GetChildItem(TVI_ROOT); item; item = tree.GetNextSiblingItem(item)) {
        const CString text = tree.GetItemText(item);
        if (!(text == kUserGroup || text == kPredefinedGroup)) paths.push_back(Utf8(text));
        for (HTREEITEM child = tree.GetChildItem(item); child; child = tree.GetNextSiblingItem(child))
            paths.push_back(Utf8(TreeItemPath(tree, child)));
    }
    return paths;
}

std::string SelectedNode(CWnd& dialog, int tree) {
    CTreeCtrl& view = *static_cast<CTreeCtrl*>(dialog.GetDlgItem(tree));
    HTREEITEM selected = view.GetSelectedItem();
    return selected ? Utf8(TreeItemPath(view, selected)) : std::string();
}

bool IsReadOnly(CWnd& dialog, int edit) { return (dialog.GetDlgItem(edit)->GetStyle() & ES_READONLY) != 0; }
bool IsEnabled(CWnd& dialog, int control) { return dialog.GetDlgItem(control)->IsWindowEnabled(); }

void AddMemberByDialog(ScriptedUser& user, const CString& name, const CString& elementaryType) {
    user.Click(kAddMemberButton).ExpectDialog(u"添加数据成员").Type(kMemberNameEdit, name).PickNode(kTypeTree, {kElementaryGroup, elementaryType}).Click(IDOK);
}

void AddMembersByBatch(ScriptedUser& user, const CString& text) {
    user.Click(kBatchAddButton).ExpectDialog(u"批量添加").Type(kBatchTextEdit, text).Click(IDOK);
}
