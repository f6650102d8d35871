// Loading the language library in the driver's own process: which library is found, what it fills,
// and the resource handle switch around the top-level dialog. The library with gaps lies beside
// this program, as the language library lies beside the driver.
#include <dlfcn.h>
#include <stdlib.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "core/language_library.h"
#include "core/text_tables.h"
#include "platform/resources.h"

namespace fs = std::filesystem;

namespace {

fs::path ProgramFolder() { return fs::read_symlink("/proc/self/exe").parent_path(); }

bool IsLoaded(const fs::path& module) {
    void* handle = dlopen(module.c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (handle) dlclose(handle);
    return handle != nullptr;
}

std::vector<std::u16string> Entries(TextTableId id) {
    std::vector<std::u16string> entries;
    for (const CString& text : TextTable(id).entries) entries.push_back(text.str());
    return entries;
}

/// A current directory of its own for the test, which holds the real English library under the
/// language library's name: a module there must never be the one that is loaded.
class ForeignCurrentDirectory {
public:
    ForeignCurrentDirectory() {
        std::string pattern = (fs::temp_directory_path() / "vireo-cwd-XXXXXX").string();
        path_ = mkdtemp(pattern.data());
        fs::copy_file(ENGLISH_LIBRARY, path_ / "Vireo_EX_lang.so");
        previous_ = fs::current_path();
        fs::current_path(path_);
    }
    ~ForeignCurrentDirectory() {
        fs::current_path(previous_);
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    const fs::path& path() const { return path_; }

private:
    fs::path path_, previous_;
};

TEST(LanguageLibrary, ChineseInterfaceLoadsNoLibrary) {
    for (LANGID chinese : {LANGID{0x0804}, LANGID{0x0404}, LANGID{0x1004}}) {
        SetThreadUILanguageOverride(chinese);
        EXPECT_EQ(LoadLanguageLibrary(), nullptr);
        EXPECT_EQ(LoadLanguageStrings(kLangEnglishUS), -1);
    }
    EXPECT_EQ(Text(kDeviceNameText, 0), u"Vireo");
    EXPECT_EQ(Text(kPropertyNameTexts, 2), u"机架号[Rack]");
}

TEST(LanguageLibrary, FillsFromTheLibraryBesideTheModuleAndUnloadsIt) {
    SetThreadUILanguageOverride(kLangEnglishUS);
    ForeignCurrentDirectory cwd;
    EXPECT_EQ(LoadLanguageStrings(kLangEnglishUS), 0);
    EXPECT_EQ(fs::current_path(), cwd.path());
    EXPECT_FALSE(IsLoaded(ProgramFolder() / "Vireo_EX_lang.so"));
    EXPECT_EQ(Text(kDeviceNameText, 0), u"Vireo gaps");  // not the English library's "Vireo"
    // One for one: 2007 is missing, so entry 1 keeps its text and 2008 fills entry 2.
    EXPECT_EQ(Entries(kParentConfigTexts), (std::vector<std::u16string>{u"First address", u"备用IP地址", u"Port"}));
    // Only strings of the language asked for count: in German the first string found is 3002.
    EXPECT_EQ(LoadLanguageStrings(0x0407), 0);
    EXPECT_EQ(Text(kPropertyNameTexts, 0), u"Baugruppentraeger");
    EXPECT_EQ(Text(kPropertyNameTexts, 1), u"Reconnect wait");
}

TEST(LanguageLibrary, ResourceScopeMakesTheLanguageLibraryCurrent) {
    SetThreadUILanguageOverride(kLangEnglishUS);
    ForeignCurrentDirectory cwd;
    const HMODULE before = GetProgramModuleHandle();
    AfxSetResourceHandle(before);
    {
        CLanguageResourceScope scope;
        ASSERT_NE(scope.LanguageLibrary(), nullptr);
        EXPECT_EQ(AfxGetResourceHandle(), scope.LanguageLibrary());
        CString text;
        EXPECT_TRUE(LoadStringW(AfxGetResourceHandle(), 1100, kLangEnglishUS, text));
        EXPECT_EQ(text, u"Vireo gaps");
        // Help is looked for beside the current resources: the module's file must name its real
        // folder, not one relative to whatever directory is current now.
        EXPECT_EQ(fs::path(GetModuleFileNameW(AfxGetResourceHandle()).ToUtf8()), ProgramFolder() / "Vireo_EX_lang.so");
    }
    EXPECT_EQ(AfxGetResourceHandle(), before);
    EXPECT_FALSE(IsLoaded(ProgramFolder() / "Vireo_EX_lang.so"));
}

TEST(LanguageLibrary, ResourceScopeFallsBackToTheOwnModule) {
    SetThreadUILanguageOverride(kLangChineseSimplified);
    AfxSetResourceHandle(nullptr);
    {
        CLanguageResourceScope scope;
        EXPECT_EQ(scope.LanguageLibrary(), nullptr);
        EXPECT_EQ(AfxGetResourceHandle(), GetProgramModuleHandle());
        CString text;
        EXPECT_TRUE(LoadStringW(AfxGetResourceHandle(), 1103, kLangChineseSimplified, text));
        EXPECT_EQ(text, u"通讯状态");
    }
    EXPECT_EQ(AfxGetResourceHandle(), nullptr);
}

std::string ResourceBytes(HMODULE module, uint32_t id, const char16_t* type) {
    const HRSRC resource = FindResourceW(module, id, type);
    if (!resource) return "(none)";
    const char* data = static_cast<const char*>(LockResource(LoadResource(module, resource)));
    return std::string(data, SizeofResource(module, resource));
}

TEST(LanguageLibrary, CarriesTheDriversPredefinedStructureDocument) {
    const HMODULE english = LoadLibraryW(CString::FromUtf8(ENGLISH_LIBRARY));
    ASSERT_NE(english, nullptr);
    const std::string own = ResourceBytes(GetProgramModuleHandle(), 20000, u"XML");
    EXPECT_NE(own.find("<STURCTUSER>"), std::string::npos);
    EXPECT_EQ(ResourceBytes(english, 20000, u"XML"), own);
    FreeLibrary(english);
}

}  // namespace
