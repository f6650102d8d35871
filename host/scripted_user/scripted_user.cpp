#include "host/scripted_user/scripted_user.h"

#include <filesystem>

#include "platform/path_names.h"
#include "platform/ui/combo_box.h"
#include "host/user_input/control_view.h"
#include "platform/ui/dialog.h"
#include "platform/ui/list_box.h"
#include "platform/ui/list_ctrl.h"
#include "platform/ui/menu.h"
#include "platform/ui/message_box.h"
#include "host/user_input/modal_loop.h"
#include "platform/ui/window_record.h"

namespace {

constexpr size_t kMessageBoxesReported = 3;

bool Contains(const CString& text, const CString& fragment) { return fragment.IsEmpty() || text.Find(fragment) >= 0; }

std::string Utf8(const CString& text) { return text.ToUtf8(); }

std::string Quoted(const CString& text) { return "\"" + Utf8(text) + "\""; }

std::string Joined(const std::vector<CString>& texts, const char* separator) {
    std::string joined;
    for (size_t i = 0; i < texts.size(); ++i) joined += (i ? separator : "") + Utf8(texts[i]);
    return joined;
}

CString FiltersText(const std::vector<SFileFilter>& filters) {
    CString text;
    for (const SFileFilter& filter : filters) text += filter.name + u'|' + filter.pattern + u'|';
    return text;
}

bool FileExists(const CString& path) {
    std::error_code error;
    return std::filesystem::exists(std::filesystem::path(Utf8(path)), error);
}

CPoint ScreenPointOf(HWND window, CPoint client) {
    const WindowRecord* record = FindWindowRecord(window);
    CPoint origin = record ? ClientOriginOnScreen(*record) : CPoint();
    return CPoint(origin.x + client.x, origin.y + client.y);
}

CPoint MiddleOf(HWND window) {
    const WindowRecord* record = FindWindowRecord(window);
    return ScreenPointOf(window, record ? ClientRectOf(*record).CenterPoint() : CPoint());
}

std::vector<CString> MenuTexts(const CMenu& menu) {
    std::vector<CString> texts;
    for (UINT i = 0; i < menu.GetMenuItemCount(); ++i) {
        CString text;
        menu.GetMenuString(i, text, MF_BYPOSITION);
        if (!(menu.GetMenuState(i, MF_BYPOSITION) & MF_SEPARATOR)) texts.push_back(text);
    }
    return texts;
}

/// "OK/Cancel, question": the buttons and the icon of a message box type.
std::string BoxKind(UINT type) {
    std::string kind;
    for (int answer : MessageBoxAnswers(type)) kind += (kind.empty() ? "" : "/") + std::string(AnswerName(answer));
    switch (type & MB_ICONMASK) {
        case MB_ICONERROR: return kind + ", error";
        case MB_ICONQUESTION: return kind + ", question";
        case MB_ICONWARNING: return kind + ", warning";
        case MB_ICONINFORMATION: return kind + ", information";
        default: return kind;
    }
}

}  // namespace

std::string SUserLogEntry::ToString() const {
    switch (kind) {
        case kDialogOpened: return "dialog " + Quoted(caption) + " opened";
        case kDialogEnded: return "dialog " + Quoted(caption) + " ended with " + Utf8(answer);
        case kMessageBox: return "message box " + Quoted(caption) + " [" + BoxKind(boxType) + "]: " + Quoted(text) + " -> " + Utf8(answer);
        case kFileDialog: return "file dialog " + Quoted(caption) + " (" + Utf8(text) + "): " + Utf8(answer);
        case kPopupMenu: return "popup menu: " + Quoted(text);
        case kShellRequest: return "shell " + Utf8(text);
        case kListRows: {
            std::string lines = "list " + std::to_string(controlId) + " of " + Quoted(caption) + ": " + std::to_string(rows.size()) + " rows";
            for (const std::vector<CString>& row : rows) lines += "\n  " + Joined(row, "\t");
            return lines;
        }
    }
    return {};
}

ScriptedUser& ScriptedUser::Add(SStep step) {
    steps_.push_back(std::move(step));
    return *this;
}

