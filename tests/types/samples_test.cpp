// Real TIA Portal exports (tests/data/tia, see its README), and a block built like the one whose
// offsets TIA Portal's block editor shows in the shared samples.
#include <map>
#include <sstream>

#include "types/import_result_codes.h"
#include "import_test_support.h"

namespace {

using Strings = std::vector<std::string>;

std::string Sample(const std::string& name) { return ReadBytes(std::string(VIREO_TEST_DATA) + "/" + name); }

std::string Type(const std::string& name, const std::string& members) {
    return "TYPE \"" + name + "\"\nSTRUCT\n" + members + "END_STRUCT;\nEND_TYPE\n";
}

/// The nesting of data types, arrays and anonymous structures of the block in TIA Portal's table.
const std::string kPlant =
    Type("PumpIn", "Run : Bool;\nState : USInt;\nRPM : Real;\nTemp : Real;\nPower : Real;\nPercent : Real;\n") +
    Type("PumpOut", "Run : Bool;\nHold : Bool;\nRPM : Real;\nPercent : Real;\n") +
    Type("CoolingIn", "Fan : Bool;\nFanSpeed : USInt;\nP1 : \"PumpIn\";\nP2 : \"PumpIn\";\n") +
    Type("CoolingOut", "Fan : Bool;\nFanSpeed : SInt;\nCoolant : SInt;\nP1 : \"PumpOut\";\nP2 : \"PumpOut\";\n") +
    Type("ConverterIn", "A : Int;\nB : Int;\nC : Int;\nD : Int;\nE : Int;\nBits : Array[0..7] of Bool;\nF : Int;\nG : Int;\n"
                        "H : Int;\nI : Array[1..6] of Int;\nJ : Array[1..6] of Int;\nK : Array[1..6] of Int;\nL : Int;\nM : Int;\n") +
    Type("Converter", "State : USInt;\nControl : USInt;\nRx : Array[1..2] of \"ConverterIn\";\nTx : Struct\nA : Int;\nB : Int;\n"
                      "C : Int;\nD : Int;\nE : Int;\nEND_STRUCT;\n") +
    Type("Inverter", "Rx : Struct\nA : USInt;\nB : USInt;\nC : USInt;\nD : USInt;\nE : USInt;\nOn : Bool;\nRun : Bool;\n"
                     "Faults : Struct\nF0 : Bool;\nF1 : Bool;\nF2 : Bool;\nF3 : Bool;\nF4 : Bool;\nF5 : Bool;\nF6 : Bool;\nF7 : Bool;\n"
                     "END_STRUCT;\nAtFault : Struct\nT0 : USInt;\nT1 : USInt;\nT2 : USInt;\nT3 : USInt;\nT4 : USInt;\n"
                     "T5 : USInt;\nT6 : USInt;\nT7 : USInt;\nEND_STRUCT;\nEND_STRUCT;\n"
                     "Tx : Struct\nHeartbeat : Bool;\nReset : Bool;\nEnable : Bool;\nDisable : Bool;\nEND_STRUCT;\n") +
    "DATA_BLOCK \"Plant\"\n{ S7_Optimized_Access := 'FALSE' }\nVERSION : 0.1\nNON_RETAIN\n   STRUCT \n"
    "Cooling : Struct\nRx : \"CoolingIn\";\nTx : \"CoolingOut\";\nEND_STRUCT;\nConverter : \"Converter\";\nInverter : \"Inverter\";\n"
    "   END_STRUCT;\nBEGIN\nEND_DATA_BLOCK\n";

Strings Offsets(const std::vector<SFlatMember>& leaves) {
    Strings offsets;
    for (const std::string& placed : Placed(leaves)) offsets.push_back(placed.substr(placed.rfind(' ') + 1));
    return offsets;
}

/// The elementary rows of the table's most expanded level, as "byte.bit", in table order.
Strings TiaPortalOffsets(const std::string& csv) {
    Strings offsets;
    std::istringstream lines(csv.substr(csv.find("Level 5")));
    for (std::string line; std::getline(lines, line);) {
        const size_t last = line.rfind(','), type = line.rfind(',', last - 1);
        const std::string kind = type == std::string::npos ? "" : line.substr(type + 1, last - type - 1);
        if (kind != "Bool" && kind != "USInt" && kind != "SInt" && kind != "Int" && kind != "Real") continue;
        offsets.push_back(line.substr(last + 1) + (line.find('.', last) == std::string::npos ? ".0" : ""));
    }
    return offsets;
}

}  // namespace

