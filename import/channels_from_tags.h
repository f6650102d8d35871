// Channels from imported tags: every laid-out leaf (a data block member or a tag of a tag table)
// becomes one channel description, which the channel table expands and merges.
#pragma once

#include <vector>

#include "core/dev_table.h"
#include "core/host_interface.h"
#include "types/type_records.h"

/// The channel a leaf stands for, before it is described to the channel table.
struct SChannelTemplate {
    CString name;
    int regType = -1;   ///< 0 I, 1 Q, 2 M, 3 V (data block), -1 none
    CString address;    ///< empty when regType is -1
    int typeIndex = -1; ///< 0 to 19 in the channel data type list, -1 none
    int rwFlag = 2;     ///< 0 read only, 1 write only, 2 read and write
    int length = 0;
    CString comment;
};

/// The channel data-type index of a TIA type name, compared without regard to case: Bool 0 (the
/// bit number is added later), USInt 8, Byte / SInt / Char 9, UInt / WChar 11, Int / Word 12,
/// UDInt 14, DWord / DInt 15, Real 17, LReal 18, String 19, the 16-bit system types 11, the 32-bit
/// ones 14; -1 for every other name (time and date types, for example, which make no channel).
int ChannelTypeIndexOf(const CString& type);

/// The channel of one leaf. Block "I", "Q" or "M" gives that area with the byte as address; a block
/// beginning with "DB" in double quotes gives none; any other block is a data block ("DB12" and
/// byte 4 give address "12.4"). A Bool's bit number selects its index 0 to 7; every other type
/// keeps its index. Read and write give the flag: both allowed read and write, neither read only.
SChannelTemplate MakeChannelTemplate(const SFlatMember& leaf);
/// The same for a leaf the caller gives up: its name and comment move into the template.
SChannelTemplate MakeChannelTemplate(SFlatMember&& leaf);

/// The channel description of a template: one channel, named by the channel table, connected to a
/// variable of the template's name; a string takes its length, or 254 when it declares none.
SChlInfo MakeChannelDescription(const SChannelTemplate& channel);
/// The same, moving the template's texts into the description.
SChlInfo MakeChannelDescription(SChannelTemplate&& channel);

/// How AddChannelsFromMembers merges: the one-row blocks of many leaves together in one pass, the
/// rows of a large import built side by side on the machine's processors (kBatched), or each
/// description's rows on their own as the channel table's merge takes them (kRowByRow: the
/// reference the batched merge must equal, quadratic on a large plant).
enum class ChannelMerge { kBatched, kRowByRow };

/// Turns every leaf, in order, into a channel description and merges the rows the channel table
/// builds for it into table, as adding each description alone would (rows replace rows of the
/// same key, later leaves replace earlier ones). Descriptions that build no rows (a type without
/// an index, no register area) are skipped. With no table the descriptions are built and dropped.
/// Batched, a leaf's row is built straight from its cells, as its description would build it.
void AddChannelsFromMembers(const std::vector<SFlatMember>& leaves, CDevTable* table,
                            ChannelMerge merge = ChannelMerge::kBatched);
/// The same for leaves the caller gives up: the leaves are freed as their rows are built, before
/// the rows are merged, so that a large import does not hold both at once.
void AddChannelsFromMembers(std::vector<SFlatMember>&& leaves, CDevTable* table,
                            ChannelMerge merge = ChannelMerge::kBatched);
