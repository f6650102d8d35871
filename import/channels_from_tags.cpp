#include "import/channels_from_tags.h"

#include <algorithm>
#include <array>
#include <string>
#include <unordered_map>
#include <utility>

#include "core/channel_builder.h"
#include "core/data_types.h"
#include "import/single_row_merge.h"
#include "types/kept_name_memo.h"
#include "platform/freed_memory.h"
#include "platform/parallel.h"

namespace {

constexpr int kBoolIndex = 0;
constexpr int kStringIndex = 19;
constexpr int kDefaultStringLength = 254;

/// The longest type name the table lists ("HW_INTERFACE", "EVENT_HWINT" and such are shorter).
constexpr size_t kLongestListedType = 16;

/// text with A to Z as a to z, in buffer (at least as long as text).
std::u16string_view Folded(std::u16string_view text, char16_t* buffer) {
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t ch = text[i];
        buffer[i] = ch >= u'A' && ch <= u'Z' ? static_cast<char16_t>(ch - u'A' + u'a') : ch;
    }
    return {buffer, text.size()};
}

/// The type indices by folded name. Looked up once for every leaf of an import, so a name is
/// folded into a buffer of its own, not into a new text.
const std::unordered_map<std::u16string_view, int>& TypeIndexTable() {
    static const std::unordered_map<std::u16string_view, int> table = [] {
        const std::pair<std::u16string_view, int> names[] = {
            {u"Bool", 0}, {u"Byte", 9}, {u"SINT", 9}, {u"Char", 9}, {u"USINT", 8}, {u"UINT", 11}, {u"WChar", 11},
            {u"INT", 12}, {u"Word", 12}, {u"UDINT", 14}, {u"DWORD", 15}, {u"DINT", 15}, {u"Real", 17},
            {u"LReal", 18}, {u"STRING", 19},
            // System data types: 16-bit numbers, then 32-bit ones.
            {u"CONN_ANY", 11}, {u"CONN_OUC", 11}, {u"REMOTE", 11}, {u"CONN_PRG", 11}, {u"DB_ANY", 11},
            {u"DB_WWW", 11}, {u"DB_DYN", 11}, {u"HW_DEVICE", 11}, {u"HW_DPSLAVE", 11}, {u"HW_HSC", 11},
            {u"HW_IEPORT", 11}, {u"HW_IO", 11}, {u"HW_INTERFACE", 11}, {u"HW_IOSYSTEM", 11}, {u"HW_PTO", 11},
            {u"HW_PWM", 11}, {u"HW_SUBMODULE", 11}, {u"OB_ANY", 11}, {u"OB_ATT", 11}, {u"OB_CYCLIC", 11},
            {u"OB_DELAY", 11}, {u"OB_DIAG", 11}, {u"OB_HWINT", 11}, {u"OB_PCYCLE", 11}, {u"OB_STARTUP", 11},
            {u"OB_TIMEERROR", 11}, {u"OB_TOD", 11}, {u"PIP", 11}, {u"PORT", 11}, {u"HW_MODULE", 11},
            {u"HW_DPMASTER", 11}, {u"RTM", 11},
            {u"AOM_IDENT", 14}, {u"EVENT_ANY", 14}, {u"EVENT_ATT", 14}, {u"CONN_R_ID", 14}, {u"EVENT_HWINT", 14},
        };
        static std::array<std::u16string, std::size(names)> folded;  // the table's keys view these
        std::unordered_map<std::u16string_view, int> made;
        for (size_t i = 0; i < std::size(names); ++i) {
            char16_t buffer[kLongestListedType];
            folded[i] = Folded(names[i].first, buffer);
            made.try_emplace(folded[i], names[i].second);  // the first listed wins
        }
        return made;
    }();
    return table;
}

int TypeIndexOf(std::u16string_view type) {
    if (type.size() > kLongestListedType) return -1;
    char16_t buffer[kLongestListedType];
    const auto& table = TypeIndexTable();
    const auto found = table.find(Folded(type, buffer));
    return found == table.end() ? -1 : found->second;
}

int RegisterTypeOf(const CString& block) {
    if (block == u"I") return 0;
    if (block == u"Q") return 1;
    if (block == u"M") return 2;
    if (block.view().starts_with(u"\"DB\"")) return -1;
    return kRegisterV;
}

/// value in decimal, as "%d" writes it (a template is made for every leaf of a large import).
CString DecimalText(int value) {
    const std::string digits = std::to_string(value);
    return CString(std::u16string(digits.begin(), digits.end()));
}

/// The block number (the block name from its third character on), ".", and the byte, as one text.
CString BlockAddressText(const CString& block, int byte) {
    const std::u16string_view number = block.view().substr(std::min<size_t>(2, block.view().size()));
    const std::string digits = std::to_string(byte);
    std::u16string text;
    text.reserve(number.size() + 1 + digits.size());
    text += number;
    text += u'.';
    text.append(digits.begin(), digits.end());
    return CString(std::move(text));
}