ScriptedUser& ScriptedUser::Click(int control) { return Add({.kind = StepKind::kClick, .control = control}); }
ScriptedUser& ScriptedUser::ClickAt(int control, CPoint clientPoint) { return Add({.kind = StepKind::kClickAt, .control = control, .point = clientPoint}); }
ScriptedUser& ScriptedUser::DoubleClick(int control) { return Add({.kind = StepKind::kDoubleClick, .control = control}); }
ScriptedUser& ScriptedUser::Type(int control, const CString& text) { return Add({.kind = StepKind::kType, .control = control, .text = text}); }
ScriptedUser& ScriptedUser::Pick(int control, const CString& text) { return Add({.kind = StepKind::kPickText, .control = control, .text = text}); }
ScriptedUser& ScriptedUser::Pick(int control, int index) { return Add({.kind = StepKind::kPickIndex, .control = control, .index = index}); }
ScriptedUser& ScriptedUser::PickNode(int control, std::vector<CString> path) {
    return Add({.kind = StepKind::kPickNode, .control = control, .path = std::move(path)});
}
ScriptedUser& ScriptedUser::AddToSelection(int control, int row) { return Add({.kind = StepKind::kAddToSelection, .control = control, .index = row}); }
ScriptedUser& ScriptedUser::DoubleClickRow(int control, int row) { return Add({.kind = StepKind::kDoubleClickRow, .control = control, .index = row}); }
ScriptedUser& ScriptedUser::DoubleClickRow(int control, const CString& text) {
    return Add({.kind = StepKind::kDoubleClickRowText, .control = control, .text = text});
}
ScriptedUser& ScriptedUser::ContextMenu(int control, const CString& item) {
    return Add({.kind = StepKind::kContextMenu, .control = control, .menuItem = item});
}
ScriptedUser& ScriptedUser::ContextMenuOnRow(int control, int row, const CString& item) {
    return Add({.kind = StepKind::kContextMenuRow, .control = control, .index = row, .menuItem = item});
}
ScriptedUser& ScriptedUser::ContextMenuOnNode(int control, std::vector<CString> path, const CString& item) {
    return Add({.kind = StepKind::kContextMenuNode, .control = control, .path = std::move(path), .menuItem = item});
}
ScriptedUser& ScriptedUser::PressKey(UINT virtualKey) { return Add({.kind = StepKind::kKey, .key = virtualKey}); }
ScriptedUser& ScriptedUser::CloseDialog() { return Add({.kind = StepKind::kClose}); }
ScriptedUser& ScriptedUser::Focus(int control) { return Add({.kind = StepKind::kFocus, .control = control}); }
ScriptedUser& ScriptedUser::ExpectDialog(const CString& captionFragment) { return Add({.kind = StepKind::kExpectDialog, .text = captionFragment}); }
ScriptedUser& ScriptedUser::Inspect(std::function<void(CWnd&)> look) { return Add({.kind = StepKind::kInspect, .look = std::move(look)}); }
ScriptedUser& ScriptedUser::Answer(const CString& textFragment, int button) {
    return Add({.kind = StepKind::kAnswer, .text = textFragment, .button = button});
}
ScriptedUser& ScriptedUser::ChooseFiles(std::vector<CString> paths, const CString& expected) {
    return Add({.kind = StepKind::kChooseFiles, .text = expected, .files = std::move(paths)});
}
ScriptedUser& ScriptedUser::CancelFileDialog(const CString& expected) { return Add({.kind = StepKind::kCancelFiles, .text = expected}); }

ScriptedUser& ScriptedUser::AlwaysAnswer(const CString& textFragment, int button) {
    standing_.push_back({textFragment, button});
    return *this;
}

ScriptedUser& ScriptedUser::WatchList(UINT templateId, int control) {
    watches_.push_back({templateId, control});
    return *this;
}

std::string ScriptedUser::LogText() const {
    std::string text;
    for (const SUserLogEntry& entry : log_) text += entry.ToString() + "\n";
    return text;
}

std::vector<CString> ScriptedUser::MessageBoxTexts() const {
    std::vector<CString> texts;
    for (const SUserLogEntry& entry : log_)
        if (entry.kind == SUserLogEntry::kMessageBox) texts.push_back(entry.text);
    return texts;
}

ListRowTexts ScriptedUser::LastRows(int control) const {
    for (auto it = log_.rbegin(); it != log_.rend(); ++it)
        if (it->kind == SUserLogEntry::kListRows && it->controlId == control) return it->rows;
    return {};
}

