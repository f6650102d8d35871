#include "host/wx_backend/dialog_mirror.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/combobox.h>
#include <wx/listbox.h>
#include <wx/msgdlg.h>
#include <wx/radiobut.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/utils.h>

#include "platform/ui/button.h"
#include "platform/ui/combo_box.h"
#include "host/user_input/control_view.h"
#include "platform/ui/dialog.h"
#include "platform/ui/edit.h"
#include "platform/ui/list_box.h"
#include "platform/ui/message_queue.h"
#include "host/user_input/modal_loop.h"
#include "host/user_input/user_input.h"
#include "host/wx_backend/drawn_list_view.h"
#include "host/wx_backend/drawn_tree_view.h"
#include "host/wx_backend/group_box.h"
#include "host/wx_backend/message_box_labels.h"
#include "host/wx_backend/wx_text.h"

namespace {

DWORD ButtonType(const WindowRecord& record) { return record.style & BS_TYPEMASK; }

bool IsMultiLineEdit(const WindowRecord& record) { return record.kind == ControlKind::kEdit && record.HasStyle(ES_MULTILINE); }

CPoint MiddleOnScreen(const WindowRecord& record) {
    const CPoint origin = ClientOriginOnScreen(record);
    const CPoint middle = ClientRectOf(record).CenterPoint();
    return CPoint(origin.x + middle.x, origin.y + middle.y);
}

HWND TopOf(HWND control) {
    WindowRecord* record = FindWindowRecord(control);
    return record ? TopLevelOf(*record).handle : nullptr;
}

/// A click in the middle of the control, as a user clicks a button.
void QueueClickOn(HWND control) {
    if (WindowRecord* record = FindWindowRecord(control)) QueueClick(TopOf(control), MiddleOnScreen(*record), MouseButton::kLeft);
}

/// A click on a list box item: the user scrolls it into view first.
void QueueListBoxPick(HWND control, int index, bool doubleClick) {
    WindowRecord* record = FindWindowRecord(control);
    if (!record) return;
    ControlView<CListBox> box(control);
    if (index < 0 || index >= box->GetCount()) return;
    const int perPage = std::max(1, ClientRectOf(*record).Height() / ListBoxItemHeight(record->font));
    if (index < box->GetTopIndex() || index >= box->GetTopIndex() + perPage) box->SetTopIndex(index);
    CRect item;
    box->GetItemRect(index, &item);
    const CPoint origin = ClientOriginOnScreen(*record);
    const CPoint middle = item.CenterPoint();
    QueueClick(TopOf(control), CPoint(origin.x + middle.x, origin.y + middle.y), MouseButton::kLeft, doubleClick);
}

std::vector<CString> ItemTexts(const WindowRecord& record) {
    std::vector<CString> items;
    if (record.kind == ControlKind::kListBox) {
        ControlView<CListBox> box(record.handle);
        for (int i = 0; i < box->GetCount(); ++i) {
            CString text;
            box->GetText(i, text);
            items.push_back(text);
        }
    } else {
        ControlView<CComboBox> combo(record.handle);
        for (int i = 0; i < combo->GetCount(); ++i) {
            CString text;
            combo->GetLBText(i, text);
            items.push_back(text);
        }
    }
    return items;
}

wxArrayString ToWxArray(const std::vector<CString>& items) {
    wxArrayString array;
    for (const CString& item : items) array.Add(ToWx(item));
    return array;
}

}  // namespace

DialogMirror::DialogMirror(wxWindow* owner, CDialog& dialog)
    : wxDialog(owner, wxID_ANY, wxString(), wxDefaultPosition, wxDefaultSize, wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX),
      dialog_(dialog) {
    SetExtraStyle(GetExtraStyle() & ~wxWS_EX_BLOCK_EVENTS);
    if (WindowRecord* record = FindWindowRecord(dialog.m_hWnd)) {
        const wxFont font = ScreenDialogFont();
        SetFont(font);
        scale_ = ScreenScale(record->font, MeasuredMetrics(*this, font));
        SetClientSize(scale_.ToScreen(CSize(record->rect.Width(), record->rect.Height())));
    }
    Bind(wxEVT_CHAR_HOOK, &DialogMirror::OnCharHook, this);
    Bind(wxEVT_CLOSE_WINDOW, &DialogMirror::OnClose, this);
    Sync();
    CentreOnParent();
}

