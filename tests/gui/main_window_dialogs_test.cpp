// The main window's own dialogs worked through the toolkit's widget events: the channel dialog
// (the register type picked on the screen decides the data types offered; OK adds the described
// channels, Cancel changes nothing, a failure shows as a message box), and the question before a
// device is removed.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/choice.h>
#include <wx/listbox.h>
#include <wx/msgdlg.h>
#include <wx/stockitem.h>
#include <wx/spinctrl.h>
#include <wx/textctrl.h>

#include "gui_test_support.h"
#include "host/gui/channel_dialog.h"
#include "host/gui/main_frame.h"
#include "platform/ui_language.h"
#include "host/wx_backend/wx_text.h"

namespace {

void Choose(wxChoice& choice, int index) {
    choice.SetSelection(index);
    wxCommandEvent event(wxEVT_CHOICE, choice.GetId());
    event.SetInt(index);
    event.SetEventObject(&choice);
    choice.HandleWindowEvent(event);
}

void Type(wxTextCtrl& edit, const std::string& utf8) { edit.SetValue(wxString::FromUTF8(utf8)); }

void Spin(wxSpinCtrl& spin, int value) {
    spin.SetValue(value);
    wxSpinEvent event(wxEVT_SPINCTRL, spin.GetId());
    event.SetPosition(value);
    event.SetEventObject(&spin);
    spin.HandleWindowEvent(event);
}

/// A press of the window's button with the command's identifier, as the toolkit reports it.
void Press(MainFrame& frame, int command) {
    wxWindow* button = frame.FindWindow(command);
    ASSERT_NE(button, nullptr) << "no button " << command;
    wxCommandEvent event(wxEVT_BUTTON, command);
    event.SetEventObject(button);
    button->HandleWindowEvent(event);
}

std::string Cell(const MainFrame& frame, long row, long column) { return frame.channels->GetItemText(row, column).utf8_string(); }

struct HostWindow {
    HostWindow() {
        options.project = (tree.Root() / "test.vproj").string();
        options.driver = tree.DriverPath().string();
        options.lang = "zh";
        project = std::make_unique<GuiProject>(options);
        frame = new MainFrame(*project, "");
        frame->Show();
    }
    ~HostWindow() {
        frame->Destroy();
        wxTheApp->ProcessPendingEvents();
    }
    DriverTree tree;
    HostOptions options;
    std::unique_ptr<GuiProject> project;
    MainFrame* frame = nullptr;
};

}  // namespace