std::string ScriptedUser::Describe(const SStep& step) {
    std::string control = std::to_string(step.control);
    switch (step.kind) {
        case StepKind::kClick: return "click " + control;
        case StepKind::kClickAt: return "click " + control + " at " + std::to_string(step.point.x) + "," + std::to_string(step.point.y);
        case StepKind::kDoubleClick: return "double-click " + control;
        case StepKind::kType: return "type " + Quoted(step.text) + " into " + control;
        case StepKind::kPickText: return "pick " + Quoted(step.text) + " in " + control;
        case StepKind::kPickIndex: return "pick item " + std::to_string(step.index) + " in " + control;
        case StepKind::kPickNode: return "pick \"" + Joined(step.path, "/") + "\" in " + control;
        case StepKind::kAddToSelection: return "ctrl-click row " + std::to_string(step.index) + " of " + control;
        case StepKind::kDoubleClickRow: return "double-click row " + std::to_string(step.index) + " of " + control;
        case StepKind::kDoubleClickRowText: return "double-click row " + Quoted(step.text) + " of " + control;
        case StepKind::kContextMenu: return "context menu of " + control + ", pick " + Quoted(step.menuItem);
        case StepKind::kContextMenuRow: return "context menu on row " + std::to_string(step.index) + " of " + control + ", pick " + Quoted(step.menuItem);
        case StepKind::kContextMenuNode: return "context menu on \"" + Joined(step.path, "/") + "\" of " + control + ", pick " + Quoted(step.menuItem);
        case StepKind::kKey: return "press key " + std::to_string(step.key);
        case StepKind::kClose: return "close the dialog";
        case StepKind::kFocus: return "focus " + control;
        case StepKind::kExpectDialog: return "expect the dialog " + Quoted(step.text);
        case StepKind::kInspect: return "look at the dialog";
        case StepKind::kAnswer: return "answer " + std::string(AnswerName(step.button)) + " to a message box with " + Quoted(step.text);
        case StepKind::kChooseFiles: return "choose " + Joined(step.files, ", ") + " in a file dialog";
        case StepKind::kCancelFiles: return "cancel a file dialog";
    }
    return {};
}

bool ScriptedUser::IsAnswer(const SStep& step) const {
    return step.kind == StepKind::kAnswer || step.kind == StepKind::kChooseFiles || step.kind == StepKind::kCancelFiles;
}

void ScriptedUser::Fail(const std::string& what) const {
    std::string report = what;
    if (!active_.empty()) report += "\n" + DescribeDialog(active_.back()->m_hWnd);
    std::vector<CString> boxes = MessageBoxTexts();
    if (!boxes.empty()) {
        report += "\nlast message boxes:";
        for (size_t i = boxes.size() > kMessageBoxesReported ? boxes.size() - kMessageBoxesReported : 0; i < boxes.size(); ++i)
            report += "\n  " + Quoted(boxes[i]);
    }
    throw ScriptFailure(report);
}

void ScriptedUser::RunModalLoop(CDialog& dialog) {
    CString caption;
    dialog.GetWindowText(caption);
    log_.push_back({.kind = SUserLogEntry::kDialogOpened, .caption = caption});
    active_.push_back(&dialog);
    struct PopActive {
        std::vector<CDialog*>& active;
        ~PopActive() { active.pop_back(); }
    } pop{active_};
    while (dialog.ContinueModal()) {
        if (PumpMessage()) continue;
        if (pendingMenu_) Fail("step " + std::to_string(*pendingMenu_ + 1) + " (" + Describe(steps_[*pendingMenu_]) + ") opened no popup menu");
        const SStep* step = NextStep();
        if (!step) Fail("the script ran out while the dialog " + Quoted(caption) + " waits for the user");
        if (IsAnswer(*step))
            Fail("step " + std::to_string(next_ + 1) + " (" + Describe(*step) + ") waits for a question that did not come; the dialog " +
                 Quoted(caption) + " waits for the user");
        SStep current = *step;  // steps added while it runs must not move it
        ++next_;
        Perform(current);
    }
    LogWatchedLists(dialog);
    log_.push_back({.kind = SUserLogEntry::kDialogEnded, .caption = caption, .answer = CString::FromUtf8(std::to_string(dialog.GetModalResult()))});
}

HWND ScriptedUser::Control(const SStep& step) {
    WindowRecord* dialog = FindWindowRecord(active_.back()->m_hWnd);
    WindowRecord* control = dialog ? FindDescendant(*dialog, step.control) : nullptr;
    if (!control) Fail("step " + std::to_string(next_) + " (" + Describe(step) + "): the dialog has no control " + std::to_string(step.control));
    if (!IsShown(*control)) Fail("step " + std::to_string(next_) + " (" + Describe(step) + "): control " + std::to_string(step.control) + " is hidden");
    return control->handle;
}

