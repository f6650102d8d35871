// The user data type file when the file system fails: a folder where nothing can be written, a
// disk that fills up, a file that cannot be read, a file removed or replaced by someone else
// between two saves. The caller is told, the file on disk is either the old one or the new one
// (never half written, never a stray temporary file beside it), and the structures in memory are
// exactly the ones saved.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <thread>

#include "dialog_test_support.h"
#include "injected_file_faults.h"

namespace {

const std::string kOneStructure =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n<STURCTUSER>\n"
    "<Struct Name=\"Old\" Length =\"0\" Mode=\"1\" Mark=\"\"><Element Name=\"a\" Type=\"Int\"/></Struct>\n"
    "</STURCTUSER>\n";

/// The names of the files in the folder.
std::vector<std::string> FilesIn(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

/// Clears any fault a failed assertion left pending, so that later tests meet none.
class FileFaultTest : public TypeLibraryTest {
protected:
    ~FileFaultTest() override { InjectFileFault(FileFault::kNone); }
};

}  // namespace

TEST_F(FileFaultTest, AFailedWriteReportsZeroKeepsTheOldFileAndLeavesNoTemporaryFile) {
    WriteText(dataTypeFile, kOneStructure);
    TypeLibraryRef library(dataTypeFile);
    const std::vector<SMemberInfo> members = {Member(u"speed", u"Real"), Member(u"flags", u"Bool", {{0, 7}})};
    int mode = kSaveStructAdd;
    for (const FileFault fault : {FileFault::kCannotCreate, FileFault::kDiskFull, FileFault::kCannotRename, FileFault::kCannotRead}) {
        SCOPED_TRACE(static_cast<int>(fault));
        const int metBefore = InjectedFileFaultsMet();
        InjectFileFault(fault, "DataType.xml");
        EXPECT_EQ(library->SaveStruct(Header(u"Pump"), members, mode), 0);
        EXPECT_EQ(InjectedFileFaultsMet(), metBefore + 1);
        EXPECT_EQ(ReadText(dataTypeFile), kOneStructure);
        EXPECT_EQ(FilesIn(folder.path()), std::vector<std::string>{"DataType.xml"});
        // The change holds in memory, once, with its members as given.
        EXPECT_EQ(MembersOf(library.UserStructs(), u"Pump"), members);
        mode = kSaveStructReplace;
    }
    // The same deletion fails and then succeeds; the file then holds exactly the old structure's removal.
    InjectFileFault(FileFault::kDiskFull, "DataType.xml");
    EXPECT_EQ(library->SaveStruct(Header(u"Old"), {}, kSaveStructDelete), 0);
    EXPECT_EQ(ReadText(dataTypeFile), kOneStructure);
    EXPECT_EQ(library.UserStructs().count(u"Old"), 0u);
    // The next write that succeeds carries the new change; the failed deletion stays a change of
    // this run only, as the user was told.
    EXPECT_EQ(library->SaveStruct(Header(u"Pump"), members, kSaveStructReplace), 1);
    StructMap reread;
    ASSERT_TRUE(Fileparsxml(dataTypeFile).ReadFile(reread));
    EXPECT_EQ(MembersOf(reread, u"Pump"), members);
    EXPECT_EQ(reread.count(u"Old"), 1u);
}

TEST_F(FileFaultTest, AFileThatCannotBeReadOrCreatedAtLoadIsLeftAlone) {
    // Unreadable when the library is created: its structures are missing for this run, the file is
    // not replaced by an empty one, and the predefined structures are there all the same.
    WriteText(dataTypeFile, kOneStructure);
    InjectFileFault(FileFault::kCannotRead, "DataType.xml");
    {
        TypeLibraryRef library(dataTypeFile);
        EXPECT_EQ(library.UserStructs().count(u"Old"), 0u);
        EXPECT_EQ(library.UserStructs().count(u"DTL"), 1u);
    }
    EXPECT_EQ(ReadText(dataTypeFile), kOneStructure);
    {
        TypeLibraryRef library(dataTypeFile);  // readable again at the next load
        EXPECT_EQ(library.UserStructs().count(u"Old"), 1u);
    }

    // A missing file in a folder where nothing can be created: nothing is written, saving says so.
    std::filesystem::remove(dataTypeFile.ToUtf8());
    InjectFileFault(FileFault::kCannotCreate, "DataType.xml");
    TypeLibraryRef library(dataTypeFile);
    EXPECT_FALSE(std::filesystem::exists(dataTypeFile.ToUtf8()));
    EXPECT_EQ(library.UserStructs().count(u"DTL"), 1u);
    EXPECT_EQ(library->SaveStruct(Header(u"Pump"), {Member(u"a", u"Int")}, kSaveStructAdd), 0);
    EXPECT_TRUE(FilesIn(folder.path()).empty());
}

TEST_F(FileFaultTest, AFileRemovedOrReplacedBetweenTwoSavesLosesNothingOfTheOtherWriter) {
    TypeLibraryRef library(dataTypeFile);
    ASSERT_EQ(library->SaveStruct(Header(u"First"), {Member(u"a", u"Int")}, kSaveStructAdd), 1);

    // Removed: the next save cannot load it and says so; no partial file appears.
    std::filesystem::remove(dataTypeFile.ToUtf8());
    EXPECT_EQ(library->SaveStruct(Header(u"Second"), {Member(u"b", u"Real")}, kSaveStructAdd), 0);
    EXPECT_FALSE(std::filesystem::exists(dataTypeFile.ToUtf8()));
    EXPECT_EQ(library.UserStructs().count(u"First"), 1u);
    EXPECT_EQ(library.UserStructs().count(u"Second"), 1u);

    // Replaced by another program's version: the next save edits that version, keeping its structures.
    WriteText(dataTypeFile, kOneStructure);
    EXPECT_EQ(library->SaveStruct(Header(u"Third"), {Member(u"c", u"Word")}, kSaveStructAdd), 1);
    StructMap reread;
    ASSERT_TRUE(Fileparsxml(dataTypeFile).ReadFile(reread));
    EXPECT_EQ(MembersOf(reread, u"Old"), std::vector<SMemberInfo>{Member(u"a", u"Int")});
    EXPECT_EQ(MembersOf(reread, u"Third"), std::vector<SMemberInfo>{Member(u"c", u"Word")});
    EXPECT_EQ(reread.size(), 2u);

    // Replaced by a file that is not a document: it is never overwritten.
    WriteText(dataTypeFile, "<STURCTUSER><Struct");
    EXPECT_EQ(library->SaveStruct(Header(u"Fourth"), {Member(u"d", u"Int")}, kSaveStructAdd), 0);
    EXPECT_EQ(ReadText(dataTypeFile), "<STURCTUSER><Struct");
}

TEST_F(FileFaultTest, TwoProcessesSavingToOneFileKeepEveryStructure) {
    // Both start from no file at all: each makes it, unless the other already has.
    constexpr int kEach = 40;
    auto saveAll = [&](const char* prefix) {
        const Fileparsxml file(dataTypeFile);
        bool ok = file.CreateEmptyFile();
        for (int i = 0; i < kEach; ++i)
            ok = file.AppendStruct(Header(CString::FromUtf8(prefix + std::to_string(i)).GetString()), {Member(u"a", u"Int")}) && ok;
        return ok;
    };
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) _exit(saveAll("Child") ? 0 : 1);
    EXPECT_TRUE(saveAll("Parent"));
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    StructMap saved;
    ASSERT_TRUE(Fileparsxml(dataTypeFile).ReadFile(saved));
    EXPECT_EQ(saved.size(), static_cast<size_t>(2 * kEach));
    EXPECT_EQ(FilesIn(folder.path()), std::vector<std::string>{"DataType.xml"});

