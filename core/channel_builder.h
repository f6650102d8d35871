// Expansion of a channel description into rows, and the channel names of rows.
#pragma once

#include <vector>

#include "core/dev_row.h"
#include "core/host_interface.h"

/// The most rows one description expands into.
constexpr unsigned kMaxChannelsPerBlock = 5000;

/// Expands the description into consecutive rows in ascending key order, each named. Writes the
/// clamped string length, the read/write flag and the next free address back into the description.
/// Returns 1, or 0 (no rows) for a register type, data-type index or read/write flag out of range,
/// and for an address whose numbers, rows or next free address lie outside the 32-bit range.
int BuildRows(SChlInfo& info, std::vector<CDevRow>& rows);
/// The same for a description the caller gives up: no next address is written back (an import
/// builds one description for every leaf of a plant).
int BuildRows(SChlInfo&& info, std::vector<CDevRow>& rows);

/// Where a single channel starts and what it is, as a description's address and type read: the
/// register type, data-type index, read/write flag, block number (data blocks only), address and
/// string length.
struct SChannelStart {
    int regType = -1;
    int typeIndex = -1;
    int rwFlag = 2;
    int block = 0;
    int address = 0;
    int strLen = 0;
};

/// Builds the named row of the single channel that starts there, holding these texts: the row
/// BuildRows builds for a description of that one channel, with its address in text and its
/// string length and no extra parameters. Returns 1, or 0 (no row) as BuildRows does.
int BuildSingleRow(const SChannelStart& start, std::u16string_view varName, std::u16string_view comment, std::vector<CDevRow>& rows);

/// Computes the row's channel name from its cells and the read/write text of now, and keeps it as
/// the "通道名称" cell (formed from the cells when asked for, or stored as it was when it has not
/// changed). The name, valid until the thread's next call.
std::u16string_view MakeChannelName(CDevRow& row);

/// Brings the row's channel name in step with the read/write text of now, as MakeChannelName does,
/// without forming a name that is formed from the cells with that text already.
void RefreshChannelName(CDevRow& row);

/// Replaces the characters a variable name may not hold by "_", one kind after the other.
CString SanitizeVarName(CString name);

/// The address a row is described with: "%d.%d_%d" (block, address, length) for a data block
/// string, "%d.%d" for other data block channels; without the block for the other register types.
void FormAddressText(const CDevRow& row, std::u16string& text);
/// The variable name a row that has one is described with at position in the list being
/// described: sanitized, and when it is still 500 characters or more, cut to its first 494, "_"
/// and the position, at least four digits.
/// A view of varName or of buffer, which must not hold varName.
std::u16string_view DescribedVarName(std::u16string_view varName, int position, std::u16string& buffer);
/// The same for a variable name of ASCII characters, kept one byte each.
std::string_view DescribedVarName(std::string_view asciiVarName, int position, std::string& buffer);
/// The variable name a row without one is described with: its channel name, with "." and ":" as
/// "_". Made in buffer.
std::u16string_view VarNameOfChannelName(std::u16string_view chlName, std::u16string& buffer);

/// Describes a stored row as the host's channel dialog sees it; position is the row's place in the
/// list being described. Recomputes the row's channel name first.
void DescribeRow(CDevRow& row, int rowIndex, int position, SChlInfo& info);
