// The TIA source parser on sources written here: member lines, line ends, block attributes, header
// words inside members, anonymous structures, sections, malformed structures and batches of files.
#include <cctype>

#include "platform/code_page.h"
#include "types/import_result_codes.h"
#include "types/member_line.h"
#include "types/source_lines.h"
#include "types/source_text.h"
#include "types/tia_source_parser.h"
#include "import_test_support.h"

namespace {

using Strings = std::vector<std::string>;

std::string Block(const std::string& members, const std::string& attributes = "{ S7_Optimized_Access := 'FALSE' }\n") {
    return "DATA_BLOCK \"Test\"\n" + attributes + "VERSION : 0.1\nNON_RETAIN\n   STRUCT \n" + members +
           "   END_STRUCT;\n\n\nBEGIN\n   a := 'x;y';\n\nEND_DATA_BLOCK\n";
}

Strings Names(const std::vector<SMemberInfo>& members) {
    Strings names;
    for (const SMemberInfo& m : members) names.push_back(m.Name.ToUtf8() + ":" + m.Type.ToUtf8());
    return names;
}

/// Name, Type, Length, Read, Write and Mark of a member line, or "dropped".
std::string Member(std::u16string_view line) {
    SMemberLine read;
    if (!ReadMemberLine(line, read)) return "dropped";
    const SMemberInfo& m = read.member;
    return m.Name.ToUtf8() + "|" + (read.opensStruct ? "Struct" : m.Type.ToUtf8()) + "|" + std::to_string(m.Length) + "|" +
           std::to_string(m.Read) + std::to_string(m.Write) + "|" + m.Mark.ToUtf8();
}

/// The result of parsing text as the source of block DB5, the line it refused ("number: text")
/// and the block's members with their comments.
Strings ParsedFrom(const SourceText& text) {
    StructMap parsed;
    std::vector<SFlatMember> made;
    StructureList done;
    SSourceLine failed;
    const int result = ParseTiaSource(text, u"/src/DB5_Test.db", {true, u"Title", u"DB5"}, {parsed, made, done}, &failed);
    Strings told{std::to_string(result), std::to_string(failed.number) + ": " + failed.text.ToUtf8()};
    const auto block = parsed.find(std::u16string_view(u"DB5"));
    if (block == parsed.end()) return told;
    for (const SMemberInfo& m : block->second) told.push_back(m.Name.ToUtf8() + ":" + m.Type.ToUtf8() + " //" + m.Mark.ToUtf8());
    return told;
}

/// text in UTF-16 after its byte-order mark, in the byte order the mark gives.
std::string Utf16Bytes(std::u16string_view text, bool littleEndian) {
    std::string bytes = littleEndian ? "\xFF\xFE" : "\xFE\xFF";
    for (char16_t ch : text) {
        const char low = static_cast<char>(ch & 0xFF), high = static_cast<char>(ch >> 8);
        bytes += littleEndian ? std::string{low, high} : std::string{high, low};
    }
    return bytes;
}

/// "{" + 8, 4, 4, 4 and 12 upper-case hexadecimal digits joined by "-" + "}".
bool IsSyntheticName(const CString& name) {
    const std::string text = name.ToUtf8(), shape = "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}";
    if (text.size() != shape.size()) return false;
    for (size_t i = 0; i < text.size(); ++i)
        if (shape[i] == 'X' ? !std::isdigit(static_cast<unsigned char>(text[i])) && (text[i] < 'A' || text[i] > 'F') : text[i] != shape[i])
            return false;
    return true;
}

}  // namespace

TEST(MemberLine, NamesAttributesTypesStartValuesAndComments) {
    EXPECT_EQ(Member(uR"("Motor" { ExternalVisible := 'False'} : Int;   // speed)"), "\"Motor\"|Int|0|01|speed");
    EXPECT_EQ(Member(u"i { ExternalAccessible := 'False'; ExternalVisible := 'False'; ExternalWritable := 'False'} : Int;"), "i|Int|0|00|");
    EXPECT_EQ(Member(uR"("a : b" : "UDT Counter";)"), "\"a : b\"|\"UDT Counter\"|0|11|");  // quoted texts keep blanks
    EXPECT_EQ(Member(uR"(v : "ValveArray";)"), "v|\"ValveArray\"|0|11|");  // merely holds the word Array
    EXPECT_EQ(Member(u"Txt : String[20] := 'a;b';"), "Txt|String|20|11|");
    EXPECT_EQ(Member(u"t : String := 'it$'s // no; $$'; // real"), "t|String|0|11|real");
    EXPECT_EQ(Member(u"x : Int; // set x := 6"), "x|Int|0|11|set x := 6");
    EXPECT_EQ(Member(u"s : Struct   // first; second"), "s|Struct|0|11|first; second");  // Struct lines have no ";"
    EXPECT_EQ(Member(u"n : Array[1..5] of String[8];"), "n|String|8|11|");
    EXPECT_EQ(Member(u"a:Int;"), "||0|11|");  // no " : ": no name and no type, so the layout reports it
    EXPECT_EQ(Member(u"t : String := 'open;"), "dropped");
    SMemberLine array;
    ASSERT_TRUE(ReadMemberLine(u"Tab : Array[0..3, 1..2] of Real;", array));
    EXPECT_EQ(array.member.Dims, (std::vector<SArrayDim>{{0, 3}, {1, 2}}));
    // A bound without ".." is the upper bound; the lower one stays 0 (six Bools, not one).
    ASSERT_TRUE(ReadMemberLine(u"b : Array[5] of Bool;", array));
    EXPECT_EQ(array.member.Dims, (std::vector<SArrayDim>{{0, 5}}));
    EXPECT_EQ(array.member.Type, u"Bool");
}

