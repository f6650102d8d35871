// What the data type tests share: a private folder for DataType.xml, short ways to declare
// members, and a type library whose structures and records a test sets directly.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "temp_folder.h"
#include "types/data_analysis.h"
#include "types/type_library_ref.h"

std::string ReadText(const CString& path);
void WriteText(const CString& path, const std::string& text);

SMemberInfo Member(const char16_t* name, const char16_t* type, std::vector<SArrayDim> dims = {}, int length = 0);
SStructInfo Header(const char16_t* name, int mode = 1);
/// The members of the structure of that name; fails the test and gives none when it is missing.
std::vector<SMemberInfo> MembersOf(const StructMap& structs, const CString& name);

/// "name byte.bit" for each leaf, for comparing a layout with its expected offsets at a glance.
std::vector<std::string> Placed(const std::vector<SFlatMember>& leaves);

/// Every test gets its own DataType.xml, so that tests never share a file.
class TypeLibraryTest : public ::testing::Test {
protected:
    TempFolder folder;
    const CString dataTypeFile = folder.File("DataType.xml");
};

/// A layout engine on its own type library; tests add parsed structures and records directly.
class LayoutTest : public TypeLibraryTest {
protected:
    DataAnalysis analysis{dataTypeFile};
    std::vector<SFlatMember> leaves;
    std::vector<CString> unknown;

    void Struct(const char16_t* name, std::vector<SMemberInfo> members);
    /// A data block: a structure and a top-level record of that type named after it.
    SFlatMember& Block(const char16_t* name, std::vector<SMemberInfo> members);
    SFlatMember& Record(const char16_t* name, const char16_t* type, std::vector<SArrayDim> dims = {}, int bitOffset = 0);
    /// Reset, Flatten and TakeResults; returns Flatten's result.
    int Layout();
};
