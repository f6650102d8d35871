#include "bench/plant_writer.h"

#include <cstdio>
#include <fstream>
#include <stdexcept>

namespace {

constexpr const char* kBom = "\xEF\xBB\xBF";
constexpr const char* kEol = "\r\n";

/// A small deterministic generator (splitmix64): the same seed gives the same plant everywhere.
class Random {
public:
    explicit Random(uint64_t seed) : state_(seed) {}
    uint64_t Next() {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    /// A number from low to high, both included.
    int Between(int low, int high) { return low + static_cast<int>(Next() % static_cast<uint64_t>(high - low + 1)); }
    bool Chance(int percent) { return Between(1, 100) <= percent; }

private:
    uint64_t state_;
};

// Leaves of the plant's data types as the layout places them (an IEC timer has 4, a counter 8).
constexpr int kMotorLeaves = 13;
constexpr int kValveLeaves = 14;
constexpr int kAnalogLeaves = 8;

const char* const kTypeSource =
    "TYPE \"Motor\"\r\n"
    "VERSION : 0.1\r\n"
    "   STRUCT\r\n"
    "      Running : Bool;   // contactor closed\r\n"
    "      Fault : Bool;\r\n"
    "      Ready : Bool;   // drive ready\r\n"
    "      Speed : Real;   // rpm\r\n"
    "      Current : Real;   // 电流 A\r\n"
    "      Hours { ExternalWritable := 'False'} : DInt;   // operating hours\r\n"
    "      Starts : UDInt;\r\n"
    "      Mode : Int := 1;\r\n"
    "      Name : String[16] := 'motor';\r\n"
    "      StartDelay : IEC_TIMER;\r\n"
    "   END_STRUCT;\r\n"
    "\r\n"
    "END_TYPE\r\n"
    "\r\n"
    "TYPE \"Valve\"\r\n"
    "VERSION : 0.1\r\n"
    "   STRUCT\r\n"
    "      Open : Bool;   // limit switch open\r\n"
    "      Closed : Bool;   // limit switch closed\r\n"
    "      Fault : Bool;\r\n"
    "      Command : Bool;   // 开阀命令\r\n"
    "      Position : Int;   // 0.1 %\r\n"
    "      Travel : Time;\r\n"
    "      Cycles : IEC_COUNTER;\r\n"
    "   END_STRUCT;\r\n"
    "\r\n"
    "END_TYPE\r\n"
    "\r\n"
    "TYPE \"Analog\"\r\n"
    "VERSION : 0.1\r\n"
    "   STRUCT\r\n"
    "      Value : Real;   // scaled value\r\n"
    "      Raw : Int;\r\n"
    "      Status : Word;\r\n"
    "      Limits : Struct   // alarm limits\r\n"
    "         HH : Real;\r\n"
    "         H : Real;\r\n"
    "         L : Real;\r\n"
    "         LL : Real;\r\n"
    "      END_STRUCT;\r\n"
    "      Unit : String[8] := 'bar';\r\n"
    "   END_STRUCT;\r\n"
    "\r\n"
    "END_TYPE\r\n";

/// The body of one data block, and how many leaves it lays out into.
class BlockBuilder {
public:
    BlockBuilder(Random& random, std::string& text) : random_(random), text_(text) {}

    int Leaves() const { return leaves_; }

    void Line(int indent, const std::string& line) {
        text_.append(static_cast<size_t>(indent) * 3, ' ');
        text_ += line;
        text_ += kEol;
    }
    void Leaf(int indent, const std::string& line, int leaves = 1) {
        Line(indent, line);
        leaves_ += leaves;
    }

    /// A station of drives and valves: arrays of the plant's types, an array of anonymous structures.
    void DriveStation(int number) {
        Line(2, "\"Station " + std::to_string(number) + "\" : Struct   // 工位 " + std::to_string(number));
        Leaf(3, "Drive : \"Motor\";", kMotorLeaves);
        const int valves = random_.Between(1, 4);
        Leaf(3, "Valves { S7_SetPoint := 'False'} : Array[1.." + std::to_string(valves) + "] of \"Valve\";", valves * kValveLeaves);
        const int flags = random_.Between(8, 32);
        Leaf(3, "Flags : Array[0.." + std::to_string(flags - 1) + "] of Bool;   // sensor flags", flags);
        Leaf(3, "Recipe : String[20] := 'st;1';   // shown on the panel");
        const int columns = random_.Between(1, 4);
        Leaf(3, "Counts : Array[1..2, 1.." + std::to_string(columns) + "] of Int;", 2 * columns);
        const int zones = random_.Between(1, 4);
        Line(3, "Zones : Array[0.." + std::to_string(zones - 1) + "] of Struct   // heating zones");
        Leaf(4, "Temp : Real;   // °C", zones);
        Leaf(4, "\"On\" : Bool;", zones);
        Leaf(4, "SetPoint : Int := 20;", zones);
        Line(3, "END_STRUCT;");
        Leaf(3, "Delay : IEC_TIMER;", 4);
        Leaf(3, "Ok : Bool;");
        Line(2, "END_STRUCT;");
    }

