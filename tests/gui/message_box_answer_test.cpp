// The driver's message boxes on the screen: the buttons, texts and icon the toolkit's box offers
// for each kind of box, and the toolkit's answer handed back as the platform's answer.
#include <gtest/gtest.h>
#include <wx/msgdlg.h>

#include "gui_test_support.h"
#include "platform/ui/message_box.h"

namespace {

struct SCase {
    UINT type;
    int toolkitAnswer;  ///< what the user pressed on the toolkit's box
    int answer;         ///< what the driver is told
};

}  // namespace

TEST(WindowsBackend, MessageBoxesOfferTheButtonsOfTheirKindAndAnswerInItsTerms) {
    const SCase cases[] = {
        {MB_OK, wxID_OK, IDOK},
        {MB_OKCANCEL | MB_ICONQUESTION, wxID_OK, IDOK},
        {MB_OKCANCEL, wxID_CANCEL, IDCANCEL},
        {MB_YESNO | MB_ICONWARNING, wxID_YES, IDYES},
        {MB_YESNO, wxID_NO, IDNO},
        {MB_YESNO, wxID_CANCEL, IDNO},  // the close box of a box without Cancel
        {MB_YESNOCANCEL, wxID_YES, IDYES},
        {MB_YESNOCANCEL, wxID_NO, IDNO},
        {MB_YESNOCANCEL, wxID_CANCEL, IDCANCEL},
        {MB_RETRYCANCEL | MB_ICONERROR, wxID_OK, IDRETRY},
        {MB_RETRYCANCEL, wxID_CANCEL, IDCANCEL},
        {MB_ABORTRETRYIGNORE, wxID_YES, IDABORT},
        {MB_ABORTRETRYIGNORE, wxID_NO, IDRETRY},
        {MB_ABORTRETRYIGNORE, wxID_CANCEL, IDIGNORE},
    };
    WxUiBackend backend;
    for (const SCase& test : cases) {
        SCOPED_TRACE("type " + std::to_string(test.type) + " pressed " + std::to_string(test.toolkitAnswer));
        long style = 0;
        wxString message, caption;
        std::vector<wxString> labels;
        ToolkitDialogHook hook([&](wxDialog& dialog) {
            auto* box = dynamic_cast<wxMessageDialog*>(&dialog);
            if (!box) return static_cast<int>(wxID_CANCEL);
            style = box->GetMessageDialogStyle();
            message = box->GetMessage();
            caption = box->GetTitle();
            labels = {box->GetYesLabel(), box->GetNoLabel(), box->GetOKLabel(), box->GetCancelLabel()};
            return test.toolkitAnswer;
        });
        SMessageBoxRequest request;
        request.text = u"通道已存在";
        request.caption = u"Vireo_EX";
        request.type = test.type;
        EXPECT_EQ(backend.ShowMessageBox(request), test.answer);
        EXPECT_EQ(message, wxString::FromUTF8("通道已存在"));
        EXPECT_EQ(caption, "Vireo_EX");

        const std::vector<int> offered = MessageBoxAnswers(test.type);
        const bool hasCancel = (style & wxCANCEL) != 0;
        const int buttons = ((style & wxYES_NO) == wxYES_NO ? 2 : 0) + ((style & wxOK) ? 1 : 0) + (hasCancel ? 1 : 0);
        EXPECT_EQ(buttons, static_cast<int>(offered.size()));
        // The last answer offered is the one Escape and the close box give: the box's Cancel.
        EXPECT_EQ(hasCancel, offered.size() > 1 && offered.back() != IDNO);
        if ((test.type & MB_TYPEMASK) == MB_RETRYCANCEL) {
            EXPECT_EQ(labels[2], "Retry");
        }
        if ((test.type & MB_TYPEMASK) == MB_ABORTRETRYIGNORE) {
            EXPECT_EQ(labels[0], "Abort");
            EXPECT_EQ(labels[1], "Retry");
            EXPECT_EQ(labels[3], "Ignore");
        }
        const long icon = style & wxICON_MASK;
        switch (test.type & MB_ICONMASK) {
            case MB_ICONERROR: EXPECT_EQ(icon, wxICON_ERROR); break;
            case MB_ICONQUESTION: EXPECT_EQ(icon, wxICON_QUESTION); break;
            case MB_ICONWARNING: EXPECT_EQ(icon, wxICON_WARNING); break;
            default: EXPECT_TRUE(icon == 0 || icon == wxICON_INFORMATION); break;
        }
    }
}
