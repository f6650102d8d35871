// What happens to the framework's invalid-argument exception when it escapes a message handler of
// a window object: as on the original platform, the window procedure catches it, shows the
// platform's error message in a message box ("Encountered an improper argument.", in Chinese in a
// Chinese user interface) and goes on; the message's result is 0 (TRUE for a menu command). Any
// other exception passes through.
#pragma once

#include "platform/ui/messages.h"

/// Reports the exception for the message being handled, in a message box owned by owner (the
/// window with the focus), and returns the message's result.
LRESULT ReportInvalidArgument(HWND owner, UINT message, LPARAM lParam);
