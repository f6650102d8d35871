#include "import_test_support.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "import/source_lines.h"

TempFolder::TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vireo-import-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot create a temporary folder");
    path_ = pattern;
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

CString TempFolder::Write(const std::string& name, const std::string& bytes) const {
    std::ofstream(path_ / name, std::ios::binary) << bytes;
    return File(name);
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::vector<std::string> Placed(const std::vector<SFlatMember>& leaves) {
    std::vector<std::string> placed;
    for (const SFlatMember& leaf : leaves)
        placed.push_back(leaf.Name.ToUtf8() + " " + std::to_string(leaf.BitOffset / 8) + "." + std::to_string(leaf.BitOffset % 8));
    return placed;
}

int SourceParse::Parse(const std::string& source) {
    SBlockNaming naming;
    naming.recordName = u"Title";
    naming.blockName = u"DB5";
    return ParseTiaSource(DecodeSourceText(source), u"/src/DB5_Test.db", naming, {structs, records, completed});
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
