// The member dialog: edits one member of a structure type (name, description, read/write flag,
// data type, string length, up to three array dimensions). The type is picked from a tree or a
// sorted list of every type the type library knows, or typed with prefix matching; OK accepts only
// a name and a type the library knows (case-sensitively). It reads the type library and never
// changes it.
#pragma once

#include "types/data_type_dialog_controls.h"
#include "platform/ui/dialog.h"
#include "platform/ui/tree_ctrl.h"
#include "types/type_records.h"

class AddDataType : public CDialog {
public:
    AddDataType() : CDialog(kAddDataTypeTemplate) {}

    /// Fills the fields from a member before the dialog runs; a member without a Name leaves them
    /// as they start. A "[n]" suffix of the Type becomes the string length text.
    void LoadMember(const SMemberInfo& member);
    /// The member the fields describe; valid after the dialog ended with OK.
    const SMemberInfo& Member() const { return result_; }

    BOOL OnInitDialog() override;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    void OnOK() override;
    void OnTypeSelected(NMHDR* header, LRESULT* result);
    void OnTypeClicked(NMHDR* header, LRESULT* result);
    void OnListSelected();
    void OnTypeTyped();
    void OnShowAsList();
    DECLARE_MESSAGE_MAP()

private:
    CTreeCtrl& TypeTree() const;
    void FillTypeViews();
    void SetTypeText(const CString& type);
    bool IsKnownType(const CString& type) const;
    HTREEITEM FindTypeByPrefix(const CString& upperPrefix) const;
    void SelectListEntryByPrefix(const CString& upperPrefix);
    std::vector<SArrayDim> ReadDimensions();

    CString dims_[3] = {u"0", u"0", u"0"};  ///< dimension texts 0, 1, 2 ("lower.upper")
    CString type_;
    CString name_;
    CString mark_;
    CString readWrite_;
    CString length_;
    HTREEITEM groups_[3] = {};               ///< elementary, predefined, user-defined
    bool feedback_ = true;                   ///< false while typing selects a type, which must not write back
    SMemberInfo result_;
};
