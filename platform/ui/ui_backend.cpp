#include "platform/ui/ui_backend.h"

#include <stdexcept>

namespace {

/// The backend of a process that has no user: every request is an error.
class NoUserBackend : public CUiBackend {
public:
    void RunModalLoop(CDialog&) override { Refuse("a dialog"); }
    int ShowMessageBox(const SMessageBoxRequest& request) override { Refuse("the message box \"" + request.text.ToUtf8() + "\""); }
    bool ChooseFiles(const SFileDialogRequest&, std::vector<CString>&) override { Refuse("a file dialog"); }
    UINT TrackPopupMenu(const CMenu&, HWND, CPoint) override { Refuse("a popup menu"); }
    bool ShellOpen(const SShellRequest& request) override { Refuse("the shell request for " + request.file.ToUtf8()); }

private:
    [[noreturn]] static void Refuse(const std::string& what) {
        throw std::runtime_error("no user interface is available to show " + what);
    }
};

CUiBackend*& Current() {
    static NoUserBackend noUser;
    static CUiBackend* current = &noUser;
    return current;
}

}  // namespace

CUiBackend& GetUiBackend() { return *Current(); }

CUiBackendScope::CUiBackendScope(CUiBackend& backend) : previous_(Current()) { Current() = &backend; }

CUiBackendScope::~CUiBackendScope() { Current() = previous_; }
