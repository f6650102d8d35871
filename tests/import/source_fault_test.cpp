// Import sources that cannot be read in the middle of a batch: the batch reports the failure with
// its status text instead of succeeding without the file, the files around it are still read, and
// a retry once the file is readable gives exactly the channels of an import that never failed.
#include <algorithm>
#include <utility>

#include "core/column_registry.h"
#include "core/dev_table.h"
#include "import/channels_from_tags.h"
#include "types/import_result_codes.h"
#include "import_test_support.h"
#include "injected_file_faults.h"
#include "platform/parallel.h"

namespace {

std::string Block(const std::string& title, const std::string& members) {
    return "DATA_BLOCK \"" + title + "\"\n{ S7_Optimized_Access := 'FALSE' }\nVERSION : 0.1\nNON_RETAIN\n   STRUCT \n" +
           members + "   END_STRUCT;\n\n\nBEGIN\n\nEND_DATA_BLOCK\n";
}

std::string Type(const std::string& name, const std::string& members) {
    return "TYPE \"" + name + "\"\nVERSION : 0.1\n   STRUCT\n" + members + "   END_STRUCT;\n\nEND_TYPE\n";
}

/// Channel name, variable name and address of every row, in table order.
std::vector<std::string> Channels(const std::vector<SFlatMember>& leaves) {
    CDevTable table;
    AddChannelsFromMembers(leaves, &table);
    std::vector<std::string> rows;
    for (const CDevRow& row : table.Rows())
        rows.push_back(row.GetText(kColChannelName).ToUtf8() + " " + row.GetText(kColVarName).ToUtf8() + " " +
                       std::to_string(row.GetInt(kColAddress)));
    return rows;
}

class SourceFaultTest : public ImportRun {
protected:
    SourceFaultTest() { DefineChannelColumns(); }
    ~SourceFaultTest() override { InjectFileFault(FileFault::kNone); }

    /// Three data block files by path; the middle one is DB2.
    DbFileMap ThreeBlocks() {
        DbFileMap blocks;
        int number = 1;
        for (const char* title : {"Feed", "Press", "Stack"}) {
            const std::string name = "DB" + std::to_string(number) + "_" + title + ".db";
            const CString path = folder.Write(name, Block(title, "      Level : Int;\n      Run : Bool;\n"));
            blocks[path] = SDbFileInfo{CString::FromUtf8("DB" + std::to_string(number)), CString::FromUtf8(name.substr(0, name.find('.'))),
                                       CString::FromUtf8(title), path, 0};
            ++number;
        }
        return blocks;
    }
};

}  // namespace

TEST_F(SourceFaultTest, AnUnreadableDataBlockFileIsReportedAndARetryGivesTheChannelsOfACleanImport) {
    const DbFileMap blocks = ThreeBlocks();
    InjectFileFault(FileFault::kCannotRead, "DB2_Press.db");
    EXPECT_EQ(analysis.LoadBlocks(blocks, completed, kLoadDbFiles), kFileLoadFailed);
    EXPECT_EQ(ImportStatusText(kFileLoadFailed), CString(u"文件加载失败"));
    ASSERT_EQ(Layout(), 1);
    // The files around it were read: their records are there, the unreadable block's is not.
    EXPECT_EQ(Placed(leaves), (std::vector<std::string>{"Feed.Level 0.0", "Feed.Run 2.0", "Stack.Level 0.0", "Stack.Run 2.0"}));

    // The retry, as the dialog runs it, with the file readable again.
    EXPECT_EQ(analysis.LoadBlocks(blocks, completed, kLoadDbFiles), 1);
    ASSERT_EQ(Layout(), 1);
    const std::vector<std::string> retried = Channels(leaves);

    analysis.ReleaseLibrary();  // the clean import gets a type library of its own
    TempFolder cleanFolder;
    DataAnalysis clean{cleanFolder.File("DataType.xml")};
    StructureList cleanCompleted;
    ASSERT_EQ(clean.LoadBlocks(blocks, cleanCompleted, kLoadDbFiles), 1);
    clean.Reset();
    ASSERT_EQ(clean.Flatten(), 1);
    std::vector<SFlatMember> cleanLeaves;
    std::vector<CString> cleanUnknown;
    clean.TakeResults(cleanLeaves, cleanUnknown);
    EXPECT_EQ(retried, Channels(cleanLeaves));
    EXPECT_EQ(retried.size(), 6u);
    EXPECT_TRUE(unknown.empty());
}

TEST_F(SourceFaultTest, UnreadableTypeFilesAndTagTablesAreReportedWhileTheRestIsRead) {
    const CString first = folder.Write("First.udt", Type("First", "      a : Int;\n"));
    const CString middle = folder.Write("Middle.udt", Type("Middle", "      b : Real;\n"));
    const CString last = folder.Write("Last.udt", Type("Last", "      c : Bool;\n"));
    InjectFileFault(FileFault::kCannotRead, "Middle.udt");
    EXPECT_EQ(LoadTypes({first, middle, last}), kFileLoadFailed);
    StructMap parsed;
    analysis.Library()->GetParsedStructs(parsed);
    // Type names keep their quotes, as the sources write them.
    EXPECT_EQ(parsed.count(u"\"First\""), 1u);
    EXPECT_EQ(parsed.count(u"\"Middle\""), 0u);
    EXPECT_EQ(parsed.count(u"\"Last\""), 1u);
    EXPECT_EQ(LoadTypes({middle}), 1);  // readable again

    const CString tags = folder.Write("Tags.xml",
                                      "<?xml version='1.0' encoding='utf-8'?>\n<Tagtable name='t'>\n"
                                      "  <Tag type='Int' remark='' addr='%MW10'>SetPoint</Tag>\n</Tagtable>\n");
    InjectFileFault(FileFault::kCannotRead, "Tags.xml");
    EXPECT_EQ(analysis.LoadFiles({tags}, completed, kLoadTagTables), kTagFileUnusable);
    EXPECT_EQ(analysis.Library()->TopLevelRecords().size(), 0u);
    EXPECT_EQ(analysis.LoadFiles({tags}, completed, kLoadTagTables), 1);
    EXPECT_EQ(analysis.Library()->TopLevelRecords().size(), 1u);
}

