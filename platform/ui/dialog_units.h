// Dialog units: the unit of dialog templates. A horizontal unit is a quarter of the dialog font's
// average character width, a vertical unit an eighth of its character height, so a dialog keeps its
// proportions in any font.
#pragma once

#include "platform/ui/font.h"
#include "platform/ui/geometry.h"

/// a * b / c rounded to the nearest integer, halves away from zero, as the platform's MulDiv.
int MulDiv(int a, int b, int c);

int DialogUnitsToPixelsX(int units, const SFontMetrics& font);
int DialogUnitsToPixelsY(int units, const SFontMetrics& font);

/// A rectangle given as position and size in dialog units, in pixels. Position and size are each
/// converted (not the right and bottom edges), as dialog creation does.
CRect DialogRectToPixels(int x, int y, int cx, int cy, const SFontMetrics& font);