void DialogMirror::Run(const std::function<void(DialogMirror&)>& shown) {
    if (!dialog_.ContinueModal()) return;
    CallAfter([this, shown] {
        shownFocus_ = nullptr;  // the focus could not be shown before the dialog was
        syncing_ = true;
        SyncFocus();
        syncing_ = false;
        if (shown) shown(*this);
    });
    ShowModal();
}

void DialogMirror::Deliver(const std::function<void()>& input) {
    if (delivering_) {  // input that arises while input is handled (a focus change): the outer run pumps it
        input();
        return;
    }
    delivering_ = true;
    try {
        wxBusyCursor busy;  // long handling, a tag import for one, shows that the program works
        input();
        while (PumpMessage()) {
        }
    } catch (const std::exception& error) {
        ClearMessageQueue();
        MessageBoxInUiLanguage(wxString::FromUTF8(error.what()), _("Error"), wxOK | wxICON_ERROR, this);
    }
    delivering_ = false;
    if (!dialog_.m_hWnd) return;
    Sync();
    if (!dialog_.ContinueModal() && IsModal()) EndModal(static_cast<int>(dialog_.GetModalResult()));
}

wxWindow* DialogMirror::WindowOf(HWND control) const {
    auto it = mirrored_.find(control);
    return it == mirrored_.end() ? nullptr : it->second.window.get();
}

HWND DialogMirror::HandleOfId(int id) const {
    WindowRecord* dialog = FindWindowRecord(dialog_.m_hWnd);
    WindowRecord* control = dialog ? FindDescendant(*dialog, id) : nullptr;
    return control ? control->handle : nullptr;
}

wxWindow* DialogMirror::WindowOfId(int id) const { return WindowOf(HandleOfId(id)); }

wxWindow* DialogMirror::Create(WindowRecord& record, wxWindow* parent) {
    const CString text = record.text;
    wxWindow* made = nullptr;
    switch (record.kind) {
        case ControlKind::kButton:
            if (ButtonType(record) == BS_GROUPBOX) made = new wxStaticBox(parent, wxID_ANY, ToWx(text));
            else if (ButtonType(record) == BS_AUTOCHECKBOX || ButtonType(record) == BS_CHECKBOX) made = new wxCheckBox(parent, wxID_ANY, ToWx(text));
            else if (IsRadioButton(record)) made = new wxRadioButton(parent, wxID_ANY, ToWx(text), wxDefaultPosition, wxDefaultSize, record.HasStyle(WS_GROUP) ? wxRB_GROUP : 0);
            else made = new wxButton(parent, wxID_ANY, ToWx(text), wxDefaultPosition, wxDefaultSize, wxBU_EXACTFIT);
            break;
        case ControlKind::kEdit: {
            long style = IsMultiLineEdit(record) ? wxTE_MULTILINE | wxHSCROLL : 0;
            if (record.HasStyle(ES_READONLY)) style |= wxTE_READONLY;
            made = new wxTextCtrl(parent, wxID_ANY, EditTextToWx(text), wxDefaultPosition, wxDefaultSize, style);
            break;
        }
        case ControlKind::kListView:
            made = new DrawnListView(parent, record.handle, scale_, [this](const std::function<void()>& input) { Deliver(input); });
            break;
        case ControlKind::kTreeView:
            made = new DrawnTreeView(parent, record.handle, scale_, [this](const std::function<void()>& input) { Deliver(input); });
            break;
        case ControlKind::kListBox:
            made = new wxListBox(parent, wxID_ANY);
            break;
        case ControlKind::kComboBox:
            if ((record.style & CBS_DROPDOWNLIST) == CBS_DROPDOWNLIST) made = new wxChoice(parent, wxID_ANY);
            else made = new wxComboBox(parent, wxID_ANY);
            break;
        case ControlKind::kStatic:
        case ControlKind::kDialog:
            made = new wxStaticText(parent, wxID_ANY, ToWx(text), wxDefaultPosition, wxDefaultSize, wxST_NO_AUTORESIZE);
            break;
    }
    made->SetName(wxString::Format("control-%d", record.id));
    BindInput(made, record.handle);
    return made;
}