TEST_F(SourceFaultTest, FilesReadSideBySideGiveWhatReadingThemInOrderGives) {
    // Forty files, read in parts: an unreadable one, one that breaks off after a structure and a
    // member, and the ones after it, which a batch in order never reaches.
    DbFileMap blocks;
    for (int n = 1; n <= 40; ++n) {
        const std::string title = "Line" + std::to_string(n), name = "DB" + std::to_string(n) + "_" + title + ".db";
        const std::string members = "      Level : Int;\n      Zone : Struct\n         On : Bool;\n      END_STRUCT;\n";
        const std::string text = n == 30 ? Type("Late" + std::to_string(n), "      x : Int;\n") + Block(title, members + "      garbage\n")
                                         : Type("T" + std::to_string(n), "      x : Int;\n") + Block(title, members);
        const CString path = folder.Write(name, text);
        blocks[path] = SDbFileInfo{CString::FromUtf8("DB" + std::to_string(n)), CString::FromUtf8(name.substr(0, name.find('.'))),
                                   CString::FromUtf8(title), path, 0};
    }
    auto load = [&](int parts) {
        analysis.Library()->ParsedStructs().clear();
        analysis.Library()->TopLevelRecords().clear();
        completed.clear();
        SetMaxParallelParts(parts);
        InjectFileFault(FileFault::kCannotRead, "DB12_Line12.db");
        const int result = analysis.LoadBlocks(blocks, completed, kLoadDbFiles);
        SetMaxParallelParts(0);
        std::vector<std::string> read;
        for (const auto& [header, members] : analysis.Library()->ParsedStructs())
            read.push_back(header.Name.view().starts_with(u"{") ? "{anonymous}" : header.Name.ToUtf8());
        for (const SFlatMember& record : analysis.Library()->TopLevelRecords()) read.push_back(record.Name.ToUtf8());
        for (const SStructureListEntry& entry : completed) read.push_back(entry.Path.ToUtf8());
        return std::make_pair(result, read);
    };
    const auto inOrder = load(1);
    EXPECT_EQ(inOrder.first, kBlockFormatError);
    EXPECT_EQ(std::count(inOrder.second.begin(), inOrder.second.end(), "Line29"), 1);
    EXPECT_EQ(std::count(inOrder.second.begin(), inOrder.second.end(), "Line31"), 0);
    EXPECT_EQ(std::count(inOrder.second.begin(), inOrder.second.end(), "Line12"), 0);
    EXPECT_EQ(load(3), inOrder);
}

TEST_F(SourceFaultTest, TagTablesReadAlongsideTheBlocksGiveWhatReadingThemFirstGives) {
    DbFileMap blocks;
    for (int n = 1; n <= 20; ++n) {
        const std::string title = "Cell" + std::to_string(n), name = "DB" + std::to_string(n) + "_" + title + ".db";
        const CString path = folder.Write(name, Block(title, "      Level : Int;\n"));
        blocks[path] = SDbFileInfo{CString::FromUtf8("DB" + std::to_string(n)), CString::FromUtf8(name.substr(0, name.find('.'))),
                                   CString::FromUtf8(title), path, 0};
    }
    const CString tags = folder.Write("Tags.xml",
                                      "<?xml version='1.0' encoding='utf-8'?>\n<Tagtable name='t'>\n"
                                      "  <Tag type='Int' remark='' addr='%MW10'>SetPoint</Tag>\n</Tagtable>\n");
    const CString broken = folder.Write("Broken.xml", "<Tagtable><Tag type='Int'");
    auto records = [&] {
        std::vector<std::string> names;
        for (const SFlatMember& record : analysis.Library()->TopLevelRecords()) names.push_back(record.Name.ToUtf8());
        analysis.Library()->TopLevelRecords().clear();
        analysis.Library()->ParsedStructs().clear();
        completed.clear();
        return names;
    };
    SetMaxParallelParts(3);
    const SParsedSources together = analysis.LoadTagTablesAndBlocks({tags}, blocks, completed);
    const std::vector<std::string> readTogether = records();
    const SParsedSources failed = analysis.LoadTagTablesAndBlocks({broken}, blocks, completed);
    const std::vector<std::string> readAfterFailure = records();
    SetMaxParallelParts(0);

    EXPECT_EQ(together.tags, 1);
    EXPECT_EQ(together.blocks, 1);
    ASSERT_EQ(analysis.LoadFiles({tags}, completed, kLoadTagTables), 1);
    ASSERT_EQ(analysis.LoadBlocks(blocks, completed, kLoadDbFiles), 1);
    EXPECT_EQ(readTogether, records());
    EXPECT_EQ(readTogether.size(), 21u);

    // A failed tag table: nothing of the blocks, which were read alongside, is kept.
    EXPECT_EQ(failed.tags, analysis.LoadFiles({broken}, completed, kLoadTagTables));
    EXPECT_LT(failed.tags, 0);
    EXPECT_EQ(failed.blocks, 0);
    EXPECT_EQ(readAfterFailure, records());
    EXPECT_TRUE(readAfterFailure.empty());
}
