// Dialog templates: a readable text (UTF-8) that describes a dialog, one statement a line:
//
//   # a comment; blank lines are skipped
//   CAPTION "数据结构"
//   FONT 9, "宋体"                 the dialog font: size in points, then the face (quotes optional)
//   SIZE 429, 259                  the client area in dialog units
//   KIND ID "TEXT" X Y CX CY [STYLE ...]
//
// Each KIND line is one control, in tab order (the first control is also on top where controls
// overlap). ID is the control identifier (-1 for labels), X Y CX CY its position and size in dialog
// units. Commas count as spaces outside quotes; inside quotes \" \\ \t \n \r are escapes.
//
// Kinds: PUSHBUTTON, DEFPUSHBUTTON (the button Enter presses), CHECKBOX and RADIOBUTTON (automatic
// ones), GROUPBOX, STATIC, EDIT, LISTVIEW (report view), TREEVIEW, LISTBOX, COMBOBOX (drop-down).
// Style words, for any kind: GROUP (starts a group, e.g. of radio buttons), TABSTOP, NOTABSTOP,
// HIDDEN, DISABLED, BORDER, VSCROLL, HSCROLL; for EDIT: MULTILINE, WANTRETURN, READONLY,
// AUTOHSCROLL, AUTOVSCROLL; for LISTVIEW: SINGLESEL, SHOWSELALWAYS, EDITLABELS, NOSORTHEADER; for
// TREEVIEW: HASBUTTONS, HASLINES, LINESATROOT, SHOWSELALWAYS, EDITLABELS; for LISTBOX: SORT,
// NOTIFY; for COMBOBOX: DROPDOWNLIST, AUTOHSCROLL.
//
// Push buttons, check boxes, edits, list views, tree views, list boxes and combo boxes are tab
// stops unless NOTABSTOP; a radio button is one when it starts a group; labels and group boxes
// never are. Every control is visible unless HIDDEN.
#pragma once

#include <stdexcept>
#include <string_view>
#include <vector>

#include "platform/cstring.h"
#include "platform/ui/window_record.h"

struct SDialogControl {
    ControlKind kind = ControlKind::kStatic;
    int id = -1;
    CString text;
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
    DWORD style = 0;  ///< window and control style bits, WS_VISIBLE and WS_CHILD included
};

struct SDialogTemplate {
    CString caption;
    CString fontFace = u"MS Shell Dlg";
    int fontPoints = 8;
    int cx = 0;
    int cy = 0;
    std::vector<SDialogControl> controls;
};

/// A template that cannot be read: the message names the line and what is wrong with it.
class CDialogTemplateError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

SDialogTemplate ParseDialogTemplate(std::string_view text);
