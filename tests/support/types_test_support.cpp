#include "types_test_support.h"

#include <fstream>

std::string ReadText(const CString& path) { return ReadBytes(path.ToUtf8()); }

void WriteText(const CString& path, const std::string& text) { std::ofstream(path.ToUtf8(), std::ios::binary) << text; }

SMemberInfo Member(const char16_t* name, const char16_t* type, std::vector<SArrayDim> dims, int length) {
    SMemberInfo member;
    member.Name = name;
    member.Type = type;
    member.Dims = std::move(dims);
    member.Length = length;
    return member;
}

SStructInfo Header(const char16_t* name, int mode) {
    SStructInfo header;
    header.Name = name;
    header.Mode = mode;
    return header;
}

std::vector<SMemberInfo> MembersOf(const StructMap& structs, const CString& name) {
    const auto entry = structs.find(name.view());
    EXPECT_NE(entry, structs.end()) << name.ToUtf8();
    return entry == structs.end() ? std::vector<SMemberInfo>() : entry->second;
}

std::vector<std::string> Placed(const std::vector<SFlatMember>& leaves) {
    std::vector<std::string> placed;
    for (const SFlatMember& leaf : leaves)
        placed.push_back(leaf.Name.ToUtf8() + " " + std::to_string(leaf.BitOffset / 8) + "." + std::to_string(leaf.BitOffset % 8));
    return placed;
}

void LayoutTest::Struct(const char16_t* name, std::vector<SMemberInfo> members) {
    analysis.Library()->ParsedStructs()[Header(name, 0)] = std::move(members);
}

SFlatMember& LayoutTest::Block(const char16_t* name, std::vector<SMemberInfo> members) {
    Struct(name, std::move(members));
    SFlatMember& record = Record(name, name);
    record.Block = name;
    return record;
}

SFlatMember& LayoutTest::Record(const char16_t* name, const char16_t* type, std::vector<SArrayDim> dims, int bitOffset) {
    SFlatMember record;
    record.Name = name;
    record.Type = type;
    record.Dims = std::move(dims);
    record.BitOffset = bitOffset;
    return analysis.Library()->TopLevelRecords().emplace_back(std::move(record));
}

int LayoutTest::Layout() {
    analysis.Reset();
    const int result = analysis.Flatten();
    analysis.TakeResults(leaves, unknown);
    return result;
}
