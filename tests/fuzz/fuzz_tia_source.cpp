// Fuzz target: reading TIA Portal sources. Any input must parse without fault to one of the
// parser's results, and what it stores must lay out and turn into channels without fault. Every
// member a data block stores belongs to a structure the parse stored.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/column_registry.h"
#include "core/dev_table.h"
#include "import/channels_from_tags.h"
#include "types/import_result_codes.h"
#include "types/source_text.h"
#include "types/tia_source_parser.h"
#include "types/elementary_types.h"
#include "types/member_layout.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool columns = (DefineChannelColumns(), true);
    static const std::vector<STypeSize> elementary = BuildElementaryTypes();
    (void)columns;

    StructMap structs;
    std::vector<SFlatMember> records;
    StructureList completed;
    const SBlockNaming naming{true, u"Title", u"DB5"};
    // The bytes as a file gives them: UTF-8 read line by line, or UTF-16 after its byte-order mark.
    const SourceText text(std::string(reinterpret_cast<const char*>(data), size));
    const int result = ParseTiaSource(text, u"/f/DB5_x.db", naming, {structs, records, completed});
    if (result != 0 && result != kBlockFormatError && result != kBlockOptimized && result != kTypeFormatError &&
        result != kSourceFileEmpty)
        std::abort();
    for (const SStructureListEntry& entry : completed)
        if (entry.Names.size() != 1 || !structs.count(entry.Names[0].view())) std::abort();

    SLayoutFlags flags;
    std::vector<SFlatMember> leaves;
    std::vector<CString> unknown;
    MemberLayout layout(structs, elementary, flags, leaves, unknown, 20000);
    for (const SFlatMember& record : records)
        if (!layout.PlaceRecord(record)) break;
    CDevTable table;
    AddChannelsFromMembers(leaves, &table);
    if (!RowsAreSorted(table.Rows())) std::abort();
    return 0;
}
