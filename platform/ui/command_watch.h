// A watch on the commands windows are about to handle (a button's click, a menu pick): the host
// that runs a dialog may act on what the user is about to do before the dialog does, for example
// read the dialog's fields at the moment its import starts. One watch at a time, for a scope.
#pragma once

#include <functional>

#include "platform/ui/win_types.h"

class CWnd;

using CommandWatch = std::function<void(CWnd& window, UINT id, UINT code)>;

/// Makes the watch current for the lifetime of the scope, then restores the previous one.
class CCommandWatchScope {
public:
    explicit CCommandWatchScope(CommandWatch watch);
    ~CCommandWatchScope();
    CCommandWatchScope(const CCommandWatchScope&) = delete;
    CCommandWatchScope& operator=(const CCommandWatchScope&) = delete;

private:
    CommandWatch previous_;
};

/// Tells the current watch, if any, of a command the window is about to handle.
void NotifyCommandWatch(CWnd& window, UINT id, UINT code);
