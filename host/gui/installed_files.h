// Files installed beside the window program: the program's tree has the shape
// <prefix>/lib/<this library>, <prefix>/share/..., in the build tree and in the package alike.
#pragma once

#include <wx/string.h>

/// The path of <prefix>/relative for the tree this code was loaded from.
wxString InstalledFile(const wxString& relative);
