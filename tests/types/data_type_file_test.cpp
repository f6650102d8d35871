// The user data type file: creation, exact saved form, round trips, the values carried from one
// element to the next, the predefined structures, and files that must not be damaged.
#include <sys/stat.h>
#include <unistd.h>

#include <sstream>

#include "platform/module.h"
#include "types_test_support.h"

namespace {

const std::string kEmptyFile = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n<STURCTUSER/>\n";

/// The file's lines with their indentation removed.
std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line.substr(line.find_first_not_of(' ')));
    return lines;
}

/// "Name:Type" of each member, joined by ",".
std::string Signature(const std::vector<SMemberInfo>& members) {
    std::string text;
    for (const SMemberInfo& m : members) text += (text.empty() ? "" : ",") + m.Name.ToUtf8() + ":" + m.Type.ToUtf8();
    return text;
}

std::string Dump(const StructMap& structs) {
    std::string text;
    for (const auto& [header, members] : structs)
        text += header.Name.ToUtf8() + "/" + std::to_string(header.Mode) + "{" + Signature(members) + "}";
    return text;
}

SMemberInfo WithFlags(SMemberInfo member, int read, int write, const char16_t* mark) {
    member.Read = read;
    member.Write = write;
    member.Mark = mark;
    return member;
}

}  // namespace

TEST_F(TypeLibraryTest, AMissingFileIsCreatedEmptyAndThePredefinedStructuresAreLoaded) {
    TypeLibraryRef library(dataTypeFile);
    EXPECT_EQ(ReadText(dataTypeFile), kEmptyFile);
    // Their layouts (and so their members) are checked by the layout tests; here what the
    // document gives every one of them.
    std::vector<std::string> names;
    for (const auto& [header, members] : library.UserStructs()) {
        names.push_back(header.Name.ToUtf8());
        EXPECT_EQ(header.Mode, 0);
        for (const SMemberInfo& m : members) EXPECT_EQ(m, WithFlags(Member(m.Name.GetString(), m.Type.GetString()), 1, 1, u""));
    }
    EXPECT_EQ(names, (std::vector<std::string>{"CREF", "DTL", "ErrorStruct", "IEC_COUNTER", "IEC_DCOUNTER", "IEC_LCOUNTER",
                                               "IEC_LTIMER", "IEC_SCOUNTER", "IEC_TIMER", "IEC_UCOUNTER", "IEC_UDCOUNTER",
                                               "IEC_ULCOUNTER", "IEC_USCOUNTER", "NREF"}));
}

TEST_F(TypeLibraryTest, ASavedStructureIsWrittenAttributeByAttributeAndReadsBackTheSame) {
    const SStructInfo header{u"Motor", u"drive & \"main\"", 0, 1};
    const std::vector<SMemberInfo> members = {
        WithFlags(Member(u"Speed", u"Real", {{1, 3}, {0, 1}}), 1, 0, u"rpm"),
        WithFlags(Member(u"名称", u"String", {}, 20), 0, 1, u""),
    };
    {
        TypeLibraryRef library(dataTypeFile);
        EXPECT_EQ(library->SaveStruct(header, members, kSaveStructAdd), 1);
    }
    EXPECT_EQ(Lines(ReadText(dataTypeFile)),
              (std::vector<std::string>{
                  R"(<?xml version="1.0" encoding="UTF-8" standalone="no"?>)",
                  R"(<STURCTUSER>)",
                  R"(<Struct Name="Motor" Length ="0" Mode="1" Mark="drive &amp; &quot;main&quot;">)",
                  R"(<Element Name="Speed" Type="Array [1..3,0..1] of Real" Length="0" Read="1" Write="0" Mark="rpm"/>)",
                  R"(<Element Name="名称" Type="String" Length="20" Read="0" Write="1" Mark=""/>)",
                  R"(</Struct>)",
                  R"(</STURCTUSER>)",
              }));
    TypeLibraryRef reloaded(dataTypeFile);
    const StructMap structs = reloaded.UserStructs();
    const auto motor = structs.find(u"Motor");
    ASSERT_NE(motor, structs.end());
    EXPECT_EQ(motor->second, members);
    EXPECT_EQ(motor->first.Mode, 1);
    EXPECT_TRUE(motor->first.Mark.IsEmpty());  // a structure's comment is written, not read
}

TEST_F(TypeLibraryTest, AddDeleteAndReplaceChangeTheMapAndTheFileTogether) {
    const SStructInfo pump{u"Pump", u"", 0, 1};
    {
        TypeLibraryRef library(dataTypeFile);
        EXPECT_EQ(library->SaveStruct(pump, {Member(u"old", u"Int")}, kSaveStructAdd), 1);
        EXPECT_EQ(library->SaveStruct(pump, {Member(u"new", u"Int")}, kSaveStructAdd), 1);
        EXPECT_EQ(Signature(MembersOf(library.UserStructs(), pump.Name)), "new:Int");

        const std::string twice = ReadText(dataTypeFile);
        const std::string before = Dump(library.UserStructs());
        EXPECT_EQ(library->SaveStruct(Header(u"Nothing"), {}, kSaveStructDelete), 1);
        EXPECT_EQ(library->SaveStruct(pump, {Member(u"x", u"Int")}, 7), 0);
        EXPECT_EQ(ReadText(dataTypeFile), twice);
        EXPECT_EQ(Dump(library.UserStructs()), before);
    }
    {
        TypeLibraryRef library(dataTypeFile);  // the file holds Pump twice: the later one wins
        EXPECT_EQ(Signature(MembersOf(library.UserStructs(), pump.Name)), "new:Int");
        EXPECT_EQ(library->SaveStruct(pump, {}, kSaveStructDelete), 1);  // removes the first one only
        EXPECT_EQ(library.UserStructs().count(pump.Name.view()), 0u);
        EXPECT_EQ(library->SaveStruct(Header(u"Valve"), {Member(u"open", u"Bool")}, kSaveStructReplace), 1);
    }
    TypeLibraryRef library(dataTypeFile);
    EXPECT_EQ(Signature(MembersOf(library.UserStructs(), pump.Name)), "new:Int");
    EXPECT_EQ(Signature(MembersOf(library.UserStructs(), u"Valve")), "open:Bool");
}

