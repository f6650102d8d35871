#include "types/data_type_dialog_controls.h"
#include "types/add_data_type.h"

#include "platform/ui/button.h"
#include "platform/ui/combo_box.h"
#include "platform/ui/data_exchange.h"
#include "platform/ui/edit.h"
#include "platform/ui/list_box.h"
#include "platform/ui/message_box.h"
#include "types/data_type_texts.h"
#include "types/type_library_ref.h"
#include "types/member_row_text.h"

namespace {


enum TypeGroup { kElementary, kPredefined, kUserDefined };
constexpr DataTypeEditorText kGroupTexts[3] = {kElementaryGroup, kPredefinedGroup, kUserGroup};

constexpr const char16_t* kReadWriteItems[] = {u"Read/Write", u"Read Only", u"None"};
constexpr const char16_t* kStringType = u"String";

/// The type library's types, copied under one reference that is given back at once.
struct STypeNames {
    std::vector<STypeSize> elementary;
    StructMap structures;
};

STypeNames CopyTypeNames() {
    STypeNames names;
    const TypeLibraryRef library;
    library->GetElementaryTypes(names.elementary);
    library->GetUserStructs(names.structures);
    return names;
}

/// The number a text begins with, or 0.
int NumberIn(const CString& text) {
    int value = 0;
    ScanDecimal(text.view(), value);
    return value;
}

CString Upper(CString text) { return text.MakeUpper(); }

bool BeginsWith(const CString& text, const CString& upperPrefix) { return Upper(text).Left(upperPrefix.GetLength()) == upperPrefix; }

}  // namespace

void AddDataType::LoadMember(const SMemberInfo& member) {
    if (member.Name.IsEmpty()) return;
    name_ = member.Name;
    mark_ = member.Mark.Text();
    for (size_t i = 0; i < member.Dims.size() && i < std::size(dims_); ++i)
        dims_[i] = CString::Formatted(u"%d.%d", member.Dims[i].Lower, member.Dims[i].Upper);
    const CString& type = member.Type;
    type_ = type;
    const int open = type.Find(u'[');
    if (open >= 0) {
        const int close = type.Find(u']');
        length_ = type.Mid(open + 1, close - open - 1);
        type_ = type.Left(open);
    }
    readWrite_ = ReadWriteLabel(member.Read, member.Write);
}

void AddDataType::DoDataExchange(CDataExchange* dx) {
    for (size_t i = 0; i < std::size(dims_); ++i) DDX_Text(dx, kDimensionEdits[i], dims_[i]);
    DDX_Text(dx, kMemberTypeEdit, type_);
    DDX_Text(dx, kMemberNameEdit, name_);
    DDX_Text(dx, kMemberMarkEdit, mark_);
    DDX_Text(dx, kReadWriteCombo, readWrite_);
    DDX_Text(dx, kStringLengthEdit, length_);
}

CTreeCtrl& AddDataType::TypeTree() const { return *static_cast<CTreeCtrl*>(GetDlgItem(kTypeTree)); }

BOOL AddDataType::OnInitDialog() {
    CDialog::OnInitDialog();
    FillTypeViews();
    for (int id : kDimensionEdits) static_cast<CEdit*>(GetDlgItem(id))->SetReadOnly(FALSE);
    CComboBox* readWrite = static_cast<CComboBox*>(GetDlgItem(kReadWriteCombo));
    for (const char16_t* item : kReadWriteItems) readWrite->AddString(item);
    if (readWrite_.IsEmpty()) readWrite->SetCurSel(0);
    static_cast<CEdit*>(GetDlgItem(kStringLengthEdit))->SetReadOnly(length_.IsEmpty());
    return TRUE;
}

void AddDataType::FillTypeViews() {
    const STypeNames names = CopyTypeNames();
    CTreeCtrl& tree = TypeTree();
    for (int group = kElementary; group <= kUserDefined; ++group) groups_[group] = tree.InsertItem(EditorText(kGroupTexts[group]));
    for (const STypeSize& type : names.elementary) tree.InsertItem(type.Name, groups_[kElementary]);
    // A structure of neither mode joins the group of the item inserted just before it.
    HTREEITEM previousGroup = groups_[kElementary];
    for (const auto& [header, members] : names.structures) {
        if (header.Mode == 0) previousGroup = groups_[kPredefined];
        else if (header.Mode == 1) previousGroup = groups_[kUserDefined];
        tree.InsertItem(header.Name, previousGroup);
    }
    for (HTREEITEM group : groups_) tree.SortChildren(group);

    CListBox* list = static_cast<CListBox*>(GetDlgItem(kTypeList));
    list->ResetContent();
    for (const STypeSize& type : names.elementary) list->AddString(type.Name);
    for (const auto& [header, members] : names.structures) list->AddString(header.Name);
}

void AddDataType::SetTypeText(const CString& type) {
    // The fields are read first, so that what the user typed elsewhere survives the redisplay.
    UpdateData(TRUE);
    type_ = type;
    UpdateData(FALSE);
}

