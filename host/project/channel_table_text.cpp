#include "host/project/channel_table_text.h"

#include <string>
#include <vector>

#include "core/column_registry.h"
#include "host/project/type_code_names.h"

void WriteChannelTable(std::ostream& out, const CDevTable& table, const SChannelTableText& form) {
    const CColumnRegistry& registry = CColumnRegistry::Instance();
    std::vector<std::string> header;
    for (int c = 0; c < registry.GetCount(); ++c) header.push_back(registry.Column(c).name.ToUtf8());
    if (form.names) header.push_back("typeName");
    if (form.bom) out << "\xEF\xBB\xBF";
    TableWriter writer(out, form.format, header);
    std::vector<TableCell> cells;
    for (const CDevRow& row : table.Rows()) {
        cells.clear();
        for (int c = 0; c < registry.GetCount(); ++c)
            cells.push_back(registry.Column(c).kind == kTextColumn ? TableCell::Text(row.GetText(c).ToUtf8())
                                                                   : TableCell::Number(row.GetInt(c)));
        if (form.names) cells.push_back(TableCell::Text(TypeCodeName(row.GetInt(kColTypeCode))));
        writer.WriteRow(cells);
    }
    writer.Finish();
}
