// A group box on the screen: the toolkit's frame with the caption in a gap of its top line, the
// caption set in from the left corner by an average character, as dialogs show group boxes, so
// that the frame's corner and its left line stand clear of the text.
#pragma once

class wxStaticBox;

/// Places the caption of the box for its present size, label and font (again after each change).
void InsetGroupCaption(wxStaticBox& box);
