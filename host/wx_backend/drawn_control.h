// A control the backend draws itself from the in-memory control (list views and tree views), so
// that what is shown stands exactly where the control's own geometry says: a click on a row on the
// screen is a click on that row for the control's hit tests. Mouse input goes to the control as
// the platform's mouse messages, through the same user input entry points as every other input.
// The control's geometry is in the model's pixels; drawing and clicks go through the dialog's scale.
#pragma once

#include <functional>

#include <wx/window.h>

#include "platform/ui/geometry.h"
#include "host/wx_backend/screen_scale.h"

struct WindowRecord;

class DrawnControl : public wxWindow {
public:
    /// deliver queues the input and lets the dialog handle it (DialogMirror::Deliver).
    using Deliver = std::function<void(const std::function<void()>&)>;

    DrawnControl(wxWindow* parent, HWND control, const ScreenScale& scale, Deliver deliver);

    HWND Control() const { return control_; }
    /// The model's point on the screen for a point of this window.
    POINT ScreenPointOf(const wxPoint& point) const;

protected:
    /// Paints the control's content; the control's client coordinates (inside the border, model
    /// pixels) become this window's with Screen.
    virtual void PaintContent(wxDC& dc, const WindowRecord& record) = 0;
    /// Scrolls by whole rows: negative up, positive down.
    virtual void ScrollRows(int rows) = 0;
    int Edge() const;
    /// A rectangle and a point of the control's client area where they stand in this window.
    wxRect Screen(const CRect& client) const;
    wxPoint Screen(int clientX, int clientY) const;

private:
    void OnPaint(wxPaintEvent& event);
    void OnMouse(wxMouseEvent& event);

    HWND control_;
    ScreenScale scale_;
    Deliver deliver_;
};