    /// A tank: analog values, valves, a pump and anonymous structures nested three deep.
    void Tank(int number) {
        Line(2, "Tank_" + std::to_string(number) + " : Struct   // storage tank");
        Leaf(3, "Level : \"Analog\";   // 液位", kAnalogLeaves);
        Leaf(3, "Temperature : \"Analog\";", kAnalogLeaves);
        Leaf(3, "Inlet : \"Valve\";", kValveLeaves);
        Leaf(3, "Outlet : \"Valve\";", kValveLeaves);
        Leaf(3, "Pump : \"Motor\";", kMotorLeaves);
        Line(3, "Alarms : Struct");
        Leaf(4, "High : Bool;   // level high");
        Leaf(4, "Low : Bool;");
        Leaf(4, "Leak { ExternalWritable := 'False'} : Bool;");
        Line(4, "Batch : Struct   // batch in the tank");
        Leaf(5, "Id : DInt;");
        Leaf(5, "Name : String := 'batch $'A$'';");
        Leaf(5, "Started : Date_And_Time;");
        Line(4, "END_STRUCT;");
        Line(3, "END_STRUCT;");
        Leaf(3, "Spare { ExternalVisible := 'False'; ExternalWritable := 'False'} : Byte;");
        Line(2, "END_STRUCT;");
    }

    /// A conveyor: Bools, words, a counter and an array of anonymous structures with strings.
    void Conveyor(int number) {
        Line(2, "Conveyor_" + std::to_string(number) + " : Struct   // belt " + std::to_string(number));
        const int cells = random_.Between(4, 16);
        Leaf(3, "Photocells : Array[1.." + std::to_string(cells) + "] of Bool;", cells);
        Leaf(3, "Speed : Real := 1.5;   // m/s");
        Leaf(3, "Jam : Bool;");
        Leaf(3, "Running : Bool;");
        Leaf(3, "Position : DInt;   // mm");
        Leaf(3, "Counter : IEC_COUNTER;", 8);
        const int items = random_.Between(2, 6);
        Line(3, "Items : Array[0.." + std::to_string(items - 1) + "] of Struct   // items on the belt");
        Leaf(4, "Code : String[12] := 'none';", items);
        Leaf(4, "Weight : Real;   // kg", items);
        Leaf(4, "Present : Bool;", items);
        Leaf(4, "Lane : USInt;", items);
        Line(3, "END_STRUCT;");
        Leaf(3, "Status : Word;");
        Leaf(3, "LastFault : Char;");
        Leaf(3, "Run_Time : Time;");
        Line(2, "END_STRUCT;");
    }

private:
    Random& random_;
    std::string& text_;
    int leaves_ = 0;
};

/// The largest number of leaves one station can have.
constexpr int kLargestStation = 130;
/// The leaves every block has before its stations (Mode and Heartbeat).
constexpr int kBlockHeaderLeaves = 2;

std::string BlockSource(int number, int leaves, Random& random) {
    std::string text = kBom;
    text += "DATA_BLOCK \"Line " + std::to_string(number) + "\"" + kEol;
    text += std::string("{ S7_Optimized_Access := 'FALSE' }") + kEol + "VERSION : 0.1" + kEol + "NON_RETAIN" + kEol;
    text += std::string("   STRUCT ") + kEol;
    BlockBuilder block(random, text);
    block.Leaf(2, "Mode : Int := 1;   // 0 off, 1 manual, 2 automatic");
    block.Leaf(2, "Heartbeat : Bool;");
    for (int station = 0; leaves - block.Leaves() >= kLargestStation; ++station) {
        switch (random.Between(0, 2)) {
            case 0: block.DriveStation(station); break;
            case 1: block.Tank(station); break;
            default: block.Conveyor(station); break;
        }
    }
    const int spare = leaves - block.Leaves();
    if (spare > 0) block.Leaf(2, "Spare : Array[0.." + std::to_string(spare - 1) + "] of Bool;", spare);
    text += std::string("   END_STRUCT;") + kEol + kEol + kEol + "BEGIN" + kEol + "   Mode := 1;" + kEol + kEol +
            "END_DATA_BLOCK" + kEol + kEol;
    return text;
}

/// One tag line: areas and types mixed as a plant's tag table mixes them, every address used once.
class TagWriter {
public:
    explicit TagWriter(Random& random) : random_(random) {}