void AddDataType::OnTypeSelected(NMHDR* header, LRESULT* result) {
    *result = 0;
    const HTREEITEM item = reinterpret_cast<NMTREEVIEW*>(header)->itemNew.hItem;
    if (!feedback_) {
        feedback_ = true;
        return;
    }
    CTreeCtrl& tree = TypeTree();
    if (!item || !tree.GetParentItem(item)) return;
    UpdateData(TRUE);
    type_ = tree.GetItemText(item);
    const bool isString = type_ == kStringType;
    static_cast<CEdit*>(GetDlgItem(kStringLengthEdit))->SetReadOnly(!isString);
    if (!isString) length_.Empty();
    UpdateData(FALSE);
}

void AddDataType::OnTypeClicked(NMHDR*, LRESULT* result) {
    *result = 0;
    CTreeCtrl& tree = TypeTree();
    const DWORD position = GetMessagePos();
    CPoint point(GET_X_LPARAM(position), GET_Y_LPARAM(position));
    tree.ScreenToClient(&point);
    UINT flags = 0;
    const HTREEITEM item = tree.HitTest(point, &flags);
    if (item && (flags & TVHT_ONITEM)) SetTypeText(tree.GetItemText(item));
}

void AddDataType::OnListSelected() {
    if (!feedback_) {
        feedback_ = true;
        return;
    }
    CListBox* list = static_cast<CListBox*>(GetDlgItem(kTypeList));
    CString text;
    if (list->GetText(list->GetCurSel(), text) != LB_ERR) SetTypeText(text);
}

HTREEITEM AddDataType::FindTypeByPrefix(const CString& upperPrefix) const {
    CTreeCtrl& tree = TypeTree();
    for (TypeGroup group : {kUserDefined, kPredefined, kElementary})
        for (HTREEITEM item = tree.GetChildItem(groups_[group]); item; item = tree.GetNextSiblingItem(item))
            if (BeginsWith(tree.GetItemText(item), upperPrefix)) return item;
    return nullptr;
}

void AddDataType::SelectListEntryByPrefix(const CString& upperPrefix) {
    CListBox* list = static_cast<CListBox*>(GetDlgItem(kTypeList));
    for (int i = 0; i < list->GetCount(); ++i) {
        CString text;
        list->GetText(i, text);
        if (BeginsWith(text, upperPrefix)) {
            list->SetCurSel(i);
            return;
        }
    }
}

void AddDataType::OnTypeTyped() {
    UpdateData(TRUE);
    feedback_ = false;
    const CString prefix = Upper(type_);
    if (TypeTree().IsWindowVisible()) {
        if (HTREEITEM item = FindTypeByPrefix(prefix)) TypeTree().SelectItem(item);
    } else {
        SelectListEntryByPrefix(prefix);
    }
    feedback_ = true;
}

void AddDataType::OnShowAsList() {
    const bool asList = IsDlgButtonChecked(kShowAsListCheck) == BST_CHECKED;
    GetDlgItem(kTypeList)->ShowWindow(asList ? SW_SHOW : SW_HIDE);
    TypeTree().ShowWindow(asList ? SW_HIDE : SW_SHOW);
}

bool AddDataType::IsKnownType(const CString& type) const {
    const STypeNames names = CopyTypeNames();
    for (const STypeSize& elementary : names.elementary)
        if (elementary.Name == type) return true;
    return names.structures.contains(type.view());
}

std::vector<SArrayDim> AddDataType::ReadDimensions() {
    std::vector<SArrayDim> dims;
    for (const CString& text : dims_) {
        const int dot = text.Find(u'.');
        if (dot < 0) continue;
        const SArrayDim dim{NumberIn(text.Left(dot)), NumberIn(text.Mid(dot + 1))};
        if (dim.Upper < dim.Lower) MessageBox(EditorText(kBadArrayRange), nullptr, MB_RETRYCANCEL);
        if (dim.Lower < dim.Upper) dims.push_back(dim);
    }
    return dims;
}

void AddDataType::OnOK() {
    UpdateData(TRUE);
    if (name_.IsEmpty()) {
        MessageBox(EditorText(kNoMemberName));
        return;
    }
    if (!IsKnownType(type_)) {
        MessageBox(EditorText(kNoValidType));
        return;
    }
    result_ = SMemberInfo();
    result_.Name = name_;
    result_.Type = type_;
    result_.Mark = mark_;
    if (!length_.IsEmpty()) result_.Length = NumberIn(length_);
    const bool readOnly = readWrite_ == kReadWriteItems[1];
    const bool readWrite = readWrite_.IsEmpty() || readWrite_ == kReadWriteItems[0];
    result_.Read = readWrite || readOnly ? 1 : 0;
    result_.Write = readWrite ? 1 : 0;
    result_.Dims = ReadDimensions();
    EndDialog(IDOK);
}

BEGIN_MESSAGE_MAP(AddDataType, CDialog)
    ON_NOTIFY(TVN_SELCHANGED, kTypeTree, &AddDataType::OnTypeSelected)
    ON_NOTIFY(NM_CLICK, kTypeTree, &AddDataType::OnTypeClicked)
    ON_LBN_SELCHANGE(kTypeList, &AddDataType::OnListSelected)
    ON_EN_CHANGE(kMemberTypeEdit, &AddDataType::OnTypeTyped)
    ON_BN_CLICKED(kShowAsListCheck, &AddDataType::OnShowAsList)
END_MESSAGE_MAP()
