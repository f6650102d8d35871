#include "gui_test_support.h"

#include <dlfcn.h>
#include <stdlib.h>

#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/radiobut.h>
#include <wx/textctrl.h>

#include "platform/module.h"
#include "platform/resources.h"
#include "platform/ui/combo_box.h"
#include "platform/ui/dialog.h"
#include "platform/ui/dialog_units.h"
#include "host/user_input/control_view.h"
#include "platform/ui/list_ctrl.h"
#include "host/wx_backend/window_capture.h"
#include "host/wx_backend/wx_text.h"

namespace fs = std::filesystem;

DriverTree::DriverTree() {
    std::string pattern = (fs::temp_directory_path() / "vireo-gui-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temporary folder");
    root_ = pattern;
    fs::create_directories(DriverPath().parent_path());
    fs::copy_file(VIREO_DRIVER_FILE, DriverPath());
    fs::copy_file(VIREO_LANGUAGE_FILE, DriverPath().parent_path() / fs::path(VIREO_LANGUAGE_FILE).filename());
}

DriverTree::~DriverTree() {
    if (handle_) dlclose(handle_);
    std::error_code ignored;
    fs::remove_all(root_, ignored);
}

void* DriverTree::Export(const char* name) {
    if (!handle_) handle_ = dlopen(DriverPath().c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle_) throw std::runtime_error(std::string("cannot load the driver: ") + dlerror());
    void* address = dlsym(handle_, name);
    if (!address) throw std::runtime_error(std::string("the driver lacks ") + name);
    return address;
}

fs::path CopyExamples(const DriverTree& tree) {
    const fs::path folder = tree.Root() / "plant";
    fs::create_directories(folder);
    for (const char* name : {"MotorData.udt", "PLCTags.xml", "DB1_Conveyor.db", "DB2_TankFarm.db"})
        fs::copy_file(fs::path(VIREO_EXAMPLES) / name, folder / name);
    return folder;
}

SDialogTemplate DriverTemplate(void* driverExport, unsigned templateId) {
    HMODULE module = GetModuleHandleFromAddress(driverExport);
    HRSRC resource = FindResourceW(module, templateId, RT_DIALOG);
    if (!resource) throw std::runtime_error("the driver has no dialog template " + std::to_string(templateId));
    const char* bytes = static_cast<const char*>(LockResource(LoadResource(module, resource)));
    return ParseDialogTemplate(std::string_view(bytes, SizeofResource(module, resource)));
}

void ExpectTemplateOnScreen(const DialogMirror& dialog, const SDialogTemplate& layout) {
    const WindowRecord* record = FindWindowRecord(dialog.Model().m_hWnd);
    ASSERT_NE(record, nullptr);
    ASSERT_GE(record->children.size(), layout.controls.size());
    const SFontMetrics font = FontMetricsFor(layout.fontFace, layout.fontPoints * 10);
    const CRect client = DialogRectToPixels(0, 0, layout.cx, layout.cy, font);
    EXPECT_EQ(dialog.GetClientSize(), dialog.Scale().ToScreen(CSize(client.Width(), client.Height())));
    EXPECT_EQ(dialog.GetTitle(), ToWx(layout.caption));
    for (size_t i = 0; i < layout.controls.size(); ++i) {
        const SDialogControl& control = layout.controls[i];
        SCOPED_TRACE("control " + std::to_string(control.id) + " \"" + control.text.ToUtf8() + "\"");
        // Template order is creation order, so the i-th window is the i-th control, labels included.
        wxWindow* window = dialog.WindowOf(record->children[i]->handle);
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(record->children[i]->id, control.id);
        CRect expected = DialogRectToPixels(control.x, control.y, control.cx, control.cy, font);
        if (control.kind == ControlKind::kComboBox) expected.bottom = expected.top + ComboClosedHeight(font);
        EXPECT_EQ(window->GetRect(), dialog.Scale().ToScreen(expected));
        EXPECT_EQ(window->IsShown(), (control.style & WS_VISIBLE) != 0);
        const bool labelled = dynamic_cast<wxButton*>(window) || dynamic_cast<wxCheckBox*>(window) || dynamic_cast<wxRadioButton*>(window) ||
                              control.kind == ControlKind::kStatic || (control.kind == ControlKind::kButton && !dynamic_cast<wxButton*>(window));
        if (labelled) {
            // A label without template text is one the dialog fills (a preview, a count).
            if (!control.text.IsEmpty()) {
                EXPECT_EQ(window->GetLabel(), ToWx(control.text));
            }
            EXPECT_EQ(window->GetLabel(), ToWx(record->children[i]->text));
        }
    }
}