    std::string Next(int index) {
        const int kind = random_.Between(1, 100);
        std::string type = "Bool", address, name;
        if (kind <= 35) {
            address = BitAddress("%I", inputBits_++);
            name = "iSensor_" + std::to_string(index);
        } else if (kind <= 60) {
            address = BitAddress("%Q", outputBits_++);
            name = "oValve_" + std::to_string(index);
        } else if (kind <= 70) {
            address = BitAddress("%M", memoryBits_++);
            name = "mFlag_" + std::to_string(index);
        } else if (kind <= 85) {
            type = random_.Chance(50) ? "Int" : "Word";
            address = "%MW" + std::to_string(kWordStart + 2 * words_++);
            name = "mw_SetPoint_" + std::to_string(index);
        } else {
            type = random_.Chance(50) ? "Real" : "DInt";
            address = "%MD" + std::to_string(kDoubleStart + 4 * doubles_++);
            name = "md_Total_" + std::to_string(index);
        }
        const bool writeable = !random_.Chance(20);
        return "  <Tag type='" + type + "' hmiVisible='True' hmiWriteable='" + (writeable ? "True" : "False") +
               "' hmiAccessible='True' remark='" + Remark(index) + "' addr='" + address + "'>" + name + "</Tag>\n";
    }

private:
    static constexpr int kMemoryBitStart = 1000 * 8;
    static constexpr int kWordStart = 20000;
    static constexpr int kDoubleStart = 60000;

    static std::string BitAddress(const char* area, int bit) {
        if (area[1] == 'M') bit += kMemoryBitStart;
        return area + std::to_string(bit / 8) + "." + std::to_string(bit % 8);
    }

    std::string Remark(int index) {
        switch (random_.Between(0, 3)) {
            case 0: return "";
            case 1: return "急停按钮 " + std::to_string(index);
            case 2: return "pump &amp; valve " + std::to_string(index);
            default: return "conveyor " + std::to_string(index % 97) + " running";
        }
    }

    Random& random_;
    int inputBits_ = 0, outputBits_ = 0, memoryBits_ = 0, words_ = 0, doubles_ = 0;
};

uint64_t Write(const std::filesystem::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
    if (!out) throw std::runtime_error("cannot write " + path.string());
    return text.size();
}

}  // namespace

SPlantFiles WritePlant(const std::filesystem::path& folder, const SPlantSize& size) {
    if (size.blocks < 1 || size.leaves < size.blocks * (kBlockHeaderLeaves + 1) || size.tags < 0)
        throw std::invalid_argument("a plant needs at least one block and three leaves per block");
    SPlantFiles files;
    Random random(size.seed);
    files.typeFile = folder / "PlantTypes.udt";
    files.bytes += Write(files.typeFile, std::string(kBom) + kTypeSource);

    for (int number = 1; number <= size.blocks; ++number) {
        const int leaves = size.leaves / size.blocks + (number <= size.leaves % size.blocks ? 1 : 0);
        char name[32];
        std::snprintf(name, sizeof name, "DB%d_Line%03d.db", number, number);
        files.blockFiles.push_back(folder / name);
        files.bytes += Write(files.blockFiles.back(), BlockSource(number, leaves, random));
        files.blockLeaves += leaves;
    }

    std::string tags = std::string(kBom) + "<?xml version='1.0' encoding='utf-8'?>\n<Tagtable name='Plant'>\n";
    TagWriter writer(random);
    for (int i = 0; i < size.tags; ++i) tags += writer.Next(i);
    tags += "</Tagtable>";
    files.tagFile = folder / "PlantTags.xml";
    files.bytes += Write(files.tagFile, tags);
    files.tags = size.tags;
    return files;
}