void ScriptedUser::ClickRow(HWND list, int row, MouseButton button, bool doubleClick, UINT keys) {
    ControlView<CListCtrl> view(list);
    if (row < 0 || row >= view->GetItemCount())
        Fail("list " + std::to_string(FindWindowRecord(list)->id) + " has no row " + std::to_string(row) + " (it has " + std::to_string(view->GetItemCount()) + ")");
    view->EnsureVisible(row, FALSE);  // the user scrolls to the row first
    CRect label;
    view->GetItemRect(row, &label, LVIR_LABEL);
    QueueClick(active_.back()->m_hWnd, ScreenPointOf(list, label.CenterPoint()), button, doubleClick, keys);
}

void ScriptedUser::ClickItem(HWND tree, HTREEITEM item, MouseButton button) {
    ControlView<CTreeCtrl> view(tree);
    view->EnsureVisible(item);  // the user opens the item's parents and scrolls to it
    CRect label;
    view->GetItemRect(item, &label, TRUE);
    QueueClick(active_.back()->m_hWnd, ScreenPointOf(tree, label.CenterPoint()), button);
}

HTREEITEM ScriptedUser::ItemAtPath(HWND tree, const std::vector<CString>& path) {
    ControlView<CTreeCtrl> view(tree);
    HTREEITEM item = TVI_ROOT;
    for (const CString& text : path) {
        HTREEITEM child = view->GetChildItem(item);
        while (child && !(view->GetItemText(child) == text)) child = view->GetNextSiblingItem(child);
        if (!child) Fail("the tree has no item \"" + Joined(path, "/") + "\"");
        item = child;
    }
    if (item == TVI_ROOT) Fail("an empty tree path");
    return item;
}

void ScriptedUser::Pick(HWND control, const SStep& step) {
    const WindowRecord& record = *FindWindowRecord(control);
    bool byText = step.kind == StepKind::kPickText;
    switch (record.kind) {
        case ControlKind::kListBox: {
            ControlView<CListBox> box(control);
            int index = step.index;
            for (int i = 0; byText && i < box->GetCount(); ++i) {
                CString text;
                box->GetText(i, text);
                if (text == step.text) {
                    index = i;
                    break;
                }
            }
            if (index < 0 || index >= box->GetCount()) Fail("list box " + std::to_string(record.id) + " has no item for: " + Describe(step));
            int perPage = std::max(1, ClientRectOf(record).Height() / ListBoxItemHeight(record.font));
            if (index < box->GetTopIndex() || index >= box->GetTopIndex() + perPage) box->SetTopIndex(index);  // the user scrolls
            CRect item;
            box->GetItemRect(index, &item);
            QueueClick(active_.back()->m_hWnd, ScreenPointOf(control, item.CenterPoint()), MouseButton::kLeft);
            return;
        }
        case ControlKind::kComboBox: {
            ControlView<CComboBox> combo(control);
            int index = byText ? -1 : step.index;
            for (int i = 0; byText && i < combo->GetCount(); ++i) {
                CString text;
                combo->GetLBText(i, text);
                if (text == step.text) {
                    index = i;
                    break;
                }
            }
            if (index < 0 || index >= combo->GetCount()) Fail("combo box " + std::to_string(record.id) + " has no item for: " + Describe(step));
            QueueClick(active_.back()->m_hWnd, MiddleOf(control), MouseButton::kLeft);
            QueueUserMessage(control, kComboPickMessage, static_cast<WPARAM>(index));
            return;
        }
        case ControlKind::kListView: {
            ControlView<CListCtrl> list(control);
            int row = step.index;
            for (int i = 0; byText && i < list->GetItemCount(); ++i)
                if (list->GetItemText(i, 0) == step.text) {
                    row = i;
                    break;
                }
            if (byText && row < 0) Fail("list " + std::to_string(record.id) + " has no row " + Quoted(step.text));
            ClickRow(control, row, MouseButton::kLeft, false, 0);
            return;
        }
        case ControlKind::kTreeView: {
            ControlView<CTreeCtrl> tree(control);
            HTREEITEM item = byText ? tree->FindItemByText(step.text, false) : nullptr;
            if (!item) Fail("the tree has no item for: " + Describe(step));
            ClickItem(control, item, MouseButton::kLeft);
            return;
        }
        default:
            Fail("control " + std::to_string(record.id) + " has no items to pick from");
    }
}

