#include "platform/ui/control_factory.h"

#include "platform/ui/button.h"
#include "platform/ui/combo_box.h"
#include "platform/ui/edit.h"
#include "platform/ui/list_box.h"
#include "platform/ui/list_ctrl.h"
#include "platform/ui/static_text.h"
#include "platform/ui/tree_ctrl.h"

namespace {

std::unique_ptr<ControlState> MakeState(ControlKind kind) {
    switch (kind) {
        case ControlKind::kButton: return MakeButtonState();
        case ControlKind::kEdit: return MakeEditState();
        case ControlKind::kListView: return MakeListViewState();
        case ControlKind::kTreeView: return MakeTreeViewState();
        case ControlKind::kListBox: return MakeListBoxState();
        case ControlKind::kComboBox: return MakeComboBoxState();
        case ControlKind::kStatic:
        case ControlKind::kDialog: break;
    }
    return MakeStaticState();
}

}  // namespace

WindowRecord& CreateControlWindow(ControlKind kind, WindowRecord& parent, int id, DWORD style, const CString& text, const CRect& rect) {
    CRect placed = rect;
    if (kind == ControlKind::kComboBox) placed.bottom = placed.top + ComboClosedHeight(parent.font);
    WindowRecord& made = CreateWindowRecord(kind, &parent, id, style, text, placed, parent.font);
    made.state = MakeState(kind);
    return made;
}
