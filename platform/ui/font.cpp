#include "platform/ui/font.h"

namespace {

struct SKnownFont {
    const char16_t* face;
    int pointTenths;
    SFontMetrics metrics;
};

const SKnownFont kKnownFonts[] = {
    {u"MS Shell Dlg", 80, {6, 13}},
    {u"MS Shell Dlg 2", 80, {6, 13}},
    {u"宋体", 90, {6, 12}},
    {u"SimSun", 90, {6, 12}},
};

}  // namespace

SFontMetrics FontMetricsFor(const CString& face, int pointTenths) {
    for (const SKnownFont& known : kKnownFonts)
        if (known.pointTenths == pointTenths && face.CompareNoCase(known.face) == 0) return known.metrics;
    int height = (pointTenths * 96 + 360) / 720;
    if (height < 1) height = 1;
    return {(height + 1) / 2, height};
}

int TextWidth(std::u16string_view text, const SFontMetrics& font) {
    int width = 0;
    for (char16_t ch : text) width += ch < 0x80 ? font.charWidth : 2 * font.charWidth;
    return width;
}

BOOL CFont::CreatePointFont(int pointTenths, LPCTSTR face) {
    face_ = face ? CString(face) : CString();
    pointTenths_ = pointTenths;
    created_ = true;
    return TRUE;
}
