// What the import tests share: a private folder, a source text parsed on its own, and an import
// run through the layout engine on a type library of its own.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "import/tia_source_parser.h"
#include "types/data_analysis.h"

/// A fresh folder under the system's temporary folder, removed with everything in it.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    CString File(const std::string& name) const { return CString::FromUtf8((path_ / name).string()); }
    /// Writes bytes to the named file and returns its path.
    CString Write(const std::string& name, const std::string& bytes) const;

private:
    std::filesystem::path path_;
};

std::string ReadBytes(const std::string& path);
/// "name byte.bit" for each leaf.
std::vector<std::string> Placed(const std::vector<SFlatMember>& leaves);

/// Parses with the data blocks recorded as block DB5 titled "Title".
class SourceParse : public ::testing::Test {
protected:
    int Parse(const std::string& source);
    /// The members stored under that name; fails the test when there is none.
    std::vector<SMemberInfo> Members(const CString& name) const;

    StructMap structs;
    std::vector<SFlatMember> records;
    StructureList completed;
};

class ImportRun : public ::testing::Test {
protected:
    /// Reads the data block file at path as block blockName titled "Title"; the parser's result.
    int LoadBlock(const CString& path, const char16_t* blockName = u"DB5");
    int LoadTypes(const std::vector<CString>& paths) { return analysis.LoadFiles(paths, completed, kLoadSourceFiles); }
    /// Flatten and TakeResults; returns Flatten's result.
    int Layout();

    TempFolder folder;
    DataAnalysis analysis{folder.File("DataType.xml")};
    StructureList completed;
    std::vector<SFlatMember> leaves;
    std::vector<CString> unknown;
};
