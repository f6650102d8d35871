// The user data type file "DataType.xml": where it lies, and reading and changing it one structure
// at a time. The predefined structures come from a document of the same form that the driver
// carries as a resource.
#pragma once

#include <vector>

#include "platform/cstring.h"
#include "types/struct_file_edits.h"
#include "types/type_records.h"

/// Resource type and number of the predefined structure document.
inline constexpr const char16_t* kPredefinedTypesResourceType = u"XML";
constexpr uint32_t kPredefinedTypesResourceId = 20000;

class Fileparsxml {
public:
    /// Works on the file at path; an empty path means the default location (DefaultPath).
    explicit Fileparsxml(CString path = CString());

    /// "DataType.xml" in the parent folder of the folder that holds the driver's own file: a driver
    /// at <prefix>/drivers/Vireo_EX/Vireo_EX.so uses <prefix>/drivers/DataType.xml.
    static CString DefaultPath();

    const CString& Path() const { return path_; }
    bool Exists() const;

    /// Writes a file that holds no structure, unless a file exists by now (another process may have
    /// just made it: it is kept). False when it cannot be written.
    bool CreateEmptyFile() const;

    /// Reads the file's structures into map. False, with map unchanged, when the file cannot be
    /// read or is not a well-formed document.
    bool ReadFile(StructMap& map) const;

    /// Reads the predefined structures from the document resource of the module whose resources
    /// are current. False, reading nothing, when the resource is missing or malformed.
    static bool ReadPredefined(StructMap& map);

    /// The loading done when the type library is created: the file's structures, then the
    /// predefined ones (which replace the members of user structures of the same Name). A missing
    /// file is created empty; a file that cannot be read or parsed is left as it is, and false
    /// says so (its structures are then missing from map).
    bool LoadAll(StructMap& map) const;

    /// True when the file exists and must not be replaced (see IsReadOnlyFile): every change to it
    /// is refused.
    bool IsReadOnly() const;

    /// Makes all the edits in one atomic write of the file (nothing to write when there are none).
    /// False, with the file left byte for byte as it was, when it cannot be read, parsed or
    /// written, or is read-only.
    bool ApplyEdits(const StructFileEdits& edits) const;

    /// Appends structures as the last children of the root. False when the file could not be
    /// loaded (it is left as it is) or written.
    bool AppendStruct(const SStructInfo& header, const std::vector<SMemberInfo>& members) const;
    bool AppendStructs(const StructMap& structures) const;

    /// Removes the first structure of that Name. True when the file no longer holds it (removed,
    /// or not there: the file is then left untouched); false when it could not be loaded or written.
    bool DeleteStruct(const CString& name) const;

    /// Removes the first structure of the header's Name, if any, and appends the new one, in one
    /// write. False when the file could not be loaded or written.
    bool ReplaceStruct(const SStructInfo& header, const std::vector<SMemberInfo>& members) const;

private:
    CString path_;
};
