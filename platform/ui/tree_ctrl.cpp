#include "platform/ui/tree_ctrl.h"

#include <algorithm>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/ui/ui_text_order.h"
#include "platform/ui/window_record.h"

namespace {

struct TreeNode {
    CString text;
    DWORD_PTR data = 0;
    HTREEITEM parent = nullptr;  ///< null for an item at the root
    HTREEITEM firstChild = nullptr;
    HTREEITEM lastChild = nullptr;
    HTREEITEM next = nullptr;
    HTREEITEM prev = nullptr;
    bool expanded = false;
};

struct ShownRow {
    HTREEITEM item;
    int depth;
};

HTREEITEM NextItemHandle() {
    static uintptr_t next = 0x20000;
    next += 4;
    return reinterpret_cast<HTREEITEM>(next);
}

bool IsRoot(HTREEITEM item) { return item == nullptr || item == TVI_ROOT; }

class TreeViewState : public ControlState {
public:
    LRESULT DefaultProc(WindowRecord& window, UINT message, WPARAM wParam, LPARAM lParam) override;
    std::unique_ptr<CWnd> MakeWrapper() const override { return std::make_unique<CTreeCtrl>(); }

    TreeNode* Node(HTREEITEM item) {
        auto it = nodes.find(item);
        return it == nodes.end() ? nullptr : &it->second;
    }
    const TreeNode* Node(HTREEITEM item) const {
        auto it = nodes.find(item);
        return it == nodes.end() ? nullptr : &it->second;
    }
    /// The parent's first-child and last-child links (the root's for TVI_ROOT or null).
    HTREEITEM& FirstChild(HTREEITEM parent) { return IsRoot(parent) ? rootFirst : nodes.at(parent).firstChild; }
    HTREEITEM& LastChild(HTREEITEM parent) { return IsRoot(parent) ? rootLast : nodes.at(parent).lastChild; }
    HTREEITEM FirstChildOf(HTREEITEM parent) const {
        if (IsRoot(parent)) return rootFirst;
        const TreeNode* node = Node(parent);
        return node ? node->firstChild : nullptr;
    }

    /// Links the item among parent's children after the sibling (null: as the first child).
    void Link(HTREEITEM item, HTREEITEM parent, HTREEITEM after) {
        TreeNode& node = nodes.at(item);
        node.parent = IsRoot(parent) ? nullptr : parent;
        node.prev = after;
        node.next = after ? nodes.at(after).next : FirstChild(parent);
        if (after) nodes.at(after).next = item;
        else FirstChild(parent) = item;
        if (node.next) nodes.at(node.next).prev = item;
        else LastChild(parent) = item;
    }

    void Unlink(HTREEITEM item) {
        TreeNode& node = nodes.at(item);
        if (node.prev) nodes.at(node.prev).next = node.next;
        else FirstChild(node.parent) = node.next;
        if (node.next) nodes.at(node.next).prev = node.prev;
        else LastChild(node.parent) = node.prev;
        node.prev = node.next = nullptr;
    }

    /// The next item in depth-first order within start's subtree (start itself excluded), or null.
    HTREEITEM NextInOrder(HTREEITEM item, HTREEITEM start) const {
        const TreeNode* node = Node(item);
        if (node->firstChild) return node->firstChild;
        while (item && item != start) {
            node = Node(item);
            if (node->next) return node->next;
            item = node->parent;
            if (IsRoot(start) && !item) return nullptr;
        }
        return nullptr;
    }

    bool IsAncestor(HTREEITEM ancestor, HTREEITEM item) const {
        for (const TreeNode* node = Node(item); node && node->parent; node = Node(node->parent))
            if (node->parent == ancestor) return true;
        return false;
    }

    void EraseSubtree(HTREEITEM item) {
        Unlink(item);
        std::vector<HTREEITEM> doomed{item};
        for (size_t i = 0; i < doomed.size(); ++i)
            for (HTREEITEM child = nodes.at(doomed[i]).firstChild; child; child = nodes.at(child).next) doomed.push_back(child);
        for (HTREEITEM gone : doomed) nodes.erase(gone);
    }