TEST(MainWindowDialogs, ChannelDialogAddsWhatItDescribesAndFailuresShowAsMessages) {
    SetThreadUILanguageOverride(kLangChineseSimplified);
    HostWindow host;
    WxUiBackend backend;
    CUiBackendScope useWindows(backend);
    MainFrame& frame = *host.frame;
    frame.AddDevice("PLC1");
    ASSERT_EQ(frame.channels->GetItemCount(), 8);
    const SChannelConfig config = host.project->ChannelConfig("PLC1");
    ASSERT_GT(config.dataTypes.size(), 3u);
    ASSERT_GT(config.dataTypes[3].size(), 11u);

    std::function<void(ChannelDialog&)> work;
    std::vector<std::string> messages;
    int answer = wxID_YES;  ///< to a question
    int dialogsShown = 0;
    ToolkitDialogHook hook([&](wxDialog& dialog) {
        if (auto* channels = dynamic_cast<ChannelDialog*>(&dialog)) {
            ++dialogsShown;
            channels->CallAfter([&work, channels] { work(*channels); });
            return static_cast<int>(wxID_NONE);
        }
        if (auto* box = dynamic_cast<wxMessageDialog*>(&dialog)) {
            messages.push_back(box->GetMessage().utf8_string());
            // The buttons speak the windows' language, not the toolkit's stock items of the desktop's.
            const bool question = box->GetMessageDialogStyle() & wxYES_NO;
            wxString label = question ? box->GetYesLabel() : box->GetOKLabel();
            label.Replace("_", "&");  // the toolkit's mnemonic mark
            EXPECT_EQ(label, wxGetStockLabel(question ? wxID_YES : wxID_OK));
            return static_cast<int>(box->GetMessageDialogStyle() & wxYES_NO ? answer : wxID_OK);
        }
        ADD_FAILURE() << "an unexpected dialog " << dialog.GetTitle();
        return static_cast<int>(wxID_CANCEL);
    });

    // Three 16-bit words in data block 5; the register type picked offers its own data types.
    size_t typesOffered = 0;
    work = [&](ChannelDialog& dialog) {
        Choose(*dialog.registerChoice, 3);
        typesOffered = dialog.typeChoice->GetCount();
        Choose(*dialog.typeChoice, 11);
        Type(*dialog.addressEdit, "5.10");
        Spin(*dialog.countEdit, 3);
        Type(*dialog.commentEdit, "feed pumps");
        EXPECT_TRUE(SaveScreenshot(dialog, "channel_dialog"));
        ClickToolkitButton(dialog, wxID_OK);
    };
    Press(frame, kAddChannels);
    EXPECT_EQ(dialogsShown, 1);
    EXPECT_EQ(typesOffered, config.dataTypes[3].size());
    ASSERT_EQ(frame.channels->GetItemCount(), 11);
    EXPECT_EQ(Cell(frame, 8, 1), "DB5:读写WUB010");
    EXPECT_EQ(Cell(frame, 8, 2), config.registerNames[3].ToUtf8());
    EXPECT_EQ(Cell(frame, 8, 3), config.dataTypes[3][11].ToUtf8());
    EXPECT_EQ(Cell(frame, 10, 4), "5.14");
    EXPECT_EQ(Cell(frame, 10, 8), "feed pumps");
    EXPECT_TRUE(messages.empty());

    // Cancel adds nothing, whatever the fields hold.
    work = [&](ChannelDialog& dialog) {
        Type(*dialog.addressEdit, "5.40");
        ClickToolkitButton(dialog, wxID_CANCEL);
    };
    Press(frame, kAddChannels);
    EXPECT_EQ(frame.channels->GetItemCount(), 11);

    // The Delete button asks first, then removes the selected rows only.
    frame.channels->SetItemState(9, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
    answer = wxID_NO;
    Press(frame, kDeleteChannels);
    EXPECT_EQ(frame.channels->GetItemCount(), 11);
    answer = wxID_YES;
    Press(frame, kDeleteChannels);
    ASSERT_EQ(frame.channels->GetItemCount(), 10);
    EXPECT_EQ(Cell(frame, 9, 4), "5.14");
    EXPECT_EQ(messages, std::vector<std::string>(2, "删除所选的 1 个通道吗？"));
    messages.clear();
    // The last delete can be undone while nothing changed the device since; then it is gone.
    EXPECT_TRUE(frame.UndoDelete());
    EXPECT_EQ(frame.channels->GetItemCount(), 11);
    EXPECT_FALSE(frame.UndoDelete());
    frame.channels->SetItemState(9, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
    Press(frame, kDeleteChannels);
    ASSERT_EQ(frame.channels->GetItemCount(), 10);
    messages.clear();
    // A change after the delete is not overwritten by an undo.
    work = [&](ChannelDialog& dialog) {
        Choose(*dialog.registerChoice, 3);
        Choose(*dialog.typeChoice, 11);
        Type(*dialog.addressEdit, "5.60");
        ClickToolkitButton(dialog, wxID_OK);
    };
    Press(frame, kAddChannels);
    const int afterAdd = frame.channels->GetItemCount();
    EXPECT_EQ(afterAdd, 11);
    EXPECT_FALSE(frame.UndoDelete());
    EXPECT_EQ(frame.channels->GetItemCount(), afterAdd);
    messages.clear();

    // The device removed behind the window's back (another program on the same project): adding
    // fails, and the failure is a message box that names the device, not a crash.
    work = [&](ChannelDialog& dialog) {
        Type(*dialog.addressEdit, "5.40");
        ClickToolkitButton(dialog, wxID_OK);
    };
    host.project->RemoveDevice("PLC1");
    Press(frame, kAddChannels);
    EXPECT_EQ(dialogsShown, 4);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("PLC1"), std::string::npos);
    EXPECT_TRUE(host.project->DeviceNames().empty());
    SetThreadUILanguageOverride(0);
}

TEST(MainWindowDialogs, RemovingADeviceAsksFirstAndNoKeepsIt) {
    HostWindow host;
    WxUiBackend backend;
    CUiBackendScope useWindows(backend);
    MainFrame& frame = *host.frame;
    frame.AddDevice("PLC1");
    frame.AddDevice("PLC2");
    ASSERT_EQ(frame.CurrentDevice(), "PLC2");

    int answer = wxID_NO;
    std::vector<std::string> questions;
    ToolkitDialogHook hook([&](wxDialog& dialog) {
        auto* box = dynamic_cast<wxMessageDialog*>(&dialog);
        if (!box) return static_cast<int>(wxID_CANCEL);
        questions.push_back(box->GetMessage().utf8_string());
        EXPECT_TRUE(box->GetMessageDialogStyle() & wxYES_NO);
        return answer;
    });
    Press(frame, kRemoveDevice);
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_NE(questions[0].find("PLC2"), std::string::npos);
    EXPECT_EQ(host.project->DeviceNames().size(), 2u);
    EXPECT_EQ(frame.devices->GetCount(), 2u);

    answer = wxID_YES;
    Press(frame, kRemoveDevice);
    EXPECT_EQ(questions.size(), 2u);
    EXPECT_EQ(host.project->DeviceNames(), std::vector<std::string>{"PLC1"});
    EXPECT_EQ(frame.devices->GetCount(), 1u);
    EXPECT_EQ(frame.CurrentDevice(), "PLC1");
}