TEST_F(SourceParse, LineEndsAttributesAndHeaderWords) {
    const std::string members = "      // note: a comment line\n      FW_VERSION : Int;\n      a : Bool; // NON_RETAIN\n"
                                "      TYPE_A : Int;\n      DATA_BLOCK_NO : Int;\n";
    std::string source = Block(members);
    for (char& ch : source) if (ch == '\n') ch = '\r';  // lone CRs, and no line end after the last line
    ASSERT_EQ(Parse("\xEF\xBB\xBF" + source.substr(0, source.size() - 1)), 0);
    EXPECT_EQ(Names(Members(u"DB5")), (Strings{"FW_VERSION:Int", "a:Bool", "TYPE_A:Int", "DATA_BLOCK_NO:Int"}));

    EXPECT_EQ(Parse(Block(members, "{ S7_Optimized_Access := 'TRUE' }\n")), kBlockOptimized);
    EXPECT_EQ(Parse(Block(members, "{ DB_Accessible_From_OPC_UA := 'FALSE' ;\n S7_Optimized_Access := 'TRUE' }\n")), kBlockOptimized);
    EXPECT_EQ(Parse(Block(members, "{ A := 'x'; S7_Optimized_Access := 'FALSE' }\n")), 0);
    EXPECT_EQ(records.size(), 4u);  // every block header adds its record
}

TEST_F(SourceParse, AnonymousStructuresBecomeTypesOfTheirOwnAtAnyDepth) {
    ASSERT_EQ(Parse(Block("      s : Struct   // outer\n         x : Int;\n         t : Struct\n            y : Bool;\n"
                          "         END_STRUCT;   // inner: y\n      END_STRUCT;\n      Arr : Array[1..3] of Struct\n         z : Real;\n"
                          "      END_STRUCT;\n")),
              0);
    const std::vector<SMemberInfo> top = Members(u"DB5");
    ASSERT_EQ(top.size(), 2u);
    EXPECT_TRUE(IsSyntheticName(top[0].Type) && IsSyntheticName(top[1].Type) && top[0].Type != top[1].Type);
    EXPECT_EQ(top[1].Dims, (std::vector<SArrayDim>{{1, 3}}));
    EXPECT_EQ(Names(Members(Members(top[0].Type).at(1).Type)), (Strings{"y:Bool"}));
    EXPECT_EQ(Names(Members(top[1].Type)), (Strings{"z:Real"}));
    EXPECT_EQ(structs.size(), 4u);     // each anonymous structure stored once
    EXPECT_EQ(completed.size(), 1u);  // only the block is a completed top-level structure

    constexpr int kDepth = 20000;
    std::string deep;
    for (int i = 0; i < kDepth; ++i) deep += "s : Struct\n";
    deep += "leaf : Int;\n";
    for (int i = 0; i < kDepth; ++i) deep += "END_STRUCT;\n";
    structs.clear();
    ASSERT_EQ(Parse(Block(deep)), 0);
    CString type = Members(u"DB5").at(0).Type;
    for (int i = 1; i < kDepth; ++i) type = Members(type).at(0).Type;
    EXPECT_EQ(Names(Members(type)), (Strings{"leaf:Int"}));
}