void ScriptedUser::RightClickForMenu(HWND control, const SStep& step) {
    const WindowRecord& record = *FindWindowRecord(control);
    pendingMenu_ = next_ - 1;
    if (step.kind == StepKind::kContextMenuRow) return ClickRow(control, step.index, MouseButton::kRight, false, 0);
    if (step.kind == StepKind::kContextMenuNode) return ClickItem(control, ItemAtPath(control, step.path), MouseButton::kRight);
    if (record.kind == ControlKind::kListView) {
        ControlView<CListCtrl> list(control);
        int row = list->GetSelectionMark() >= 0 ? list->GetSelectionMark() : list->GetNextItem(-1, LVNI_SELECTED);
        if (row >= 0 && row < list->GetItemCount()) return ClickRow(control, row, MouseButton::kRight, false, 0);
    }
    if (record.kind == ControlKind::kTreeView) {
        ControlView<CTreeCtrl> tree(control);
        if (HTREEITEM selected = tree->GetSelectedItem()) return ClickItem(control, selected, MouseButton::kRight);
    }
    QueueClick(active_.back()->m_hWnd, MiddleOf(control), MouseButton::kRight);
}

void ScriptedUser::Perform(const SStep& step) {
    HWND top = active_.back()->m_hWnd;
    switch (step.kind) {
        case StepKind::kClick:
            return QueueClick(top, MiddleOf(Control(step)), MouseButton::kLeft);
        case StepKind::kClickAt:
            return QueueClick(top, ScreenPointOf(Control(step), step.point), MouseButton::kLeft);
        case StepKind::kDoubleClick:
            return QueueClick(top, MiddleOf(Control(step)), MouseButton::kLeft, true);
        case StepKind::kType: {
            HWND control = Control(step);
            QueueClick(top, MiddleOf(control), MouseButton::kLeft);
            return QueuePaste(control, step.text);
        }
        case StepKind::kPickText:
        case StepKind::kPickIndex:
            return Pick(Control(step), step);
        case StepKind::kPickNode: {
            HWND tree = Control(step);
            return ClickItem(tree, ItemAtPath(tree, step.path), MouseButton::kLeft);
        }
        case StepKind::kAddToSelection:
            return ClickRow(Control(step), step.index, MouseButton::kLeft, false, MK_CONTROL);
        case StepKind::kDoubleClickRow:
            return ClickRow(Control(step), step.index, MouseButton::kLeft, true, 0);
        case StepKind::kDoubleClickRowText: {
            HWND list = Control(step);
            ControlView<CListCtrl> view(list);
            for (int i = 0; i < view->GetItemCount(); ++i)
                if (view->GetItemText(i, 0) == step.text) return ClickRow(list, i, MouseButton::kLeft, true, 0);
            Fail("list " + std::to_string(step.control) + " has no row " + Quoted(step.text));
        }
        case StepKind::kContextMenu:
        case StepKind::kContextMenuRow:
        case StepKind::kContextMenuNode:
            return RightClickForMenu(Control(step), step);
        case StepKind::kKey:
            return QueueKey(top, step.key);
        case StepKind::kClose:
            return QueueUserMessage(top, WM_CLOSE);
        case StepKind::kFocus:
            SetFocus(Control(step));
            return;
        case StepKind::kExpectDialog: {
            CString caption;
            active_.back()->GetWindowText(caption);
            if (!Contains(caption, step.text)) Fail("expected the dialog " + Quoted(step.text) + ", but " + Quoted(caption) + " is active");
            return;
        }
        case StepKind::kInspect:
            step.look(*active_.back());
            return;
        case StepKind::kAnswer:
        case StepKind::kChooseFiles:
        case StepKind::kCancelFiles:
            return;  // answers are taken by the questions
    }
}

void ScriptedUser::LogWatchedLists(CDialog& dialog) {
    CString caption;
    dialog.GetWindowText(caption);
    WindowRecord* record = FindWindowRecord(dialog.m_hWnd);
    for (const SWatch& watch : watches_) {
        if (watch.templateId != dialog.GetTemplateId() || !record) continue;
        WindowRecord* list = FindDescendant(*record, watch.control);
        if (!list) continue;
        log_.push_back({.kind = SUserLogEntry::kListRows, .caption = caption, .controlId = watch.control, .rows = ListViewRows(list->handle)});
    }
}

