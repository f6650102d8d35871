// A stand-alone object of a control class (CListCtrl, CTreeCtrl, ...) over a window handle, for
// reading or working a control whatever object, if any, is attached to it. The view never attaches
// itself, so it neither handles the window's messages nor destroys the window.
#pragma once

#include "platform/ui/win_types.h"

template <class Control>
class ControlView {
public:
    explicit ControlView(HWND window) { control_.m_hWnd = window; }
    ~ControlView() { control_.m_hWnd = nullptr; }
    ControlView(const ControlView&) = delete;
    ControlView& operator=(const ControlView&) = delete;

    Control& operator*() { return control_; }
    Control* operator->() { return &control_; }

private:
    Control control_;
};