TEST_F(SourceParse, TypesBlocksAndOtherSectionsOfOneSource) {
    ASSERT_EQ(Parse("TYPE \"UDT Counter\"\nVERSION : 0.1\n   STRUCT\n      c : Int;\n   END_STRUCT;\n\nEND_TYPE\n\n"
                    "FUNCTION_BLOCK \"fb\"\n   VAR\n      x : Int;\n   END_VAR\nBEGIN\n\tIF x THEN\n\t  x := 1;\n\tEND_IF;\nEND_FUNCTION_BLOCK\n" +
                    Block("      first : Int;\n") + Block("      second : \"UDT Counter\";\n") +
                    "DATA_BLOCK \"Based\"\nVERSION : 0.1\n\"UDT Counter\"\nBEGIN\n   c := 3;\nEND_DATA_BLOCK\n"
                    "TYPE Plain Name\nSTRUCT\n   p : Bool;\nEND_STRUCT\nEND_TYPE\n"),
              0);
    EXPECT_EQ(Names(Members(uR"("UDT Counter")")), (Strings{"c:Int"}));
    EXPECT_EQ(Names(Members(u"PlainName")), (Strings{"p:Bool"}));
    EXPECT_EQ(structs.size(), 3u);  // the function block's variables are not a structure
    // Each data block is a record; the second block's members replace the first's under the name.
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(Names(Members(u"DB5")), (Strings{R"(second:"UDT Counter")"}));
    EXPECT_EQ(Strings({records[0].Name.ToUtf8(), records[0].Type.ToUtf8(), records[0].Block.ToUtf8()}), (Strings{"Title", "DB5", "DB5"}));
    EXPECT_EQ(records[2].Type, uR"("UDT Counter")");  // the block based on a data type
}

TEST_F(SourceParse, MalformedStructuresFailWithTheirCodesAndKeepWhatWasStored) {
    for (const char* members : {"      garbage\n", "   STRUCT\n", "      t : String := 'open;\n", "   END_STRUCT;\n"})
        EXPECT_EQ(Parse(Block(std::string("      kept : Int;\n") + members)), kBlockFormatError) << members;
    EXPECT_EQ(Parse("DATA_BLOCK \"x\"\nSTRUCT\n a : Int;\nEND_DATA_BLOCK\n"), kBlockFormatError);
    EXPECT_EQ(Parse("TYPE \"T\"\nSTRUCT\n a : Int;\n garbage\nEND_STRUCT;\nEND_TYPE\n"), kTypeFormatError);
    structs.clear();
    EXPECT_EQ(Parse(Block("      kept : Int;\n") + Block("      garbage\n")), kBlockFormatError);
    EXPECT_EQ(Names(Members(u"DB5")), (Strings{"kept:Int"}));
}

TEST_F(SourceParse, SourcesHoldingNoStructureAreEmptyAndUtf16IsReadInItsByteOrder) {
    const std::string xml = "<?xml version='1.0'?>\n<Document><DataBlock/></Document>\n";
    for (const std::string& nothing : {std::string(), std::string("\xEF\xBB\xBF"), std::string("\xFF\xFE"),
                                       std::string("garbage outside any section\n\x01\xFF\xFE"), xml,
                                       std::string("TYPE \"T\"\nVERSION : 0.1\nEND_TYPE\n")})
        EXPECT_EQ(Parse(nothing), kSourceFileEmpty) << nothing;
    EXPECT_TRUE(records.empty());
    EXPECT_TRUE(completed.empty());

    const std::u16string udt = u"TYPE \"Ä\"\r\nSTRUCT\r\n  a : Int; // 温度\r\nEND_STRUCT;\r\nEND_TYPE\r\n";
    const std::string little = Utf16Bytes(udt, true), big = Utf16Bytes(udt, false);
    for (const std::string& bytes : {little, big}) {
        EXPECT_EQ(DecodeSourceText(bytes), udt);
        EXPECT_EQ(TextBytesAsUtf8(bytes), Utf16ToUtf8(udt));
        EXPECT_EQ(Parse(bytes), 0);
        EXPECT_EQ(Members(u"\"Ä\"").at(0).Mark, u"温度");
    }
    EXPECT_EQ(DecodeSourceText(little + "A"), udt + u"\uFFFD");  // a cut file does not look complete
    EXPECT_EQ(TextBytesAsUtf8("plain"), "plain");
}