TEST_F(TypeLibraryTest, MissingAttributesTakeTheValuesReadBeforeThem) {
    std::string name;  // 50 Chinese characters: 150 bytes of UTF-8
    for (int i = 0; i < 50; ++i) name += "名";
    WriteText(dataTypeFile, R"(<?xml version="1.0"?>
<Anything>
  <Struct Name="A" Mode="1">
    <Element Name="a" Type="Int" Read="0" Write="0" Length="5" Mark="m"/>
    <Element Name="b" Type="Int"/>
  </Struct>
  <Other Name="B">
    <Element Name="c" Read=" +1x"/>
    <Element Name="d" Type="Array [0..1] of Bool" Mark=""/>
    <Element Name="e" Type="ValveArray" Length="-"/>
  </Other>
  <Struct Name="DTL" Mode="1"><Element Name="X" Type="Int"/></Struct>
  <Struct Name=")" + name + R"(" Mode="0"/>
</Anything>)");
    TypeLibraryRef library(dataTypeFile);
    const StructMap structs = library.UserStructs();
    EXPECT_EQ(MembersOf(structs, u"A"), (std::vector<SMemberInfo>{WithFlags(Member(u"a", u"Int", {}, 5), 0, 0, u"m"),
                                                             WithFlags(Member(u"b", u"Int", {}, 5), 0, 0, u"m")}));
    EXPECT_EQ(structs.find(u"B")->first.Mode, 1);
    EXPECT_EQ(MembersOf(structs, u"B"), (std::vector<SMemberInfo>{WithFlags(Member(u"c", u"", {}, 5), 1, 0, u"m"),
                                                             WithFlags(Member(u"d", u"Bool", {{0, 1}}, 5), 1, 0, u""),
                                                             WithFlags(Member(u"e", u"ValveArray"), 1, 0, u"")}));
    // A user structure named like a predefined one keeps its header and gets the predefined members.
    EXPECT_EQ(structs.find(u"DTL")->first.Mode, 1);
    EXPECT_EQ(MembersOf(structs, u"DTL").size(), 8u);
    // Long names come back whole.
    EXPECT_EQ(structs.count(CString::FromUtf8(name).view()), 1u);
}

TEST_F(TypeLibraryTest, AFileThatCannotBeParsedIsNeverOverwritten) {
    const std::string broken = "<STURCTUSER><Struct Name=\"Mine\">";
    WriteText(dataTypeFile, broken);
    TypeLibraryRef library(dataTypeFile);
    EXPECT_EQ(library.UserStructs().count(u"IEC_TIMER"), 1u);
    EXPECT_EQ(library->SaveStruct(Header(u"New"), {Member(u"a", u"Int")}, kSaveStructAdd), 0);
    EXPECT_EQ(library->SaveStruct(Header(u"IEC_TIMER"), {}, kSaveStructDelete), 0);
    EXPECT_EQ(library.UserStructs().count(u"New"), 1u);  // memory changes all the same
    EXPECT_EQ(library.UserStructs().count(u"IEC_TIMER"), 0u);
    EXPECT_EQ(ReadText(dataTypeFile), broken);
}

TEST_F(TypeLibraryTest, WritesReplaceTheFileWholeKeepingPermissionsAndLinks) {
    const CString real = folder.File("real.xml");
    WriteText(real, kEmptyFile);
    ASSERT_EQ(chmod(real.ToUtf8().c_str(), 0640), 0);
    ASSERT_EQ(symlink("real.xml", dataTypeFile.ToUtf8().c_str()), 0);
    TypeLibraryRef library(dataTypeFile);
    EXPECT_EQ(library->SaveStruct(Header(u"Pump"), {Member(u"a", u"Int")}, kSaveStructAdd), 1);
    struct stat info {};
    ASSERT_EQ(lstat(dataTypeFile.ToUtf8().c_str(), &info), 0);
    EXPECT_TRUE(S_ISLNK(info.st_mode));
    ASSERT_EQ(stat(real.ToUtf8().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_NE(ReadText(real).find("Pump"), std::string::npos);
    size_t entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.path())) ++entries;
    EXPECT_EQ(entries, 2u);  // no temporary file left behind
}

TEST(DataTypeFileLocation, IsTheParentFolderOfTheDriversFolder) {
    // The code is linked into this test program, which plays the driver's file here.
    const std::filesystem::path program = std::filesystem::canonical("/proc/self/exe");
    EXPECT_EQ(Fileparsxml::DefaultPath().ToUtf8(), (program.parent_path().parent_path() / "DataType.xml").string());
}