void DialogMirror::BindInput(wxWindow* window, HWND control) {
    window->Bind(wxEVT_SET_FOCUS, [this, control](wxFocusEvent& event) {
        event.Skip();
        OnFocus(control);
    });
    auto click = [this, control](wxCommandEvent&) { Deliver([control] { QueueClickOn(control); }); };
    window->Bind(wxEVT_BUTTON, click);
    window->Bind(wxEVT_CHECKBOX, click);
    window->Bind(wxEVT_RADIOBUTTON, click);
    window->Bind(wxEVT_LISTBOX, [this, control](wxCommandEvent& event) {
        const int index = event.GetSelection();
        Deliver([control, index] { QueueListBoxPick(control, index, false); });
    });
    window->Bind(wxEVT_LISTBOX_DCLICK, [this, control](wxCommandEvent& event) {
        const int index = event.GetSelection();
        Deliver([control, index] { QueueListBoxPick(control, index, true); });
    });
    auto pick = [this, control](wxCommandEvent& event) {
        const int index = event.GetSelection();
        Deliver([control, index] {
            QueueClickOn(control);
            QueueUserMessage(control, kComboPickMessage, static_cast<WPARAM>(index));
        });
    };
    window->Bind(wxEVT_CHOICE, pick);
    window->Bind(wxEVT_COMBOBOX, pick);
    window->Bind(wxEVT_TEXT, [this, control, window](wxCommandEvent&) {
        if (syncing_) return;
        WindowRecord* record = FindWindowRecord(control);
        auto* entry = dynamic_cast<wxTextEntry*>(window);
        if (!record || !entry) return;
        const CString typed = EditTextFromWx(entry->GetValue(), IsMultiLineEdit(*record));
        Deliver([control, typed] { QueuePaste(control, typed); });
    });
}

void DialogMirror::OnFocus(HWND control) {
    if (syncing_ || ::GetFocus() == control || !FindWindowRecord(control)) return;
    shownFocus_ = control;
    Deliver([control] { ::SetFocus(control); });
}

void DialogMirror::QueueCaretOfFocusedEdit() {
    const HWND focus = ::GetFocus();
    WindowRecord* record = FindWindowRecord(focus);
    auto* entry = dynamic_cast<wxTextEntry*>(WindowOf(focus));
    if (!record || record->kind != ControlKind::kEdit || !entry) return;
    long from = 0, to = 0;
    entry->GetSelection(&from, &to);
    QueueUserMessage(focus, EM_SETSEL, static_cast<WPARAM>(PositionFromWx(record->text, from)),
                     static_cast<LPARAM>(PositionFromWx(record->text, to)));
}

void DialogMirror::OnCharHook(wxKeyEvent& event) {
    UINT key = 0;
    switch (event.GetKeyCode()) {
        case WXK_TAB: key = VK_TAB; break;
        case WXK_RETURN:
        case WXK_NUMPAD_ENTER: key = VK_RETURN; break;
        case WXK_ESCAPE: key = VK_ESCAPE; break;
        default: event.Skip(); return;
    }
    if (event.HasAnyModifiers() && !(key == VK_TAB && event.ShiftDown())) {
        event.Skip();
        return;
    }
    const HWND top = dialog_.m_hWnd;
    Deliver([this, top, key] {
        QueueCaretOfFocusedEdit();
        QueueKey(top, key);
    });
}

void DialogMirror::OnClose(wxCloseEvent& event) {
    if (event.CanVeto()) event.Veto();
    const HWND top = dialog_.m_hWnd;
    Deliver([top] { QueueUserMessage(top, WM_CLOSE); });
}

void DialogMirror::Sync() {
    WindowRecord* dialog = FindWindowRecord(dialog_.m_hWnd);
    if (!dialog) return;
    syncing_ = true;
    const wxString caption = ToWx(dialog->text);
    if (GetTitle() != caption) SetTitle(caption);
    DropGone();
    SyncTree(*dialog, this);
    SyncFocus();
    syncing_ = false;
}

void DialogMirror::DropGone() {
    for (auto it = mirrored_.begin(); it != mirrored_.end();) {
        if (FindWindowRecord(it->first)) {
            ++it;
            continue;
        }
        if (wxWindow* window = it->second.window.get()) window->Destroy();
        it = mirrored_.erase(it);
    }
}

void DialogMirror::SyncTree(WindowRecord& parent, wxWindow* parentWindow) {
    for (WindowRecord* child : parent.children) {
        auto it = mirrored_.find(child->handle);
        if (it == mirrored_.end() || !it->second.window) {
            SMirrored mirrored;
            mirrored.window = Create(*child, parentWindow);
            mirrored.text = child->text;
            it = mirrored_.insert_or_assign(child->handle, std::move(mirrored)).first;
        }
        SyncControl(*child, it->second);
        SyncTree(*child, it->second.window.get());
    }
}

