// What the data type tests share: a private folder for DataType.xml, short ways to declare
// members, and a type library whose structures and records a test sets directly.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "types/data_analysis.h"

/// A fresh folder under the system's temporary folder, removed with everything in it.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    const std::filesystem::path& path() const { return path_; }
    CString File(const char* name) const { return CString::FromUtf8((path_ / name).string()); }

private:
    std::filesystem::path path_;
};

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

/// One reference to the shared type library, given back at the end of the scope.
class LibraryRef {
public:
    explicit LibraryRef(const CString& dataTypeFile) : library_(Fileparstest::Acquire(dataTypeFile)) {}
    ~LibraryRef() { library_->Release(); }
    LibraryRef(const LibraryRef&) = delete;
    LibraryRef& operator=(const LibraryRef&) = delete;
    Fileparstest* operator->() const { return library_; }
    Fileparstest* get() const { return library_; }
    StructMap UserStructs() const {
        StructMap structs;
        library_->GetUserStructs(structs);
        return structs;
    }

private:
    Fileparstest* library_;
};