int ScriptedUser::ShowMessageBox(const SMessageBoxRequest& request) {
    log_.push_back({.kind = SUserLogEntry::kMessageBox, .caption = request.caption, .text = request.text, .boxType = request.type});
    size_t entry = log_.size() - 1;
    int button = 0;
    const SStep* step = NextStep();
    if (step && step->kind == StepKind::kAnswer && Contains(request.text, step->text)) {
        button = step->button;
        ++next_;
    } else {
        for (const SStandingAnswer& standing : standing_)
            if (Contains(request.text, standing.fragment)) {
                button = standing.button;
                break;
            }
    }
    if (button == 0)
        Fail("an unexpected message box " + Quoted(request.caption) + ": " + Quoted(request.text) +
             (step ? "; the next step is: " + Describe(*step) : "; the script has no step left"));
    std::vector<int> offered = MessageBoxAnswers(request.type);
    if (std::find(offered.begin(), offered.end(), button) == offered.end())
        Fail("the message box " + Quoted(request.text) + " has no " + AnswerName(button) + " button");
    log_[entry].answer = CString::FromUtf8(AnswerName(button));
    return button;
}

bool ScriptedUser::ChooseFiles(const SFileDialogRequest& request, std::vector<CString>& paths) {
    CString filters = FiltersText(request.filters);
    log_.push_back({.kind = SUserLogEntry::kFileDialog, .caption = request.title, .text = filters});
    size_t entry = log_.size() - 1;
    const SStep* step = NextStep();
    bool answers = step && (step->kind == StepKind::kChooseFiles || step->kind == StepKind::kCancelFiles);
    if (!answers || !(Contains(request.title, step->text) || Contains(filters, step->text)))
        Fail("an unexpected file dialog " + Quoted(request.title) + " (" + Utf8(filters) + ")" +
             (step ? "; the next step is: " + Describe(*step) : "; the script has no step left"));
    ++next_;
    if (step->kind == StepKind::kCancelFiles || step->files.empty()) {
        log_[entry].answer = u"cancelled";
        return false;
    }
    if (!request.multiple && step->files.size() > 1) Fail("the file dialog takes one file, the script chooses " + std::to_string(step->files.size()));
    for (const CString& file : step->files) {
        if (request.multiple && !(FolderOf(file) == FolderOf(step->files[0]))) Fail("files chosen together must be in one folder: " + Joined(step->files, ", "));
        if (request.mustExist && !FileExists(file)) Fail("the file dialog takes existing files only: " + Utf8(file));
    }
    paths = step->files;
    log_[entry].answer = CString::FromUtf8(Joined(paths, "\n"));
    return true;
}

UINT ScriptedUser::TrackPopupMenu(const CMenu& menu, HWND, CPoint) {
    std::vector<CString> texts = MenuTexts(menu);
    if (!pendingMenu_) Fail("a popup menu opened that the script did not ask for: " + Joined(texts, ", "));
    const CString& wanted = steps_[*pendingMenu_].menuItem;
    pendingMenu_.reset();
    for (UINT i = 0; i < menu.GetMenuItemCount(); ++i) {
        CString text;
        menu.GetMenuString(i, text, MF_BYPOSITION);
        UINT state = menu.GetMenuState(i, MF_BYPOSITION);
        if ((state & MF_SEPARATOR) || !(text == wanted)) continue;
        if (state & (MF_GRAYED | MF_DISABLED)) Fail("the menu item " + Quoted(wanted) + " is disabled");
        log_.push_back({.kind = SUserLogEntry::kPopupMenu, .text = wanted});
        return menu.GetMenuItemID(static_cast<int>(i));
    }
    Fail("the popup menu has no item " + Quoted(wanted) + "; its items: " + Joined(texts, ", "));
}

bool ScriptedUser::ShellOpen(const SShellRequest& request) {
    CString path = request.directory.IsEmpty() || (request.file.GetLength() > 0 && request.file[0] == u'/') ? request.file : request.directory + u'/' + request.file;
    bool exists = FileExists(path);
    log_.push_back({.kind = SUserLogEntry::kShellRequest, .text = request.verb + u' ' + path, .answer = exists ? u"done" : u"file not found"});
    return exists;
}