void DialogMirror::SyncControl(WindowRecord& record, SMirrored& mirrored) {
    wxWindow* window = mirrored.window.get();
    // A control inside another control (the edit over a list cell) is placed in its parent's client
    // area, which the parent's border surrounds.
    const int parentEdge = record.parent && record.parent->kind != ControlKind::kDialog ? EdgeWidth(*record.parent) : 0;
    bool placed = false;
    if (!(mirrored.rect == record.rect)) {
        mirrored.rect = record.rect;
        placed = true;
        window->SetSize(scale_.ToScreen(CRect(record.rect.left + parentEdge, record.rect.top + parentEdge,
                                              record.rect.right + parentEdge, record.rect.bottom + parentEdge)));
    }
    const int shown = record.HasStyle(WS_VISIBLE) ? 1 : 0;
    if (mirrored.shown != shown) window->Show((mirrored.shown = shown) != 0);
    const int enabled = record.HasStyle(WS_DISABLED) ? 0 : 1;
    if (mirrored.enabled != enabled) window->Enable((mirrored.enabled = enabled) != 0);

    if (auto* text = dynamic_cast<wxTextCtrl*>(window)) {
        const int readOnly = record.HasStyle(ES_READONLY) ? 1 : 0;
        if (mirrored.readOnly != readOnly) text->SetEditable((mirrored.readOnly = readOnly) == 0);
        if (!(EditTextFromWx(text->GetValue(), IsMultiLineEdit(record)) == record.text)) {
            text->ChangeValue(EditTextToWx(record.text));
            int start = 0, end = 0;
            ControlView<CEdit>(record.handle)->GetSel(start, end);
            text->SetSelection(PositionToWx(record.text, start), PositionToWx(record.text, end));
        }
    } else if (record.kind == ControlKind::kListView || record.kind == ControlKind::kTreeView) {
        window->Refresh();
    } else if (record.kind == ControlKind::kListBox || record.kind == ControlKind::kComboBox) {
        SyncItems(record, mirrored);
    } else if (!(mirrored.text == record.text)) {
        mirrored.text = record.text;
        window->SetLabel(ToWx(record.text));
        placed = true;
    }
    if (auto* group = dynamic_cast<wxStaticBox*>(window); group && placed) InsetGroupCaption(*group);
    if (record.kind == ControlKind::kButton && (ButtonType(record) == BS_AUTOCHECKBOX || ButtonType(record) == BS_CHECKBOX || IsRadioButton(record))) {
        const int check = ControlView<CButton>(record.handle)->GetCheck() == BST_CHECKED ? 1 : 0;
        if (auto* box = dynamic_cast<wxCheckBox*>(window); box && box->GetValue() != (check != 0)) box->SetValue(check != 0);
        if (auto* radio = dynamic_cast<wxRadioButton*>(window); radio && radio->GetValue() != (check != 0)) radio->SetValue(check != 0);
    }
}

void DialogMirror::SyncItems(WindowRecord& record, SMirrored& mirrored) {
    std::vector<CString> items = ItemTexts(record);
    auto* list = dynamic_cast<wxItemContainer*>(mirrored.window.get());
    if (!list) return;
    if (items != mirrored.items) {
        list->Set(ToWxArray(items));
        mirrored.items = std::move(items);
        mirrored.selection = -2;
    }
    const int selection = record.kind == ControlKind::kListBox ? ControlView<CListBox>(record.handle)->GetCurSel()
                                                                : ControlView<CComboBox>(record.handle)->GetCurSel();
    if (mirrored.selection != selection) {
        mirrored.selection = selection;
        if (auto* box = dynamic_cast<wxListBox*>(list); box && selection < 0) box->DeselectAll();
        else list->SetSelection(selection < 0 ? wxNOT_FOUND : selection);
    }
    if (auto* combo = dynamic_cast<wxComboBox*>(list); combo && combo->GetValue() != ToWx(record.text)) combo->ChangeValue(ToWx(record.text));
}

void DialogMirror::SyncFocus() {
    const HWND focus = ::GetFocus();
    if (focus == shownFocus_) return;
    shownFocus_ = focus;
    if (wxWindow* window = WindowOf(focus); window && window->IsShownOnScreen()) window->SetFocus();
}
