// A tree view drawn from the in-memory tree: the shown items at their rows, expand buttons, the
// selected item.
#pragma once

#include <vector>

#include "platform/ui/tree_ctrl.h"
#include "host/wx_backend/drawn_control.h"

class DrawnTreeView : public DrawnControl {
public:
    using DrawnControl::DrawnControl;

protected:
    void PaintContent(wxDC& dc, const WindowRecord& record) override;
    void ScrollRows(int rows) override;
};

/// The items whose ancestors are all expanded, in the order they are shown.
std::vector<HTREEITEM> ShownTreeItems(const CTreeCtrl& tree);