TEST_F(SourceParse, NumbersOutOfRangeFailAtTheirLineInsteadOfBecomingOtherNumbers) {
    // Each would otherwise be read as another number: a negative length, one wrapped past 32 bits,
    // bounds read as 0..0, an array read as a scalar.
    for (const char* type : {"String[-300]", "String[99999999999]", "WString[16383]", "String[x]", "Array[a..b] of Int",
                             "Array[] of Int", "Array[0..4294967296] of Bool", "Array[0..1, ] of Int", "Array[1.5] of Int"}) {
        const std::string source = Block(std::string("      a : Int;\n      b : ") + type + ";\n");
        SSourceLine failed;
        StructMap parsed;
        std::vector<SFlatMember> made;
        StructureList done;
        EXPECT_EQ(ParseTiaSource(SourceText(source), u"x.db", SBlockNaming(), {parsed, made, done}, &failed), kBlockFormatError) << type;
        EXPECT_EQ(failed.number, 7) << type;
        EXPECT_EQ(failed.text, CString::FromUtf8(std::string("b : ") + type + ";")) << type;
    }
    // The same in a type, counted over CR LF, lone CR and lone LF line ends, decoded whole or
    // line by line.
    const std::u16string udt = u"TYPE \"T\"\r\nSTRUCT\ra : Int;\n\r\nb : String[-1];\r\nEND_STRUCT;\r\nEND_TYPE\r\n";
    for (const SourceText& text : {SourceText(udt), SourceText(Utf16ToUtf8(udt))})
        EXPECT_EQ(ParsedFrom(text), (Strings{std::to_string(kTypeFormatError), "5: b : String[-1];"}));
    // The largest values that are meant stay as they are.
    EXPECT_EQ(Member(u"w : WString[16382];"), "w|WString|16382|11|");
    SMemberLine wide;
    ASSERT_TRUE(ReadMemberLine(u"r : Array[-2147483648..2147483647, -1..+1] of Byte;", wide));
    EXPECT_EQ(wide.member.Dims, (std::vector<SArrayDim>{{INT32_MIN, INT32_MAX}, {-1, 1}}));
}

TEST(RefusedLine, IsToldByItsNumberAndTextWhateverTheEncodingAndTheLineEnds) {
    // Characters of several bytes, one cut off at a line end, an attribute block over two lines
    // and line ends of every kind; the second block refuses its line 14, after the first stored.
    const std::string source = "DATA_BLOCK \"Test\"\r\n{ A := 'x';\r S7_Optimized_Access := 'FALSE' }\n\nVERSION : 0.1\r\n"
                               "STRUCT\r\n  \"Tür\" : Int; // 温度\xE2\x82\n\r  b : Bool; // \xC3\r\nEND_STRUCT;\nEND_DATA_BLOCK\n"
                               "DATA_BLOCK \"Second\"\rSTRUCT\n  Txt : String[-1]; // ß\nEND_STRUCT;\nEND_DATA_BLOCK\n";
    const Strings told{std::to_string(kBlockFormatError), "14: Txt : String[-1]; // ß", "\"Tür\":Int //温度\uFFFD\uFFFD",
                       "b:Bool //\uFFFD"};
    const std::u16string decoded = DecodeSourceText(source);
    for (const SourceText& text : {SourceText(source), SourceText("\xEF\xBB\xBF" + source), SourceText(decoded),
                                   SourceText(Utf16Bytes(decoded, true)), SourceText(Utf16Bytes(decoded, false))})
        EXPECT_EQ(ParsedFrom(text), told);

    // Optimized access switched on in a block over two lines is told at the block's first line,
    // though the line after it was read; structures left open at the last line of the sections.
    EXPECT_EQ(ParsedFrom(SourceText("DATA_BLOCK \"Test\"\n{ A := 'x';\r\n S7_Optimized_Access := 'TRUE' }\nSTRUCT\n")),
              (Strings{std::to_string(kBlockOptimized), "2: { A := 'x';"}));
    EXPECT_EQ(ParsedFrom(SourceText("DATA_BLOCK \"x\"\nSTRUCT\n a : Int;\r\n\tEND_DATA_BLOCK \n\n\r\nTYPE \"T\"\n")),
              (Strings{std::to_string(kBlockFormatError), "4: END_DATA_BLOCK"}));
}

TEST_F(ImportRun, BatchesGoOnPastUnreadableFilesAndStopAtTheFirstError) {
    const CString good = folder.Write("DB1_good.db", Block("      g : Int;\n"));
    const CString late = folder.Write("DB3_late.db", Block("      l : Int;\n"));
    EXPECT_EQ(LoadTypes({folder.File("missing.db"), good}), kFileLoadFailed);  // read past, and reported
    EXPECT_EQ(LoadTypes({folder.Write("DB2_bad.db", Block("      garbage\n")), late}), kBlockFormatError);
    ASSERT_EQ(Layout(), 1);
    EXPECT_EQ(Placed(leaves), (Strings{"DB1.g 0.0"}));  // named by the file name before its "_"
    EXPECT_EQ(unknown, std::vector<CString>{u"DB2"});  // the failed block's record stays, without members

    SDbFileInfo byTitle{u"DB7", u"DB7_x", u"Title", good, 0}, byFile{u"DB7", u"DB7_x", u"Title", late, 1}, none = byTitle;
    none.NamingChoice = 2;
    analysis.Library()->TopLevelRecords().clear();
    EXPECT_EQ(analysis.LoadBlocks({{good, byTitle}, {late, byFile}, {u"/x", none}}, completed, kLoadDbFiles), 1);
    ASSERT_EQ(Layout(), 1);
    EXPECT_EQ(Placed(leaves), (Strings{"Title.g 0.0", "DB7_x.g 0.0"}));  // the last read of DB7 wins; choice 2 adds no record
}
