#include "types/save_struct.h"

#include "types/filepares.h"

int SaveStruct(StructMap& userStructs, StructFileEdits& edits, const SStructInfo& header,
               const std::vector<SMemberInfo>& members, int mode) {
    switch (mode) {
        case kSaveStructAdd:
            userStructs.try_emplace(header).first->second = members;
            edits.Append(header, members);
            return 1;
        case kSaveStructDelete:
        {
            auto entry = userStructs.find(header.Name.view());
            if (entry == userStructs.end()) return 1;  // not there: nothing to change
            userStructs.erase(entry);
            edits.Remove(header.Name);
            return 1;
        }
        case kSaveStructReplace:
            userStructs.try_emplace(header).first->second = members;
            edits.Replace(header, members);
            return 1;
        default:
            return 0;
    }
}