bool PickerAnsweringBackend::ChooseFiles(const SFileDialogRequest&, std::vector<CString>& paths) {
    if (answers.empty()) return false;
    paths = answers.front();
    answers.pop_front();
    return true;
}

int PickerAnsweringBackend::ShowMessageBox(const SMessageBoxRequest& request) {
    messages.push_back(request.text.ToUtf8());
    return IDOK;
}

void ClickControl(DialogMirror& dialog, int id) {
    wxWindow* window = dialog.WindowOfId(id);
    ASSERT_NE(window, nullptr) << "no control " << id;
    wxEventType type = wxEVT_BUTTON;
    if (dynamic_cast<wxCheckBox*>(window)) type = wxEVT_CHECKBOX;
    if (auto* radio = dynamic_cast<wxRadioButton*>(window)) {
        type = wxEVT_RADIOBUTTON;
        radio->SetValue(true);  // the toolkit checks the radio button before it reports the click
    }
    wxCommandEvent event(type, window->GetId());
    event.SetEventObject(window);
    window->HandleWindowEvent(event);
}

void TypeInto(DialogMirror& dialog, int id, const std::string& utf8) {
    auto* edit = dynamic_cast<wxTextCtrl*>(dialog.WindowOfId(id));
    ASSERT_NE(edit, nullptr) << "no edit " << id;
    edit->SetFocus();
    edit->SetValue(wxString::FromUTF8(utf8));  // reports wxEVT_TEXT, as typing does
}

void DoubleClickListCell(DialogMirror& dialog, int listId, int row, int column) {
    const HWND list = dialog.HandleOfId(listId);
    wxWindow* window = dialog.WindowOf(list);
    const WindowRecord* record = FindWindowRecord(list);
    ASSERT_TRUE(window && record) << "no list " << listId;
    CRect cell;
    ASSERT_TRUE(ControlView<CListCtrl>(list)->GetSubItemRect(row, column, LVIR_LABEL, cell)) << "no cell " << row << "," << column;
    // The drawn list shows the client area inside its border, in the screen's pixels.
    const int edge = EdgeWidth(*record);
    const wxPoint middle = dialog.Scale().ToScreen(CPoint(cell.CenterPoint().x + edge, cell.CenterPoint().y + edge));
    for (wxEventType type : {wxEVT_LEFT_DOWN, wxEVT_LEFT_DCLICK}) {
        wxMouseEvent event(type);
        event.SetPosition(middle);
        event.m_leftDown = true;
        event.SetEventObject(window);
        window->HandleWindowEvent(event);
    }
}

void FocusControl(DialogMirror& dialog, int id) {
    wxWindow* window = dialog.WindowOfId(id);
    ASSERT_NE(window, nullptr) << "no control " << id;
    wxFocusEvent event(wxEVT_SET_FOCUS, window->GetId());
    event.SetEventObject(window);
    window->HandleWindowEvent(event);
}

void ClickToolkitButton(wxWindow& dialog, int id) {
    wxWindow* button = dialog.FindWindow(id);
    ASSERT_NE(button, nullptr) << "no button " << id;
    wxCommandEvent event(wxEVT_BUTTON, id);
    event.SetEventObject(button);
    button->HandleWindowEvent(event);
}

std::string ShownText(const DialogMirror& dialog, int id) {
    wxWindow* window = dialog.WindowOfId(id);
    if (auto* edit = dynamic_cast<wxTextCtrl*>(window)) return edit->GetValue().utf8_string();
    return window ? window->GetLabel().utf8_string() : std::string();
}

bool SaveScreenshot(wxWindow& window, const std::string& name) {
    const fs::path file = fs::path(VIREO_SCREENSHOT_DIR) / (name + ".png");
    std::error_code error;
    fs::create_directories(file.parent_path(), error);
    return SaveWindowPng(window, file.string());
}
