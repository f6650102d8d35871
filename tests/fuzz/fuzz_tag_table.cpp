// Fuzz target: reading XML tag tables. Any input must be read without fault: an unusable one adds
// no record, a usable one adds a record per addressed element, each in its register area with a
// bit offset that is not negative; the records must turn into channels without fault. Read in the
// smallest pieces, it must give what reading it as one document gives.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/column_registry.h"
#include "core/dev_table.h"
#include "import/channels_from_tags.h"
#include "types/import_result_codes.h"
#include "types/tag_table_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool columns = (DefineChannelColumns(), true);
    (void)columns;

    std::vector<SFlatMember> tags;
    const int result = ReadTagTableText(std::string_view(reinterpret_cast<const char*>(data), size), tags);
    if (result == kTagFileUnusable && !tags.empty()) std::abort();
    if (result != 1 && result != kTagFileUnusable) std::abort();
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::vector<SFlatMember> whole, pieces;
    ReaderNotes wholeNotes, piecesNotes;
    if (ReadWholeTagTableText(text, whole, &wholeNotes) != ReadTagTableTextInPieces(text, 1, pieces, &piecesNotes) ||
        whole != pieces || wholeNotes != piecesNotes)
        std::abort();
    for (const SFlatMember& tag : tags)
        if (tag.BitOffset < 0 || tag.Block.GetLength() > 1) std::abort();
    CDevTable table;
    AddChannelsFromMembers(tags, &table);
    if (!RowsAreSorted(table.Rows())) std::abort();
    return 0;
}
