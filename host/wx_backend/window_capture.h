// Pictures of windows on the screen, for tests and documentation.
#pragma once

#include <string>

class wxWindow;

/// Writes a picture of the top-level window, as it draws itself once laid out and idle, into a PNG
/// file. The window must be shown; it is drawn as the active window. False when the picture cannot
/// be taken or written.
bool SaveWindowPng(wxWindow& window, const std::string& path);
