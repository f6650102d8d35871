// A dialog on the screen is laid out as the platform lays a template out: dialog units become
// pixels through the font the dialog is drawn with, measured on the screen (its average character
// width and its character height). The in-memory model keeps the pixels of its fixed font metrics,
// so that the dialogs behave the same everywhere; the screen shows the same layout in the screen's
// font, one factor per axis between the two. Rectangles go from the model to the screen, points
// the user clicks come back from the screen to the model.
#pragma once

#include <wx/font.h>
#include <wx/gdicmn.h>

#include "platform/ui/font.h"
#include "platform/ui/geometry.h"

class wxWindow;

/// The font dialogs are drawn with: the desktop's normal font for windows' controls.
wxFont ScreenDialogFont();

/// The metrics of the font as the window draws it: the average width of the Latin letters (the
/// platform's dialog base unit, rounded as the platform rounds it) and the height of a line.
SFontMetrics MeasuredMetrics(const wxWindow& window, const wxFont& font);

class ScreenScale {
public:
    ScreenScale() = default;
    /// From the model's font metrics to the metrics of the font on the screen.
    ScreenScale(const SFontMetrics& model, const SFontMetrics& screen);

    double X() const { return x_; }
    double Y() const { return y_; }
    int ToScreenX(int modelX) const;
    int ToScreenY(int modelY) const;
    /// Position and size are each scaled (not the right and bottom edges), as dialog units are converted.
    wxRect ToScreen(const CRect& model) const;
    wxSize ToScreen(const CSize& model) const;
    wxPoint ToScreen(const CPoint& model) const;
    CPoint ToModel(const wxPoint& screen) const;

private:
    double x_ = 1.0;
    double y_ = 1.0;
};
