// The driver's dialogs (and the main window's channel dialog) as a user reads them, in Chinese and
// in English: drawn in a readable font, no label cut by its window, group captions in a gap of
// their frame line. The main window and
// every dialog are pictured on the way, into <build>/gui-screenshots/<language>/ (docs/screenshots.sh
// copies them into the documentation).
#include <filesystem>
#include <functional>

#include <gtest/gtest.h>
#include <gtk/gtk.h>
#include <wx/app.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/radiobut.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/tokenzr.h>

#include "gui_test_support.h"
#include "host/gui/channel_dialog.h"
#include "host/gui/main_frame.h"
#include "import/tag_import_controls.h"
#include "platform/ui/dialog.h"
#include "platform/ui_language.h"
#include "types/data_type_dialog_controls.h"

namespace {

void ForEachWindow(wxWindow& parent, const std::function<void(wxWindow&)>& visit) {
    for (wxWindow* child : parent.GetChildren()) {
        visit(*child);
        ForEachWindow(*child, visit);
    }
}

/// The caption of a group box in the toolkit's frame: where it stands and how wide it is drawn.
void ExpectCaptionInAGap(wxStaticBox& box) {
    GtkWidget* frame = static_cast<GtkWidget*>(box.GetHandle());
    GtkWidget* caption = gtk_frame_get_label_widget(GTK_FRAME(frame));
    ASSERT_NE(caption, nullptr);
    GtkAllocation frameAt, captionAt;
    gtk_widget_get_allocation(frame, &frameAt);
    gtk_widget_get_allocation(caption, &captionAt);
    // The frame leaves out its top line where the caption is given room: room for the whole text,
    // away from the left corner so that the left line and the corner show, and inside the frame.
    EXPECT_GE(captionAt.width, box.GetTextExtent(wxControl::RemoveMnemonics(box.GetLabel())).x);
    EXPECT_GE(captionAt.x - frameAt.x, box.GetCharWidth() / 2);
    EXPECT_LE(captionAt.x + captionAt.width, frameAt.x + frameAt.width);
}

/// The facts a reader relies on, whatever the pixels: a font whose lines are at least 12 pixels
/// high, and every text whole in its window in the window's font.
void ExpectReadable(wxWindow& dialog) {
    EXPECT_GE(dialog.GetCharHeight(), 12);
    int labels = 0;
    ForEachWindow(dialog, [&labels](wxWindow& window) {
        const wxString text = wxControl::RemoveMnemonics(window.GetLabel());
        if (!window.IsShown() || text.empty()) return;
        SCOPED_TRACE(window.GetName().utf8_string() + " \"" + text.utf8_string() + "\"");
        ++labels;
        const wxSize size = window.GetSize();
        if (auto* box = dynamic_cast<wxStaticBox*>(&window)) {
            ExpectCaptionInAGap(*box);
        } else if (dynamic_cast<wxButton*>(&window) || dynamic_cast<wxCheckBox*>(&window) || dynamic_cast<wxRadioButton*>(&window)) {
            // What the control needs for its text, with the indicator or the button's edges.
            EXPECT_LE(window.GetBestSize().x, size.x);
            EXPECT_LE(window.GetTextExtent(text).y, size.y);
        } else if (dynamic_cast<wxStaticText*>(&window)) {
            const wxArrayString lines = wxStringTokenize(text, "\n", wxTOKEN_RET_EMPTY_ALL);
            for (const wxString& line : lines) EXPECT_LE(window.GetTextExtent(line).x, size.x) << line;
            EXPECT_LE(static_cast<int>(lines.size()) * window.GetCharHeight(), size.y);
        }
    });
    EXPECT_GT(labels, 3);
}

bool HasChinese(const wxString& text) {
    for (wxUniChar ch : text)
        if (ch.GetValue() >= 0x3000) return true;
    return false;
}

/// The text the toolkit draws on a widget: that of the first label inside it.
wxString DrawnText(GtkWidget* widget) {
    if (GTK_IS_LABEL(widget)) return wxString::FromUTF8(gtk_label_get_text(GTK_LABEL(widget)));
    wxString text;
    if (GTK_IS_CONTAINER(widget)) {
        GList* children = gtk_container_get_children(GTK_CONTAINER(widget));
        for (GList* child = children; child && text.empty(); child = child->next) text = DrawnText(static_cast<GtkWidget*>(child->data));
        g_list_free(children);
    }
    return text;
}

/// Every push button of the window is drawn in the window's language (the stock ones included,
/// which the toolkit would label in the desktop's language whatever the button's label says).
void ExpectButtonsIn(wxWindow& dialog, bool chinese) {
    ForEachWindow(dialog, [chinese](wxWindow& window) {
        if (auto* button = dynamic_cast<wxButton*>(&window)) {
            const wxString drawn = DrawnText(static_cast<GtkWidget*>(button->GetHandle()));
            if (!drawn.empty()) {
                EXPECT_EQ(HasChinese(drawn), chinese) << drawn;
            }
        }
    });
}

/// Takes the dialog's picture (which waits until it is laid out), then checks what it shows.
void PictureAndCheck(wxWindow& dialog, const std::string& name) {
    SCOPED_TRACE(name);
    EXPECT_TRUE(SaveScreenshot(dialog, name));
    ExpectReadable(dialog);
    ExpectButtonsIn(dialog, name.rfind("zh/", 0) == 0);
}

struct SLanguage {
    LANGID id;
    const char* code;
};

}  // namespace

