#include "host/wx_backend/screen_scale.h"

#include <cmath>

#include <wx/settings.h>
#include <wx/window.h>

wxFont ScreenDialogFont() { return wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT); }

SFontMetrics MeasuredMetrics(const wxWindow& window, const wxFont& font) {
    int width = 0, height = 0;
    window.GetTextExtent("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", &width, &height, nullptr, nullptr, &font);
    SFontMetrics metrics;
    metrics.charWidth = std::max(1, (width / 26 + 1) / 2);
    metrics.charHeight = std::max(1, height);
    return metrics;
}

ScreenScale::ScreenScale(const SFontMetrics& model, const SFontMetrics& screen)
    : x_(static_cast<double>(screen.charWidth) / std::max(1, model.charWidth)),
      y_(static_cast<double>(screen.charHeight) / std::max(1, model.charHeight)) {}

int ScreenScale::ToScreenX(int modelX) const { return static_cast<int>(std::lround(modelX * x_)); }
int ScreenScale::ToScreenY(int modelY) const { return static_cast<int>(std::lround(modelY * y_)); }

wxRect ScreenScale::ToScreen(const CRect& model) const {
    return wxRect(ToScreenX(model.left), ToScreenY(model.top), ToScreenX(model.Width()), ToScreenY(model.Height()));
}

wxSize ScreenScale::ToScreen(const CSize& model) const { return wxSize(ToScreenX(model.cx), ToScreenY(model.cy)); }

wxPoint ScreenScale::ToScreen(const CPoint& model) const { return wxPoint(ToScreenX(model.x), ToScreenY(model.y)); }

CPoint ScreenScale::ToModel(const wxPoint& screen) const {
    return CPoint(static_cast<int>(std::lround(screen.x / x_)), static_cast<int>(std::lround(screen.y / y_)));
}
