// What a dialog shows, read as a user reads it: the rows of a list view, the path of a tree item,
// and a text description of a whole dialog (its caption and each visible control's content) for
// reports of a script that went wrong.
#pragma once

#include <string>
#include <vector>

#include "platform/cstring.h"
#include "platform/ui/tree_ctrl.h"

using ListRowTexts = std::vector<std::vector<CString>>;

/// Each row's cells, one per column (the item's own text at least).
ListRowTexts ListViewRows(HWND listView);
/// The texts of the item and its ancestors from the root, joined by "/".
CString TreeItemPath(const CTreeCtrl& tree, HTREEITEM item);
/// "dialog "caption"" and a line per visible control: identifier, kind, content and state.
std::string DescribeDialog(HWND dialog);
