// Fonts, reduced to the two numbers the layout needs: a font's average character width and its
// character height in pixels (at 96 dots per inch). Nothing is drawn, so no glyph is measured.
#pragma once

#include "platform/cstring.h"
#include "platform/ui/win_types.h"

struct SFontMetrics {
    int charWidth = 6;    ///< average width of a Latin character; a wide (CJK) character takes two
    int charHeight = 13;  ///< height of a line of text
};

/// The metrics of a font given by face name and size in tenths of a point. Known dialog fonts:
///   "MS Shell Dlg" / "MS Shell Dlg 2" 8 pt: 6 x 13 (the platform's classic dialog base units)
///   "宋体" / "SimSun" 9 pt: 6 x 12 (a 12-pixel font whose Latin characters are half its height wide)
/// Any other font: height = the point size in pixels (pt * 96 / 72, rounded), width = half of it
/// rounded up, which is how the CJK system fonts are shaped.
SFontMetrics FontMetricsFor(const CString& face, int pointTenths);

/// The width of a text in pixels: charWidth per character below U+0080, twice that for others.
int TextWidth(std::u16string_view text, const SFontMetrics& font);

/// A font object: face and size, as CreatePointFont made it.
class CFont {
public:
    /// Makes the font anew (a font made before is replaced).
    BOOL CreatePointFont(int pointTenths, LPCTSTR face);
    bool IsCreated() const { return created_; }
    const CString& GetFaceName() const { return face_; }
    int GetPointTenths() const { return pointTenths_; }
    SFontMetrics Metrics() const { return FontMetricsFor(face_, pointTenths_); }

private:
    CString face_;
    int pointTenths_ = 0;
    bool created_ = false;
};
