#include "import_test_support.h"

#include "types/source_text.h"

int SourceParse::Parse(const std::string& source) {
    SBlockNaming naming;
    naming.recordName = u"Title";
    naming.blockName = u"DB5";
    return ParseTiaSource(SourceText(source), u"/src/DB5_Test.db", naming, {structs, records, completed});
}

std::vector<SMemberInfo> SourceParse::Members(const CString& name) const {
    const auto entry = structs.find(name.view());
    EXPECT_NE(entry, structs.end()) << name.ToUtf8();
    return entry == structs.end() ? std::vector<SMemberInfo>() : entry->second;
}

int ImportRun::LoadBlock(const CString& path, const char16_t* blockName) {
    SDbFileInfo block;
    block.Path = path;
    block.BlockName = blockName;
    block.BlockTitle = u"Title";
    return analysis.LoadBlocks({{path, block}}, completed, kLoadDbFiles);
}

int ImportRun::Layout() {
    analysis.Reset();
    const int result = analysis.Flatten();
    analysis.TakeResults(leaves, unknown);
    return result;
}
