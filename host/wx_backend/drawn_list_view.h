// A list view in report view, drawn from the in-memory list: header, rows from the top index on,
// selection, grid lines, the columns' widths and alignments.
#pragma once

#include "host/wx_backend/drawn_control.h"

class DrawnListView : public DrawnControl {
public:
    using DrawnControl::DrawnControl;

protected:
    void PaintContent(wxDC& dc, const WindowRecord& record) override;
    void ScrollRows(int rows) override;
};
