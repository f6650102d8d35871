// The driver's dialogs on the screen: every control of each template where the template puts it,
// with its text; user input through the toolkit's widget events reaching the dialogs; a picture of
// each dialog under the build folder.
#include <map>

#include <gtest/gtest.h>

#include "core/host_interface.h"
#include "gui_test_support.h"
#include "host/user_input/control_view.h"
#include "types/data_type_dialog_controls.h"
#include "platform/ui/dialog.h"
#include "platform/ui/list_ctrl.h"
#include "platform/ui_language.h"
#include "host/wx_backend/wx_text.h"

namespace {

/// The windows backend with a user who would answer any message box: none is expected here.
class QuietBackend : public WxUiBackend {
public:
    int ShowMessageBox(const SMessageBoxRequest& request) override {
        messages.push_back(request.text.ToUtf8());
        return IDOK;
    }
    std::vector<std::string> messages;
};

int RowCount(const DialogMirror& dialog, int list) { return ControlView<CListCtrl>(dialog.HandleOfId(list))->GetItemCount(); }

}  // namespace

TEST(DialogScreen, TypeDialogsShowTheirTemplatesAndTakeWidgetInput) {
    SetThreadUILanguageOverride(kLangChineseSimplified);
    DriverTree tree;
    void* editorExport = tree.Export("VireoEditDataTypes");
    QuietBackend backend;
    CUiBackendScope useWindows(backend);
    std::map<unsigned, int> shown;
    int membersAfterBatch = -1;
    std::string countText, batchText;

    backend.OnDialogShown([&](DialogMirror& dialog) {
        const unsigned id = dialog.Model().GetTemplateId();
        ++shown[id];
        {
            SCOPED_TRACE("template " + std::to_string(id));
            ExpectTemplateOnScreen(dialog, DriverTemplate(editorExport, id));
        }
        switch (id) {
            case kEditDataTypeTemplate:
                EXPECT_TRUE(SaveScreenshot(dialog, "edit_data_type"));
                ClickControl(dialog, kEditorNewButton);
                ClickControl(dialog, kBatchAddButton);  // opens batch entry, which the user fills and confirms
                membersAfterBatch = RowCount(dialog, kMemberList);
                ClickControl(dialog, kAddMemberButton);  // opens the member dialog, which the user cancels
                ClickControl(dialog, kLeaveButton);
                break;
            case kNewMoreTemplate:
                ClickControl(dialog, kBatchSampleButton);
                countText = ShownText(dialog, kBatchCountEdit);
                batchText = ShownText(dialog, kBatchTextEdit);
                EXPECT_TRUE(SaveScreenshot(dialog, "new_more"));
                ClickControl(dialog, IDOK);
                break;
            case kAddDataTypeTemplate:
                EXPECT_TRUE(SaveScreenshot(dialog, "add_data_type"));
                ClickControl(dialog, IDCANCEL);
                break;
            default:
                ADD_FAILURE() << "an unexpected dialog " << id;
                dialog.Deliver([&dialog] { dialog.Model().EndDialog(IDCANCEL); });
        }
    });
    reinterpret_cast<VireoEditDataTypesFn>(editorExport)();
    SetThreadUILanguageOverride(0);

    EXPECT_EQ(shown[kEditDataTypeTemplate], 1);
    EXPECT_EQ(shown[kNewMoreTemplate], 1);
    EXPECT_EQ(shown[kAddDataTypeTemplate], 1);
    // The sample's 26 members, counted with the empty piece after its last line end, and put into the
    // editor's list when confirmed; the multi-line text shows LF line ends on the screen.
    EXPECT_EQ(countText, "数据个数：27");
    EXPECT_EQ(batchText.rfind("Element_1\tBool\tfalse\t", 0), 0u);
    EXPECT_NE(batchText.find("\tComment\nElement_2\t"), std::string::npos);
    EXPECT_EQ(batchText.find('\r'), std::string::npos);
    EXPECT_EQ(membersAfterBatch, 26);
    EXPECT_TRUE(backend.messages.empty());
}