/// A leaf's data-type index: a Bool's bit number within its byte selects index 0 to 7 (a leaf
/// outside the register areas has none).
int LeafTypeIndex(int typeIndex, int regType, int bitOffset) {
    if (typeIndex != kBoolIndex || regType < 0) return typeIndex;
    return typeIndex + bitOffset % 8;
}

/// The string length of a channel of this type index: the declared one, or 254 when none is;
/// none for a type that is not a string.
int StringLengthOf(int typeIndex, int declared) {
    if (typeIndex != kStringIndex) return 0;
    return declared > 0 ? declared : kDefaultStringLength;
}

/// A member hidden from the HMI (neither readable nor writable) is read only: writing it from the
/// HMI is what its block forbids.
int ReadWriteFlagOf(int read, int write) {
    const bool readable = read == 1, writable = write == 1;
    if (readable && writable) return kReadWrite;
    return writable ? kWriteOnly : kReadOnly;
}

}  // namespace

int ChannelTypeIndexOf(const CString& type) { return TypeIndexOf(type.view()); }

SChannelTemplate MakeChannelTemplate(const SFlatMember& leaf) { return MakeChannelTemplate(SFlatMember(leaf)); }

SChannelTemplate MakeChannelTemplate(SFlatMember&& leaf) {
    SChannelTemplate channel;
    channel.name = std::move(leaf.Name);
    channel.comment = leaf.Mark.Text();
    channel.regType = RegisterTypeOf(leaf.Block);
    const int byte = leaf.BitOffset / 8;
    if (channel.regType == kRegisterV) channel.address = BlockAddressText(leaf.Block, byte);
    else if (channel.regType >= 0) channel.address = DecimalText(byte);
    channel.typeIndex = LeafTypeIndex(ChannelTypeIndexOf(leaf.Type), channel.regType, leaf.BitOffset);
    channel.rwFlag = ReadWriteFlagOf(leaf.Read, leaf.Write);
    channel.length = leaf.Length;
    return channel;
}

SChlInfo MakeChannelDescription(const SChannelTemplate& channel) { return MakeChannelDescription(SChannelTemplate(channel)); }

SChlInfo MakeChannelDescription(SChannelTemplate&& channel) {
    SChlInfo info;
    info.regType = channel.regType;
    info.typeIndex = channel.typeIndex;
    info.address = std::move(channel.address);
    info.strLen = StringLengthOf(channel.typeIndex, channel.length);
    info.chlCount = 1;
    info.rwFlag = channel.rwFlag;
    info.varName = std::move(channel.name);
    info.comment = std::move(channel.comment);
    return info;
}