TEST(DialogLayout, EveryDialogIsReadableInBothLanguages) {
    for (const SLanguage language : {SLanguage{kLangChineseSimplified, "zh"}, SLanguage{kLangEnglishUS, "en"}}) {
        SCOPED_TRACE(language.code);
        const std::string folder = std::string(language.code) + "/";
        SetThreadUILanguageOverride(language.id);
        DriverTree tree;
        HostOptions options;
        options.project = (tree.Root() / "plant.vproj").string();
        options.driver = tree.DriverPath().string();
        options.lang = language.code;
        GuiProject project(options);
        PickerAnsweringBackend backend;
        CUiBackendScope useWindows(backend);
        auto* frame = new MainFrame(project, "");
        frame->Show();
        frame->AddDevice("PLC1");

        const std::filesystem::path plant = CopyExamples(tree);
        auto example = [&plant](const char* name) { return CString::FromUtf8((plant / name).string()); };
        backend.answers = {{example("MotorData.udt")}, {example("PLCTags.xml")}, {example("DB1_Conveyor.db"), example("DB2_TankFarm.db")}};

        std::vector<unsigned> shown;
        backend.OnDialogShown([&](DialogMirror& dialog) {
            const unsigned id = dialog.Model().GetTemplateId();
            shown.push_back(id);
            switch (id) {
                case kTagImportTemplate:
                    ClickControl(dialog, kImportDataTypesButton);
                    ClickControl(dialog, kBrowseTagFileButton);
                    ClickControl(dialog, kBrowseBlockFilesButton);
                    PictureAndCheck(dialog, folder + "tag_import");
                    ClickControl(dialog, kTagImportButton);
                    break;
                case kEditDataTypeTemplate:
                    ClickControl(dialog, kEditorNewButton);
                    ClickControl(dialog, kBatchAddButton);
                    ClickControl(dialog, kAddMemberButton);
                    PictureAndCheck(dialog, folder + "data_type_editor");
                    ClickControl(dialog, kLeaveButton);
                    break;
                case kNewMoreTemplate:
                    ClickControl(dialog, kBatchSampleButton);
                    PictureAndCheck(dialog, folder + "batch_members");
                    ClickControl(dialog, IDOK);
                    break;
                case kAddDataTypeTemplate:
                    PictureAndCheck(dialog, folder + "member");
                    ClickControl(dialog, IDCANCEL);
                    break;
                default:
                    ADD_FAILURE() << "an unexpected dialog " << id;
                    dialog.Deliver([&dialog] { dialog.Model().EndDialog(IDCANCEL); });
            }
        });
        frame->OpenCustomUI(0);
        EXPECT_TRUE(project.EditDataTypes());
        EXPECT_EQ(shown, (std::vector<unsigned>{kTagImportTemplate, kEditDataTypeTemplate, kNewMoreTemplate, kAddDataTypeTemplate}));
        EXPECT_GT(frame->channels->GetItemCount(), 8);  // the import's channels, pictured in the main window

        // The main window's own channel dialog, laid out by the toolkit, is held to the same facts.
        int channelDialogs = 0;
        {
            ToolkitDialogHook hook([&](wxDialog& dialog) {
                if (!dynamic_cast<ChannelDialog*>(&dialog)) return static_cast<int>(wxID_NONE);
                ++channelDialogs;
                dialog.CallAfter([&dialog, &folder] {
                    PictureAndCheck(dialog, folder + "channel_dialog");
                    ClickToolkitButton(dialog, wxID_CANCEL);
                });
                return static_cast<int>(wxID_NONE);
            });
            wxWindow* add = frame->FindWindow(kAddChannels);
            ASSERT_NE(add, nullptr);
            wxCommandEvent press(wxEVT_BUTTON, kAddChannels);
            press.SetEventObject(add);
            add->HandleWindowEvent(press);
        }
        EXPECT_EQ(channelDialogs, 1);
        frame->Raise();
        EXPECT_TRUE(SaveScreenshot(*frame, folder + "main_window"));

        // Gone for good before the next language's dialogs look for their owner.
        frame->Destroy();
        wxTheApp->ProcessPendingEvents();
        wxTheApp->ProcessIdle();
        SetThreadUILanguageOverride(0);
    }
}
