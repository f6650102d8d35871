#include "types/save_struct.h"

#include "types/filepares.h"

int SaveStruct(StructMap& userStructs, const Fileparsxml& file, const SStructInfo& header,
               const std::vector<SMemberInfo>& members, int mode) {
    switch (mode) {
        case kSaveStructAdd:
            userStructs.try_emplace(header).first->second = members;
            return file.AppendStruct(header, members) ? 1 : 0;
        case kSaveStructDelete:
        {
            auto entry = userStructs.find(header.Name.view());
            if (entry == userStructs.end()) return 1;  // not there: nothing to change
            userStructs.erase(entry);
            return file.DeleteStruct(header.Name) ? 1 : 0;
        }
        case kSaveStructReplace:
            userStructs.try_emplace(header).first->second = members;
            return file.ReplaceStruct(header, members) ? 1 : 0;
        default:
            return 0;
    }
}