namespace {

/// The fewest leaves worth a part of their own when rows are built side by side.
constexpr size_t kLeavesPerPart = 20000;
/// One part's worth of leaves for each processor.
size_t PartForEachProcessor() { return kLeavesPerPart * static_cast<size_t>(MaxParallelParts()); }
/// The fewest leaves whose rows are built in rounds: enough for every processor to take a few
/// parts' worth, so that a round's threads are few.
size_t FewestLeavesInRounds() { return 4 * PartForEachProcessor(); }

/// Where each round's leaves begin, in leaf order, and the leaf count at the end (no leaves: one
/// empty round). The rounds take the leaves from the last to the first, so that the leaves done
/// can be let go of while the rows of the others are built. Each round takes one part's worth for
/// each processor: a round's leaves are held beside their rows until it ends, and the texts the
/// leaves let go of meanwhile are not all reused by rows, so larger rounds would hold more.
std::vector<size_t> RoundBounds(size_t leafCount) {
    std::vector<size_t> bounds{leafCount};
    const size_t size = leafCount < FewestLeavesInRounds() ? leafCount : PartForEachProcessor();
    size_t end = leafCount;
    do {
        end -= std::min(size, end);
        bounds.push_back(end);
    } while (end > 0);
    std::reverse(bounds.begin(), bounds.end());
    return bounds;
}

/// The most digits of a block number read straight from the leaf: nine always fit 32 bits.
constexpr size_t kMostBlockDigits = 9;

/// The start of a leaf's channel read straight from the leaf: what its template's description
/// gives once its address text is read back. False for a leaf this does not cover (a block number
/// of other characters than digits, or of more than kMostBlockDigits; a negative offset): such a
/// leaf is described in full.
bool StartOfLeaf(const SFlatMember& leaf, KeptNameMemo<int>& typeIndices, SChannelStart& start) {
    if (leaf.BitOffset < 0) return false;
    start.regType = RegisterTypeOf(leaf.Block);
    start.address = leaf.BitOffset / 8;
    start.block = 0;
    if (start.regType == kRegisterV) {
        const std::u16string_view name = leaf.Block.view();
        const std::u16string_view digits = name.substr(std::min<size_t>(2, name.size()));
        if (digits.size() > kMostBlockDigits) return false;  // none reads as block 0, as in the text
        for (char16_t ch : digits) {
            if (ch < u'0' || ch > u'9') return false;
            start.block = start.block * 10 + (ch - u'0');
        }
    }
    const int typeIndex = typeIndices.Of(leaf.Type, [](const CString& type) { return TypeIndexOf(type.view()); });
    start.typeIndex = LeafTypeIndex(typeIndex, start.regType, leaf.BitOffset);
    start.rwFlag = ReadWriteFlagOf(leaf.Read, leaf.Write);
    start.strLen = StringLengthOf(start.typeIndex, leaf.Length);
    return true;
}

/// Builds the row of a leaf, as its template's description builds it: straight from the leaf's
/// cells where StartOfLeaf covers it, so that an import makes no address text for every leaf only
/// to read it back.
void BuildRowOfLeaf(const SFlatMember& leaf, KeptNameMemo<int>& typeIndices, std::vector<CDevRow>& rows) {
    if (SChannelStart start; StartOfLeaf(leaf, typeIndices, start)) BuildSingleRow(start, leaf.Name.view(), leaf.Mark.view(), rows);
    else BuildRows(MakeChannelDescription(MakeChannelTemplate(leaf)), rows);
}

/// AddChannelsFromMembers's work on leafCount leaves from leaves (each read once, possibly from
/// several threads at once for different leaves); leavesDone(n) is called whenever every leaf
/// from n on has given its row (last with 0), before the rows are merged.
template <typename LeavesDone>
void AddChannels(const SFlatMember* leaves, size_t leafCount, LeavesDone leavesDone, CDevTable* table, ChannelMerge merge) {
    if (!table || merge == ChannelMerge::kRowByRow) {
        // Each leaf goes through template, description and rows at once, so that no list of all
        // templates or descriptions is held. Without a table the rows are dropped.
        std::vector<CDevRow> built;
        for (size_t i = 0; i < leafCount; ++i) {
            built.clear();
            if (BuildRows(MakeChannelDescription(MakeChannelTemplate(leaves[i])), built) == 1 && !built.empty() && table)
                table->MergeRows(std::move(built), true);
        }
        leavesDone(0);
        return;
    }
    // A leaf's description is a single channel, so it builds one row or none: the rows of all the
    // leaves, in leaf order, merge as well together as each on its own. They are built side by
    // side, each part of a round's leaves into its own list, the lists kept in leaf order.
    const std::vector<size_t> bounds = RoundBounds(leafCount);
    const size_t rounds = bounds.size() - 1;
    std::vector<std::vector<std::vector<CDevRow>>> rowsByRound(rounds);
    for (size_t round = rounds; round-- > 0;) {
        const size_t first = bounds[round];
        const size_t count = bounds[round + 1] - first;
        const int parts = PartsFor(count, kLeavesPerPart);
        std::vector<std::vector<CDevRow>>& rows = rowsByRound[round];
        rows.resize(static_cast<size_t>(parts));
        RunParts(parts, [&](int part) {
            const size_t begin = first + PartBegin(count, parts, part), end = first + PartBegin(count, parts, part + 1);
            std::vector<CDevRow>& built = rows[static_cast<size_t>(part)];
            built.reserve(end - begin);
            KeptNameMemo<int> typeIndices;  // each part its own: a memo is used by one thread
            for (size_t i = begin; i < end; ++i) BuildRowOfLeaf(leaves[i], typeIndices, built);
        });
        leavesDone(first);
    }
    std::vector<std::vector<CDevRow>> rows;
    for (std::vector<std::vector<CDevRow>>& round : rowsByRound)
        for (std::vector<CDevRow>& part : round) rows.push_back(std::move(part));
    MergeSingleRows(*table, std::move(rows));
}

}  // namespace

void AddChannelsFromMembers(const std::vector<SFlatMember>& leaves, CDevTable* table, ChannelMerge merge) {
    AddChannels(leaves.data(), leaves.size(), [](size_t) {}, table, merge);
}

void AddChannelsFromMembers(std::vector<SFlatMember>&& leaves, CDevTable* table, ChannelMerge merge) {
    std::vector<SFlatMember> given = std::move(leaves);
    const size_t leafCount = given.size();
    // Room past the last leaf may have held leaves of a layout made again: given back first, so
    // that each round below gives back only the pages of its own leaves.
    ReturnUnusedPages(given.data() + leafCount, (given.capacity() - leafCount) * sizeof(SFlatMember));
    bool halfReturned = false;
    AddChannels(
        given.data(), leafCount,  // the parts reach the leaves while done ones are let go of
        [&](size_t done) {
            // The leaves done are destroyed and their pages given back at once: a large import's
            // leaves are not all held beside all its rows.
            if (done == 0) std::vector<SFlatMember>().swap(given);
            else LetGoOfItemsFrom(given, done);
            // The texts of the leaves done lie between the allocator's other pieces, and the rows'
            // texts are made apart from them: once half the leaves are done, the pages their texts
            // took are given back (the merge gives back the rest). Giving back after every round
            // costs as much again in time and saves little more.
            if (!halfReturned && done > 0 && done <= leafCount / 2) {
                halfReturned = true;
                ReturnFreedMemory();
            }
        },
        table, merge);
}
