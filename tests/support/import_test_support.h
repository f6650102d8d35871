// What the tests of the readers and the import share: a source text parsed on its own, and an
// import run through the layout engine on a type library of its own.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "types/tia_source_parser.h"
#include "types/data_analysis.h"
#include "types_test_support.h"

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
