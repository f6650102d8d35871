#include "platform/ui/data_exchange.h"

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/ui/button.h"
#include "platform/ui/edit.h"
#include "platform/ui/notification_lockout.h"
#include "platform/ui/window_record.h"

namespace {

/// The radio buttons of the group that starts at the record: up to the next control that starts a
/// group, radio buttons only.
std::vector<WindowRecord*> RadioGroupFrom(WindowRecord& first) {
    std::vector<WindowRecord*> group;
    if (!first.parent) return group;
    const std::vector<WindowRecord*>& siblings = first.parent->children;
    bool started = false;
    for (WindowRecord* sibling : siblings) {
        if (sibling == &first) started = true;
        else if (!started) continue;
        else if (sibling->HasStyle(WS_GROUP)) break;
        if (IsRadioButton(*sibling)) group.push_back(sibling);
    }
    return group;
}

}  // namespace

HWND CDataExchange::PrepareCtrl(int id) {
    CWnd* control = m_pDlgWnd ? m_pDlgWnd->GetDlgItem(id) : nullptr;
    if (!control) throw std::logic_error("data exchange: the dialog has no control " + std::to_string(id));
    return control->m_hWnd;
}

BOOL CWnd::UpdateData(BOOL saveAndValidate) {
    NotificationLockout lockout(m_hWnd);
    CDataExchange dx(this, saveAndValidate);
    DoDataExchange(&dx);
    return TRUE;
}

void DDX_Text(CDataExchange* dx, int id, CString& value) {
    HWND control = dx->PrepareCtrl(id);
    CWnd* window = CWnd::FromHandle(control);
    if (dx->m_bSaveAndValidate) {
        window->GetWindowText(value);
        return;
    }
    CString current;
    window->GetWindowText(current);
    if (!(current == value)) window->SetWindowText(value);
}

void DDX_Check(CDataExchange* dx, int id, int& value) {
    HWND control = dx->PrepareCtrl(id);
    if (dx->m_bSaveAndValidate) value = static_cast<int>(::SendMessage(control, BM_GETCHECK));
    else ::SendMessage(control, BM_SETCHECK, static_cast<WPARAM>(value));
}

void DDX_Radio(CDataExchange* dx, int id, int& value) {
    HWND control = dx->PrepareCtrl(id);
    std::vector<WindowRecord*> group = RadioGroupFrom(*FindWindowRecord(control));
    if (dx->m_bSaveAndValidate) {
        value = -1;
        for (size_t i = 0; i < group.size(); ++i)
            if (::SendMessage(group[i]->handle, BM_GETCHECK) == BST_CHECKED) value = static_cast<int>(i);
        return;
    }
    std::vector<HWND> handles;
    for (WindowRecord* button : group) handles.push_back(button->handle);
    for (size_t i = 0; i < handles.size(); ++i)
        ::SendMessage(handles[i], BM_SETCHECK, static_cast<int>(i) == value ? BST_CHECKED : BST_UNCHECKED);
}

void DDX_Control(CDataExchange* dx, int id, CWnd& control) {
    HWND window = dx->PrepareCtrl(id);
    if (control.m_hWnd) return;
    if (!control.SubclassWindow(window))
        throw std::logic_error("data exchange: control " + std::to_string(id) + " already has an object attached");
}
