#include "host/gui/gui_entry.h"

#include <wx/app.h>
#include <wx/init.h>

#include "host/gui/main_frame.h"
#include "host/wx_backend/wx_ui_backend.h"

namespace {

class GuiApp : public wxApp {
public:
    bool OnInit() override { return true; }
};

}  // namespace

extern "C" __attribute__((visibility("default"))) int VireoHostGui(const HostOptions& options, const std::string& device, std::string& error) {
    int argc = 1;
    char name[] = "vireo-host";
    char* argv[] = {name, nullptr};
    wxApp::SetInstance(new GuiApp);
    if (!wxEntryStart(argc, argv)) {
        error = "cannot open the display: the graphical host needs a desktop (is DISPLAY set?)";
        return 1;
    }
    int status = 0;
    try {
        GuiProject project(options);
        WxUiBackend backend;
        CUiBackendScope useWindows(backend);
        auto* frame = new MainFrame(project, device);
        frame->Show();
        wxTheApp->SetTopWindow(frame);
        wxTheApp->OnRun();
    } catch (const std::exception& failure) {
        error = failure.what();
        status = 1;
    }
    wxEntryCleanup();
    return status;
}
