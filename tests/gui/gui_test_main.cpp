// The window tests run inside the toolkit: it is initialised once for all of them (on the display
// that xvfb-run provides), and each test opens its dialogs with the windows backend.
#include <cstdlib>
#include <filesystem>

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/init.h>
#include <wx/translation.h>

namespace {

class TestApp : public wxApp {
public:
    bool OnInit() override { return true; }
};

}  // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    // The window keeps the user's recent projects: the tests keep theirs in a folder of their own.
    char configHome[] = "/tmp/vireo-gui-config-XXXXXX";
    if (mkdtemp(configHome)) setenv("XDG_CONFIG_HOME", configHome, 1);
    wxApp::SetInstance(new TestApp);
    if (!wxEntryStart(argc, argv)) {
        fprintf(stderr, "cannot open a display for the window tests\n");
        return 1;
    }
    // The window code is linked into this program, not into the library beside its catalogs.
    wxFileTranslationsLoader::AddCatalogLookupPathPrefix(VIREO_LOCALE_DIR);
    const int status = RUN_ALL_TESTS();
    wxEntryCleanup();
    std::error_code ignored;
    std::filesystem::remove_all(configHome, ignored);
    return status;
}
