// The stored channel table as text, the same for `channel list` and the window's export: the raw
// cells of every row in column order under the columns' names, as TSV, CSV or JSON.
#pragma once

#include <ostream>

#include "core/dev_table.h"
#include "host/project/output_format.h"

struct SChannelTableText {
    TableFormat format = TableFormat::kTsv;
    bool names = false;  ///< a last column with the data type code's name
    bool bom = false;    ///< a byte-order mark first, for spreadsheet programs
};

void WriteChannelTable(std::ostream& out, const CDevTable& table, const SChannelTableText& form);
