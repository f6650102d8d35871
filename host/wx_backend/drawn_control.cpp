#include "host/wx_backend/drawn_control.h"

#include <wx/dcbuffer.h>
#include <wx/settings.h>

#include "platform/ui/message_queue.h"
#include "host/user_input/user_input.h"
#include "platform/ui/window_record.h"

DrawnControl::DrawnControl(wxWindow* parent, HWND control, const ScreenScale& scale, Deliver deliver)
    : wxWindow(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxBORDER_NONE | wxWANTS_CHARS),
      control_(control),
      scale_(scale),
      deliver_(std::move(deliver)) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Bind(wxEVT_PAINT, &DrawnControl::OnPaint, this);
    Bind(wxEVT_LEFT_DOWN, &DrawnControl::OnMouse, this);
    Bind(wxEVT_LEFT_DCLICK, &DrawnControl::OnMouse, this);
    Bind(wxEVT_RIGHT_DOWN, &DrawnControl::OnMouse, this);
    Bind(wxEVT_MOUSEWHEEL, &DrawnControl::OnMouse, this);
}

int DrawnControl::Edge() const {
    const WindowRecord* record = FindWindowRecord(control_);
    return record ? EdgeWidth(*record) : 0;
}

wxRect DrawnControl::Screen(const CRect& client) const {
    const int edge = Edge();
    const wxPoint topLeft = scale_.ToScreen(CPoint(client.left + edge, client.top + edge));
    const wxPoint bottomRight = scale_.ToScreen(CPoint(client.right + edge, client.bottom + edge));
    return wxRect(topLeft, wxSize(bottomRight.x - topLeft.x, bottomRight.y - topLeft.y));
}

wxPoint DrawnControl::Screen(int clientX, int clientY) const { return scale_.ToScreen(CPoint(clientX + Edge(), clientY + Edge())); }

POINT DrawnControl::ScreenPointOf(const wxPoint& point) const {
    const WindowRecord* record = FindWindowRecord(control_);
    POINT screen;
    if (!record) return screen;
    const CPoint origin = ClientOriginOnScreen(*record);
    const CPoint model = scale_.ToModel(point);
    screen.x = origin.x + model.x - Edge();
    screen.y = origin.y + model.y - Edge();
    return screen;
}

void DrawnControl::OnPaint(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(this);
    dc.SetBackground(wxBrush(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW)));
    dc.Clear();
    const WindowRecord* record = FindWindowRecord(control_);
    if (!record) return;
    const int edge = Edge();
    if (edge > 0) {
        dc.SetPen(wxPen(wxSystemSettings::GetColour(wxSYS_COLOUR_3DSHADOW)));
        dc.SetBrush(*wxTRANSPARENT_BRUSH);
        dc.DrawRectangle(wxRect(GetClientSize()));
    }
    dc.SetClippingRegion(Screen(ClientRectOf(*record)));
    dc.SetFont(GetFont());
    PaintContent(dc, *record);
}

void DrawnControl::OnMouse(wxMouseEvent& event) {
    if (event.GetEventType() == wxEVT_MOUSEWHEEL) {
        const int rows = event.GetWheelRotation() > 0 ? -3 : 3;
        ScrollRows(rows);
        Refresh();
        return;
    }
    const POINT screen = ScreenPointOf(event.GetPosition());
    const HWND control = control_;
    const UINT keys = event.ControlDown() ? MK_CONTROL : 0;
    const wxEventType type = event.GetEventType();
    deliver_([=] {
        WindowRecord* record = FindWindowRecord(control);
        if (!record) return;
        HWND top = TopLevelOf(*record).handle;
        if (type == wxEVT_LEFT_DOWN) return QueueClick(top, screen, MouseButton::kLeft, false, keys);
        if (type == wxEVT_RIGHT_DOWN) return QueueClick(top, screen, MouseButton::kRight, false, keys);
        // The toolkit reported the first click already; a double click adds only its second half.
        WindowRecord& target = WindowAtPoint(TopLevelOf(*record), screen);
        const CPoint origin = ClientOriginOnScreen(target);
        const LPARAM client = MAKELPARAM(screen.x - origin.x, screen.y - origin.y);
        SetCursorPos(screen.x, screen.y);
        QueueUserMessage(target.handle, WM_LBUTTONDBLCLK, keys | MK_LBUTTON, client);
        QueueUserMessage(target.handle, WM_LBUTTONUP, keys, client);
    });
}
