// The graphical host's main window on a project: devices, properties, channels, and the tag import
// opened from the Tools menu entry and clicked through with the example exports.
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/listbox.h>
#include <wx/menu.h>
#include <wx/propgrid/propgrid.h>

#include "gui_test_support.h"
#include "host/gui/main_frame.h"
#include "import/tag_import_controls.h"
#include "host/user_input/control_view.h"
#include "platform/ui/dialog.h"
#include "platform/ui/list_ctrl.h"
#include "platform/ui_language.h"

namespace {

std::string CellText(const DialogMirror& dialog, int list, int row, int column) {
    return ControlView<CListCtrl>(dialog.HandleOfId(list))->GetItemText(row, column).ToUtf8();
}

}  // namespace

TEST(HostWindow, EditsADeviceAndImportsTheExampleTags) {
    SetThreadUILanguageOverride(kLangChineseSimplified);
    DriverTree tree;
    HostOptions options;
    options.project = (tree.Root() / "test.vproj").string();
    options.driver = tree.DriverPath().string();
    options.lang = "zh";
    GuiProject project(options);
    PickerAnsweringBackend backend;
    CUiBackendScope useWindows(backend);
    auto* frame = new MainFrame(project, "");
    frame->Show();
    // The window speaks the language of the driver's dialogs.
    EXPECT_EQ(frame->GetMenuBar()->GetMenuLabel(0), wxString::FromUTF8("文件(&F)"));
    EXPECT_EQ(frame->channels->GetColumnCount(), 9);
    wxListItem heading;
    heading.SetMask(wxLIST_MASK_TEXT);
    frame->channels->GetColumn(2, heading);
    EXPECT_EQ(heading.GetText(), wxString::FromUTF8("寄存器"));

    // A new device: six properties and the eight default bit channels. A second one of the name is
    // refused in the windows' language.
    frame->AddDevice("PLC1");
    try {
        frame->AddDevice("PLC1");
        ADD_FAILURE() << "a second PLC1 was added";
    } catch (const HostError& error) {
        EXPECT_STREQ(error.what(), "项目中已有名为 PLC1 的设备");
    }
    EXPECT_EQ(frame->devices->GetCount(), 1u);
    EXPECT_EQ(frame->properties->GetRoot()->GetChildCount(), 6u);
    ASSERT_EQ(frame->channels->GetItemCount(), 8);
    EXPECT_EQ(frame->channels->GetItemText(7, 1), wxString::FromUTF8("I读写000.7"));

    // A free property takes a number in its range, hexadecimal with 0x too (the slot: 0 to 31); the
    // grid shows it back.
    frame->properties->ChangePropertyValue("p3", wxString(" 0x1f "));
    wxTheApp->ProcessPendingEvents();
    EXPECT_EQ(frame->properties->GetPropertyValueAsString("p3"), "31");

    // Three 16-bit words in data block 5 from the channel dialog's description.
    SChlInfo words;
    words.regType = 3;
    words.typeIndex = 11;
    words.address = u"5.10";
    words.chlCount = 3;
    words.rwFlag = 2;
    frame->AddChannels(words);
    ASSERT_EQ(frame->channels->GetItemCount(), 11);
    EXPECT_EQ(frame->channels->GetItemText(8, 1), wxString::FromUTF8("DB5:读写WUB010"));
    EXPECT_EQ(frame->channels->GetItemText(10, 4), "5.14");
    // A description the driver builds nothing from is an error, and changes nothing.
    SChlInfo refused;
    EXPECT_THROW(frame->AddChannels(refused), HostError);
    EXPECT_EQ(project.Channels("PLC1").size(), 11u);
    // Deleting the selected rows, and only those.
    frame->channels->SetItemState(0, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
    frame->channels->SetItemState(8, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
    frame->DeleteSelectedChannels();
    ASSERT_EQ(frame->channels->GetItemCount(), 9);
    EXPECT_EQ(frame->channels->GetItemText(7, 1), wxString::FromUTF8("DB5:读写WUB012"));

    // The tag import from the Tools menu entry, clicked through as a user does.
    const std::filesystem::path plant = CopyExamples(tree);
    auto example = [&plant](const char* name) { return CString::FromUtf8((plant / name).string()); };
    backend.answers = {{example("MotorData.udt")}, {example("PLCTags.xml")}, {example("DB1_Conveyor.db"), example("DB2_TankFarm.db")}};
    int importShown = 0;
    int blockRows = -1;
    std::string editedName;
    bool editShown = false, editHidden = false;
    backend.OnDialogShown([&](DialogMirror& dialog) {
        if (dialog.Model().GetTemplateId() != kTagImportTemplate) {
            ADD_FAILURE() << "an unexpected dialog " << dialog.Model().GetTemplateId();
            return dialog.Deliver([&dialog] { dialog.Model().EndDialog(IDCANCEL); });
        }
        ++importShown;
        ExpectTemplateOnScreen(dialog, DriverTemplate(tree.Export("SvrShowCustomUI"), kTagImportTemplate));
        ClickControl(dialog, kImportDataTypesButton);
        ClickControl(dialog, kBrowseTagFileButton);
        ClickControl(dialog, kBrowseBlockFilesButton);
        blockRows = ControlView<CListCtrl>(dialog.HandleOfId(kBlockList))->GetItemCount();
        EXPECT_TRUE(SaveScreenshot(dialog, "tag_import"));
        // The block name corrected in place: a double-click on it on the drawn list opens an edit
        // over the cell, and the typed name is taken when the focus moves on.
        DoubleClickListCell(dialog, kBlockList, 1, 0);
        wxWindow* edit = dialog.WindowOfId(kCellEditId);
        editShown = edit && edit->IsShown();
        TypeInto(dialog, kCellEditId, "DB12");
        FocusControl(dialog, kTagFileEdit);
        editHidden = edit && !edit->IsShown();
        editedName = CellText(dialog, kBlockList, 1, 0);
        ClickControl(dialog, kTagImportButton);
    });
    frame->OpenCustomUI(0);
    EXPECT_EQ(importShown, 1);
    EXPECT_EQ(blockRows, 2);
    EXPECT_TRUE(editShown);
    EXPECT_TRUE(editHidden);
    EXPECT_EQ(editedName, "DB12");
    EXPECT_TRUE(backend.answers.empty());
    EXPECT_TRUE(backend.messages.empty());
    EXPECT_GT(frame->channels->GetItemCount(), 9);
    EXPECT_EQ(project.Channels("PLC1").size(), static_cast<size_t>(frame->channels->GetItemCount()));
    EXPECT_TRUE(SaveScreenshot(*frame, "main_window"));
    // The variable column shows the channel's variable as `channel list` does, and no column cuts
    // its texts.
    bool dottedVariable = false;
    for (long row = 0; row < frame->channels->GetItemCount(); ++row)
        dottedVariable = dottedVariable || frame->channels->GetItemText(row, 6) == "Conveyor.Drive.Running";
    EXPECT_TRUE(dottedVariable) << frame->channels->GetItemText(12, 6) << " " << frame->channels->GetItemText(12, 1);
    for (int column = 0; column < frame->channels->GetColumnCount(); ++column)
        for (long row = 0; row < frame->channels->GetItemCount(); ++row)
            EXPECT_LE(frame->channels->GetTextExtent(frame->channels->GetItemText(row, column)).GetWidth(), frame->channels->GetColumnWidth(column))
                << "row " << row << " column " << column;
    // What the import did, in a window beside the main one.
    ASSERT_TRUE(frame->importReport);
    const std::string report = frame->importReport->GetValue().utf8_string();
    EXPECT_NE(report.find("PLC1: 46 channels added, 0 changed, 0 removed, 0 unchanged; kept 7 channels of I, Q and M"),
              std::string::npos) << report;
    EXPECT_NE(report.find("Conveyor.StartDelay.PT (Time)"), std::string::npos) << report;  // members that made no channel

    // The same import again replaces what the first one made: nothing is added twice.
    const int rowsAfterImport = frame->channels->GetItemCount();
    backend.answers = {{example("MotorData.udt")}, {example("PLCTags.xml")}, {example("DB1_Conveyor.db"), example("DB2_TankFarm.db")}};
    frame->OpenCustomUI(0);
    EXPECT_EQ(importShown, 2);
    EXPECT_EQ(frame->channels->GetItemCount(), rowsAfterImport);
    ASSERT_TRUE(frame->importReport);
    EXPECT_NE(frame->importReport->GetValue().utf8_string().find("PLC1: 0 channels added, 0 changed, 0 removed, 46 unchanged"),
              std::string::npos) << frame->importReport->GetValue().utf8_string();

    frame->Destroy();
    wxTheApp->ProcessPendingEvents();
    // In English the window's own texts are English.
    SetThreadUILanguageOverride(kLangEnglishUS);
    auto* english = new MainFrame(project, "PLC1");
    EXPECT_EQ(english->GetMenuBar()->GetMenuLabel(0), "&File");
    english->Destroy();
    wxTheApp->ProcessPendingEvents();
    SetThreadUILanguageOverride(0);
}

TEST(HostWindow, ProjectsAreMadeOpenedSavedAsAndExportedFromTheFileMenu) {
    SetThreadUILanguageOverride(kLangEnglishUS);
    DriverTree tree;
    HostOptions options;
    options.project = (tree.Root() / "first.vproj").string();
    options.driver = tree.DriverPath().string();
    GuiProject project(options);
    PickerAnsweringBackend backend;
    CUiBackendScope useWindows(backend);
    auto* frame = new MainFrame(project, "");
    frame->AddDevice("PLC1");

    // Save as: the copy is the project from now on; the first one stays as it was.
    const std::string second = (tree.Root() / "second.vproj").string();
    frame->SaveProjectAs(second);
    EXPECT_EQ(project.Path(), second);
    EXPECT_NE(frame->GetTitle().find("second.vproj"), wxString::npos);
    frame->AddDevice("PLC2");
    EXPECT_EQ(project.DeviceNames(), (std::vector<std::string>{"PLC1", "PLC2"}));

    // Open: the first project again, with its one device; a file that is no project is refused
    // and the project stays the one before.
    frame->OpenProject((tree.Root() / "first.vproj").string(), true);
    EXPECT_EQ(frame->devices->GetCount(), 1u);
    const std::string notAProject = (tree.Root() / "notes.txt").string();
    std::ofstream(notAProject) << "not a project\n";
    EXPECT_ANY_THROW(frame->OpenProject(notAProject, true));
    EXPECT_EQ(project.Path(), (tree.Root() / "first.vproj").string());
    // New: a name that exists is refused; a new name gives an empty project, made with its first device.
    EXPECT_ANY_THROW(frame->OpenProject(second, false));
    const std::string fresh = (tree.Root() / "new.vproj").string();
    frame->OpenProject(fresh, false);
    EXPECT_EQ(frame->devices->GetCount(), 0u);
    frame->AddDevice("PLC9");
    EXPECT_TRUE(std::filesystem::exists(fresh));

    // Export: the file holds what `channel list --format` prints.
    const std::string csv = (tree.Root() / "PLC9.csv").string();
    frame->ExportChannels(csv, TableFormat::kCsv);
    std::ifstream exported(csv);
    std::string header, first;
    std::getline(exported, header);
    std::getline(exported, first);
    EXPECT_EQ(header.substr(0, 9), "通道的") << std::filesystem::file_size(csv);
    EXPECT_EQ(first.substr(0, 16), "2,0,0,0,0,0,0,0,") << first;  // the first default bit channel, I0.0
    EXPECT_FALSE(std::filesystem::exists(csv + ".partial"));

    // The recent projects are the menu's, newest first, and outlive the window.
    frame->Destroy();
    wxTheApp->ProcessPendingEvents();
    auto* again = new MainFrame(project, "");
    wxMenuItem* newest = again->GetMenuBar()->FindItem(kFirstRecentProject);
    ASSERT_NE(newest, nullptr);
    EXPECT_NE(newest->GetItemLabelText().find("new.vproj"), wxString::npos);
    again->Destroy();
    wxTheApp->ProcessPendingEvents();
    SetThreadUILanguageOverride(0);
}

