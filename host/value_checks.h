// The values of the command line checked before they reach the driver: the driver reads what it
// can from any text (10.3 as M3, abc as 0), so a value it would turn into another channel or
// number is refused here, with what is accepted and an example (UsageError, exit 2).
#pragma once

#include <string>
#include <vector>

#include "core/channel_builder.h"
#include "core/data_types.h"

/// The data type index of a string, the last of a register's indices.
constexpr int kStringTypeIndex = kDataTypesPerRegister - 1;
/// The highest block number TIA Portal gives a data block.
constexpr int kMaxBlockNumber = 60000;

/// The address of `channel add` for the register and data type: N or N_L for I, Q and M, D.N or
/// D.N_L for V (data block 1 to 60000), with _L only for strings (L from 4 to 210).
void CheckChannelAddress(int regType, int typeIndex, const std::string& address);
/// The data type index (0 to 19), the channel count (1 to 5000) and a string length (4 to 210).
void CheckTypeIndex(int typeIndex);
void CheckChannelCount(int count);
void CheckStringLength(int length);

/// The rows `channel delete` names, as rows of the table as it stands (repeats count once), in the
/// order in which deleting them one after the other removes exactly those rows: highest first.
std::vector<int> RowsToDelete(const std::vector<int>& indices, int rowCount);

/// A device name: not blank, one line of visible characters.
void CheckDeviceName(const std::string& name);
