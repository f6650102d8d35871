// The diagnostic export that opens the data structure editor on its own, as the tag import dialog
// opens it: with the language library's resources current while it runs.
#include "core/exports.h"
#include "core/language_library.h"
#include "types/edit_data_type.h"

VIREO_EXPORT int VireoEditDataTypes() {
    CLanguageResourceScope resources;
    EditDataType editor;
    return static_cast<int>(editor.DoModal());
}