TEST_F(ImportRun, BlockBuiltLikeTheOneTiaPortalShowsGetsTiaPortalsOffsets) {
    ASSERT_EQ(LoadBlock(folder.Write("DB778_Plant.db", kPlant), u"DB778"), 1);
    ASSERT_EQ(Layout(), 1);
    const Strings offsets = Offsets(leaves);
    ASSERT_EQ(offsets.size(), 131u);
    // Checked by hand against the table: a byte after a Bool, Real on an even byte, structures
    // start even with even sizes, eight Bools in one byte, arrays of a type at the type's size.
    EXPECT_EQ(Strings(offsets.begin(), offsets.begin() + 4), (Strings{"0.0", "1.0", "2.0", "3.0"}));
    EXPECT_EQ(Strings(offsets.begin() + 25, offsets.begin() + 28), (Strings{"62.0", "63.0", "64.0"}));
    EXPECT_EQ(offsets[39], "74.7");
    EXPECT_EQ(offsets[63], "122.0");
    EXPECT_EQ(Strings(offsets.end() - 5, offsets.end()), (Strings{"205.0", "206.0", "206.1", "206.2", "206.3"}));

    const std::string table = ReadBytes(std::string(VIREO_SHARED_SAMPLES) + "/Differential_DB_structure_DB778.csv");
    if (table.empty()) GTEST_SKIP() << "TIA Portal's offset table is not beside the repository";
    EXPECT_EQ(offsets, TiaPortalOffsets(table));
}

TEST_F(ImportRun, RealExports) {
    // A standard block holding one data type member, from a source that also holds a function block.
    ASSERT_EQ(LoadBlock(folder.Write("DB100_Meldungen.scl", Sample("Meldungen.scl")), u"DB100"), 1);
    // A block based on a data type with an array of anonymous structures, switched to standard access.
    std::string log = Sample("LogMsg.scl");
    log.replace(log.find("S7_Optimized_Access := 'TRUE'"), 29, "S7_Optimized_Access := 'FALSE'");
    ASSERT_EQ(LoadTypes({folder.Write("DB2_log.scl", log)}), 1);
    ASSERT_EQ(Layout(), 1);
    EXPECT_TRUE(unknown.empty());
    std::map<std::string, std::string> at;
    for (const std::string& placed : Placed(leaves)) at[placed.substr(0, placed.rfind(' '))] = placed.substr(placed.rfind(' ') + 1);
    EXPECT_EQ(at["Title.Meldungen.HMI.ACK"], "0.0");
    EXPECT_EQ(at["Title.Meldungen.HMI.Meld_Quitt[31]"], "64.0");
    EXPECT_EQ(at["Title.Meldungen.Meld.State"], "67.0");
    EXPECT_EQ(at["Title.Meldungen.Meld.indexMax"], "70.0");
    EXPECT_EQ(at["DB2.\"name\""], "2.0");
    EXPECT_EQ(at["DB2.dataLogEntries[7].DLclosed"], "2616.0");
    EXPECT_EQ(leaves[38].Name, u"Title.Meldungen.Meld.indexMax");
    EXPECT_EQ(leaves[38].Read + leaves[38].Write, 0);
    EXPECT_EQ(LoadTypes({folder.Write("DB4_timer.scl", Sample("Timer.scl"))}), kBlockOptimized);  // CR LF, optimized
}