    std::vector<ShownRow> ShownRows() const {
        std::vector<ShownRow> rows;
        std::vector<std::pair<HTREEITEM, int>> pending;
        for (HTREEITEM item = rootLast; item; item = Node(item)->prev) pending.emplace_back(item, 0);
        while (!pending.empty()) {
            auto [item, depth] = pending.back();
            pending.pop_back();
            rows.push_back({item, depth});
            const TreeNode* node = Node(item);
            if (node->expanded)
                for (HTREEITEM child = node->lastChild; child; child = Node(child)->prev) pending.emplace_back(child, depth + 1);
        }
        return rows;
    }

    int RowOf(const std::vector<ShownRow>& rows, HTREEITEM item) const {
        for (size_t i = 0; i < rows.size(); ++i)
            if (rows[i].item == item) return static_cast<int>(i);
        return -1;
    }

    int CountPerPage(const WindowRecord& window) const { return std::max(1, ClientRectOf(window).Height() / TreeRowHeight(window.font)); }

    CRect RowRect(const WindowRecord& window, int row) const {
        int height = TreeRowHeight(window.font);
        return CRect(0, (row - top) * height, ClientRectOf(window).Width(), (row - top + 1) * height);
    }

    CRect LabelRect(const WindowRecord& window, int row, const ShownRow& shown) const {
        int levels = shown.depth + (window.HasStyle(TVS_LINESATROOT) ? 1 : 0);
        CRect rect = RowRect(window, row);
        rect.left = TreeIndent * levels;
        rect.right = rect.left + TextWidth(Node(shown.item)->text.view(), window.font) + 4;
        return rect;
    }

    HTREEITEM HitTest(const WindowRecord& window, CPoint point, UINT& flags) const {
        flags = TVHT_NOWHERE;
        if (!ClientRectOf(window).PtInRect(point)) return nullptr;
        std::vector<ShownRow> rows = ShownRows();
        int row = top + point.y / TreeRowHeight(window.font);
        if (row >= static_cast<int>(rows.size())) return nullptr;
        CRect label = LabelRect(window, row, rows[row]);
        bool hasButton = window.HasStyle(TVS_HASBUTTONS) && Node(rows[row].item)->firstChild && label.left >= TreeIndent;
        if (point.x >= label.right) flags = TVHT_ONITEMRIGHT;
        else if (point.x >= label.left) flags = TVHT_ONITEMLABEL;
        else if (hasButton && point.x >= label.left - TreeIndent) flags = TVHT_ONITEMBUTTON;
        else flags = TVHT_ONITEMINDENT;
        return rows[row].item;
    }

    void ScrollTo(const WindowRecord& window, HTREEITEM item) {
        std::vector<ShownRow> rows = ShownRows();
        int row = RowOf(rows, item);
        if (row < 0) return;
        int perPage = CountPerPage(window);
        if (row < top) top = row;
        else if (row >= top + perPage) top = row - perPage + 1;
    }

    void ExpandAncestors(HTREEITEM item) {
        for (TreeNode* node = Node(item); node && node->parent; node = Node(node->parent)) Node(node->parent)->expanded = true;
    }

    void ClampTop(const WindowRecord& window) {
        int last = std::max(0, static_cast<int>(ShownRows().size()) - CountPerPage(window));
        top = std::clamp(top, 0, last);
    }

