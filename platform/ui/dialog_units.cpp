#include "platform/ui/dialog_units.h"

int MulDiv(int a, int b, int c) {
    if (c == 0) return -1;
    long long product = static_cast<long long>(a) * b;
    long long half = (c > 0 ? c : -c) / 2;
    bool negative = (product < 0) != (c < 0);
    long long magnitude = ((product < 0 ? -product : product) + half) / (c > 0 ? c : -c);
    return static_cast<int>(negative ? -magnitude : magnitude);
}

int DialogUnitsToPixelsX(int units, const SFontMetrics& font) { return MulDiv(units, font.charWidth, 4); }
int DialogUnitsToPixelsY(int units, const SFontMetrics& font) { return MulDiv(units, font.charHeight, 8); }

CRect DialogRectToPixels(int x, int y, int cx, int cy, const SFontMetrics& font) {
    int left = DialogUnitsToPixelsX(x, font);
    int top = DialogUnitsToPixelsY(y, font);
    return CRect(left, top, left + DialogUnitsToPixelsX(cx, font), top + DialogUnitsToPixelsY(cy, font));
}
