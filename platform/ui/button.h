// Buttons: push buttons, check boxes, radio buttons and group boxes (a group box is a button kind
// that only frames others). A click on an automatic check box toggles it; a click on an automatic
// radio button checks it and unchecks the other radio buttons of its group (the controls from the
// one that starts the group up to the next one that starts a group). Every click then tells the
// parent BN_CLICKED.
#pragma once

#include <memory>

#include "platform/ui/wnd.h"

struct WindowRecord;
class ControlState;

inline constexpr DWORD BS_PUSHBUTTON = 0x0;
inline constexpr DWORD BS_DEFPUSHBUTTON = 0x1;
inline constexpr DWORD BS_CHECKBOX = 0x2;
inline constexpr DWORD BS_AUTOCHECKBOX = 0x3;
inline constexpr DWORD BS_RADIOBUTTON = 0x4;
inline constexpr DWORD BS_GROUPBOX = 0x7;
inline constexpr DWORD BS_AUTORADIOBUTTON = 0x9;
inline constexpr DWORD BS_TYPEMASK = 0xF;


inline constexpr UINT BN_CLICKED = 0;

class CButton : public CWnd {
public:
    int GetCheck() const;
};

std::unique_ptr<ControlState> MakeButtonState();
bool IsRadioButton(const WindowRecord& window);
bool IsPushButton(const WindowRecord& window);