    // A save while another process edits waits for it to finish.
    const int held = open(folder.path().c_str(), O_RDONLY | O_DIRECTORY);
    ASSERT_EQ(flock(held, LOCK_EX), 0);
    std::thread release([held] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        close(held);
    });
    const auto started = std::chrono::steady_clock::now();
    EXPECT_TRUE(Fileparsxml(dataTypeFile).AppendStruct(Header(u"Late"), {Member(u"a", u"Int")}));
    EXPECT_GE(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(150));
    release.join();
    saved.clear();
    ASSERT_TRUE(Fileparsxml(dataTypeFile).ReadFile(saved));
    EXPECT_EQ(saved.size(), static_cast<size_t>(2 * kEach + 1));
}

TEST_F(EditorTest, TheUserIsToldWhenTheFileCannotBeWrittenAndTheFileKeepsItsContent) {
    const std::string before = ReadText(dataTypeFile);
    bool listed = false;
    InjectFileFault(FileFault::kDiskFull, "DataType.xml");
    user.PickNode(kStructureTree, {kUserGroup}).Click(kEditorNewButton).Type(kStructureNameEdit, u"Motor");
    AddMemberByDialog(user, u"speed", u"Int");
    user.Click(kEditSaveButton).Answer(u"DataType.xml", IDOK).Inspect([&](CWnd& editor) {
        const std::vector<std::string> tree = StructurePaths(editor);
        listed = std::find(tree.begin(), tree.end(), "用户定义/Motor") != tree.end();
    });
    user.Click(kLeaveButton);
    EXPECT_EQ(RunEditor(), IDCANCEL) << user.LogText();
    InjectFileFault(FileFault::kNone);
    EXPECT_EQ(user.MessageBoxTexts(), std::vector<CString>{u"无法写入DataType.xml，修改只保存在内存中。"});
    EXPECT_TRUE(listed);
    EXPECT_EQ(MembersOf(UserStructs(), u"Motor"), std::vector<SMemberInfo>{Member(u"speed", u"Int")});
    EXPECT_EQ(ReadText(dataTypeFile), before);
    EXPECT_EQ(FilesIn(folder.path()), std::vector<std::string>{"DataType.xml"});
}