    std::unordered_map<HTREEITEM, TreeNode> nodes;
    HTREEITEM rootFirst = nullptr;
    HTREEITEM rootLast = nullptr;
    HTREEITEM selected = nullptr;
    int top = 0;

private:
    bool leftPressed_ = false;
    bool rightPressed_ = false;
};

TreeViewState* StateOf(HWND window, WindowRecord** record = nullptr) {
    WindowRecord* found = FindWindowRecord(window);
    if (record) *record = found;
    return found ? dynamic_cast<TreeViewState*>(found->state.get()) : nullptr;
}

TVITEM ItemRecord(const TreeViewState& state, HTREEITEM item) {
    TVITEM record;
    record.mask = TVIF_HANDLE | TVIF_PARAM | TVIF_STATE;
    record.hItem = item;
    if (const TreeNode* node = state.Node(item)) {
        record.lParam = static_cast<LPARAM>(node->data);
        record.state = (item == state.selected ? TVIS_SELECTED : 0) | (node->expanded ? TVIS_EXPANDED : 0);
    }
    return record;
}

/// Selects with the notifications; the state is looked up again after each one, since the parent's
/// handling may change the tree or destroy it.
BOOL SelectTreeItem(HWND window, HTREEITEM item, UINT action) {
    WindowRecord* record = nullptr;
    TreeViewState* state = StateOf(window, &record);
    if (!state || (item && !state->Node(item))) return FALSE;
    if (item == state->selected) return TRUE;
    NMTREEVIEW change;
    change.action = action;
    change.itemOld = ItemRecord(*state, state->selected);
    change.itemNew = ItemRecord(*state, item);
    if (NotifyParent(*record, change.hdr, TVN_SELCHANGING) != 0) return FALSE;
    state = StateOf(window, &record);
    if (!state || (item && !state->Node(item))) return FALSE;
    state->selected = item;
    if (item) {
        state->ExpandAncestors(item);
        state->ScrollTo(*record, item);
    }
    change.itemOld.state &= ~TVIS_SELECTED;
    change.itemNew.state |= TVIS_SELECTED;
    NotifyParent(*record, change.hdr, TVN_SELCHANGED);
    return TRUE;
}

BOOL ExpandTreeItem(HWND window, HTREEITEM item, UINT code) {
    WindowRecord* record = nullptr;
    TreeViewState* state = StateOf(window, &record);
    TreeNode* node = state ? state->Node(item) : nullptr;
    if (!node || !node->firstChild) return FALSE;
    if (code != TVE_EXPAND && code != TVE_COLLAPSE && code != TVE_TOGGLE) return FALSE;
    bool expand = code == TVE_EXPAND || (code == TVE_TOGGLE && !node->expanded);
    node->expanded = expand;
    // Collapsing over the selected item moves the selection up to the collapsed item.
    if (!expand && state->selected && state->IsAncestor(item, state->selected)) {
        SelectTreeItem(window, item, TVC_UNKNOWN);
        state = StateOf(window, &record);
        if (!state) return TRUE;
    }
    state->ClampTop(*record);
    return TRUE;
}

LRESULT NotifySimple(WindowRecord& window, UINT code) {
    NMHDR header;
    return NotifyParent(window, header, code);
}

LRESULT TreeViewState::DefaultProc(WindowRecord& window, UINT message, WPARAM wParam, LPARAM lParam) {
    CPoint point(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    HWND self = window.handle;
    UINT flags = 0;
    switch (message) {
        case WM_LBUTTONDOWN:
            SetFocus(self);
            leftPressed_ = true;
            return 0;
        case WM_LBUTTONUP: {
            if (!leftPressed_) return 0;
            leftPressed_ = false;
            if (NotifySimple(window, NM_CLICK) != 0) return 0;
            WindowRecord* record = nullptr;
            TreeViewState* state = StateOf(self, &record);
            if (!state) return 0;
            HTREEITEM item = state->HitTest(*record, point, flags);
            if (flags & TVHT_ONITEMBUTTON) ExpandTreeItem(self, item, TVE_TOGGLE);
            else if (flags & TVHT_ONITEM) SelectTreeItem(self, item, TVC_BYMOUSE);
            return 0;
        }
        case WM_LBUTTONDBLCLK: {
            if (NotifySimple(window, NM_DBLCLK) != 0) return 0;
            WindowRecord* record = nullptr;
            TreeViewState* state = StateOf(self, &record);
            if (!state) return 0;
            HTREEITEM item = state->HitTest(*record, point, flags);
            if (flags & (TVHT_ONITEM | TVHT_ONITEMBUTTON)) ExpandTreeItem(self, item, TVE_TOGGLE);
            return 0;
        }
        case WM_RBUTTONDOWN:
            SetFocus(self);
            rightPressed_ = true;
            return 0;
        case WM_RBUTTONUP:
            if (!rightPressed_) return 0;
            rightPressed_ = false;
            if (NotifySimple(window, NM_RCLICK) == 0 && FindWindowRecord(self)) {
                CPoint screen = ClientOriginOnScreen(window);
                SendMessage(self, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(self), MAKELPARAM(screen.x + point.x, screen.y + point.y));
            }
            return 0;
        default:
            return CommonDefaultProc(window, message, wParam, lParam);
    }
}

}  // namespace

int TreeRowHeight(const SFontMetrics& font) { return font.charHeight + 4; }

std::unique_ptr<ControlState> MakeTreeViewState() { return std::make_unique<TreeViewState>(); }

HTREEITEM CTreeCtrl::InsertItem(const CString& text, HTREEITEM parent, HTREEITEM after) {
    TreeViewState* state = StateOf(m_hWnd);
    if (!state || (!IsRoot(parent) && !state->Node(parent))) return nullptr;
    HTREEITEM item = NextItemHandle();
    state->nodes[item].text = text;
    HTREEITEM previous = state->LastChild(parent);
    if (after == TVI_FIRST) {
        previous = nullptr;
    } else if (after == TVI_SORT) {
        previous = nullptr;
        for (HTREEITEM child = state->FirstChildOf(parent); child; child = state->Node(child)->next) {
            if (CompareUiText(state->Node(child)->text.view(), text.view()) > 0) break;
            previous = child;
        }
    } else if (after != TVI_LAST && after) {
        const TreeNode* sibling = state->Node(after);
        bool isChild = sibling && sibling->parent == (IsRoot(parent) ? nullptr : parent);
        if (isChild) previous = after;
    }
    state->Link(item, parent, previous);
    return item;
}

BOOL CTreeCtrl::DeleteItem(HTREEITEM item) {
    if (IsRoot(item)) return DeleteAllItems();
    WindowRecord* record = nullptr;
    TreeViewState* state = StateOf(m_hWnd, &record);
    const TreeNode* node = state ? state->Node(item) : nullptr;
    if (!node) return FALSE;
    HTREEITEM successor = nullptr;
    bool losesSelection = state->selected == item || state->IsAncestor(item, state->selected);
    if (losesSelection) {
        successor = node->next ? node->next : node->parent ? node->parent : node->prev;
        state->selected = nullptr;
    }
    state->EraseSubtree(item);
    state->ClampTop(*record);
    if (successor) SelectTreeItem(m_hWnd, successor, TVC_UNKNOWN);
    return TRUE;
}

BOOL CTreeCtrl::DeleteAllItems() {
    TreeViewState* state = StateOf(m_hWnd);
    if (!state) return FALSE;
    state->nodes.clear();
    state->rootFirst = state->rootLast = state->selected = nullptr;
    state->top = 0;
    return TRUE;
}

UINT CTreeCtrl::GetCount() const {
    TreeViewState* state = StateOf(m_hWnd);
    return state ? static_cast<UINT>(state->nodes.size()) : 0;
}

CString CTreeCtrl::GetItemText(HTREEITEM item) const {
    TreeViewState* state = StateOf(m_hWnd);
    const TreeNode* node = state ? state->Node(item) : nullptr;
    return node ? node->text : CString();
}

BOOL CTreeCtrl::SetItemText(HTREEITEM item, const CString& text) {
    TreeViewState* state = StateOf(m_hWnd);
    TreeNode* node = state ? state->Node(item) : nullptr;
    if (!node) return FALSE;
    node->text = text;
    return TRUE;
}

UINT CTreeCtrl::GetItemState(HTREEITEM item, UINT mask) const {
    TreeViewState* state = StateOf(m_hWnd);
    return state && state->Node(item) ? ItemRecord(*state, item).state & mask : 0;
}

BOOL CTreeCtrl::ItemHasChildren(HTREEITEM item) const {
    TreeViewState* state = StateOf(m_hWnd);
    const TreeNode* node = state ? state->Node(item) : nullptr;
    return node && node->firstChild;
}

HTREEITEM CTreeCtrl::GetRootItem() const { return GetChildItem(TVI_ROOT); }

HTREEITEM CTreeCtrl::GetChildItem(HTREEITEM item) const {
    TreeViewState* state = StateOf(m_hWnd);
    return state ? state->FirstChildOf(item) : nullptr;
}

HTREEITEM CTreeCtrl::GetNextSiblingItem(HTREEITEM item) const {
    TreeViewState* state = StateOf(m_hWnd);
    const TreeNode* node = state ? state->Node(item) : nullptr;
    return node ? node->next : nullptr;
}

HTREEITEM CTreeCtrl::GetPrevSiblingItem(HTREEITEM item) const {
    TreeViewState* state = StateOf(m_hWnd);
    const TreeNode* node = state ? state->Node(item) : nullptr;
    return node ? node->prev : nullptr;
}

HTREEITEM CTreeCtrl::GetParentItem(HTREEITEM item) const {
    TreeViewState* state = StateOf(m_hWnd);
    const TreeNode* node = state ? state->Node(item) : nullptr;
    return node ? node->parent : nullptr;
}

HTREEITEM CTreeCtrl::GetSelectedItem() const {
    TreeViewState* state = StateOf(m_hWnd);
    return state ? state->selected : nullptr;
}

HTREEITEM CTreeCtrl::GetNextItem(HTREEITEM item, UINT code) const {
    switch (code) {
        case TVGN_ROOT: return GetRootItem();
        case TVGN_NEXT: return GetNextSiblingItem(item);
        case TVGN_PREVIOUS: return GetPrevSiblingItem(item);
        case TVGN_PARENT: return GetParentItem(item);
        case TVGN_CHILD: return GetChildItem(item);
        case TVGN_CARET: return GetSelectedItem();
        default: return nullptr;
    }
}

BOOL CTreeCtrl::SelectItem(HTREEITEM item) { return SelectTreeItem(m_hWnd, item, TVC_UNKNOWN); }

BOOL CTreeCtrl::Expand(HTREEITEM item, UINT code) { return ExpandTreeItem(m_hWnd, item, code); }

BOOL CTreeCtrl::SortChildren(HTREEITEM item) {
    TreeViewState* state = StateOf(m_hWnd);
    if (!state || (!IsRoot(item) && !state->Node(item))) return FALSE;
    std::vector<HTREEITEM> children;
    for (HTREEITEM child = state->FirstChildOf(item); child; child = state->Node(child)->next) children.push_back(child);
    std::stable_sort(children.begin(), children.end(), [state](HTREEITEM a, HTREEITEM b) {
        return CompareUiText(state->Node(a)->text.view(), state->Node(b)->text.view()) < 0;
    });
    for (HTREEITEM child : children) state->Unlink(child);
    HTREEITEM previous = nullptr;
    for (HTREEITEM child : children) {
        state->Link(child, item, previous);
        previous = child;
    }
    return TRUE;
}

BOOL CTreeCtrl::EnsureVisible(HTREEITEM item) {
    WindowRecord* record = nullptr;
    TreeViewState* state = StateOf(m_hWnd, &record);
    if (!state || !state->Node(item)) return FALSE;
    state->ExpandAncestors(item);
    state->ScrollTo(*record, item);
    return TRUE;
}

BOOL CTreeCtrl::GetItemRect(HTREEITEM item, LPRECT rect, BOOL textOnly) const {
    WindowRecord* record = nullptr;
    TreeViewState* state = StateOf(m_hWnd, &record);
    if (!state || !rect || !state->Node(item)) return FALSE;
    std::vector<ShownRow> rows = state->ShownRows();
    int row = state->RowOf(rows, item);
    if (row < 0) return FALSE;
    *rect = textOnly ? state->LabelRect(*record, row, rows[row]) : state->RowRect(*record, row);
    return TRUE;
}

HTREEITEM CTreeCtrl::HitTest(CPoint point, UINT* flags) const {
    TVHITTESTINFO info;
    info.pt = point;
    HTREEITEM item = HitTest(&info);
    if (flags) *flags = info.flags;
    return item;
}

HTREEITEM CTreeCtrl::HitTest(TVHITTESTINFO* info) const {
    WindowRecord* record = nullptr;
    TreeViewState* state = StateOf(m_hWnd, &record);
    if (!info) return nullptr;
    info->flags = TVHT_NOWHERE;
    info->hItem = state ? state->HitTest(*record, info->pt, info->flags) : nullptr;
    return info->hItem;
}

HTREEITEM CTreeCtrl::FindItem(const std::function<bool(HTREEITEM)>& match, HTREEITEM start) const {
    TreeViewState* state = StateOf(m_hWnd);
    if (!state || (!IsRoot(start) && !state->Node(start))) return nullptr;
    for (HTREEITEM item = state->FirstChildOf(start); item; item = state->NextInOrder(item, start))
        if (match(item)) return item;
    return nullptr;
}

HTREEITEM CTreeCtrl::FindItemByText(const CString& text, bool ignoreCase, HTREEITEM start) const {
    return FindItem([&](HTREEITEM item) {
        CString itemText = GetItemText(item);
        return ignoreCase ? itemText.CompareNoCase(text) == 0 : itemText == text;
    }, start);
}
