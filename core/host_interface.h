// What the host and the driver share: the part of the device object the driver relies on, the
// records passed through the exports, and the exports' signatures. The host includes this header
// and resolves the exports by name.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/arrays.h"
#include "platform/cstring.h"

class COwnerArchive;
struct SDevRecord;
struct IDispatch;  ///< the host's automation object; the driver only keeps the pointer

/// The two fields of the host's device object that the driver uses, side by side: first the
/// host's archive, then the slot that holds the driver's record (null until the driver makes it).
/// The host owns the object and the archive; only the driver writes the record slot.
struct CDeviceObject {
    COwnerArchive* archive = nullptr;
    SDevRecord* record = nullptr;
};

/// A channel description: what the host's channel dialog adds, and what the driver describes back.
struct SChlInfo {
    virtual ~SChlInfo() = default;

    int32_t chlIndex = -1;      ///< row index (filled when describing rows)
    int32_t regType = -1;       ///< register type 0 to 3
    int32_t typeIndex = -1;     ///< data-type index 0 to 19
    int32_t strLen = -1;        ///< string length; -1 when not given
    CString address = u"0";     ///< N or N_L for I, Q, M; D.N or D.N_L for V
    int32_t chlCount = -1;      ///< consecutive channels to create, read as unsigned
    int32_t rwFlag = -1;        ///< 0 read only, 1 write only, 2 read and write
    int32_t chlKind = -1;       ///< channel kind of the code (filled when describing rows)
    CString chlName;
    CString varName;            ///< name of the connected variable
    CString comment;
    CStringArray paramNames;    ///< copied with the description, not read by the driver
    CStringArray paramValues;   ///< values of the extra channel parameters; the first is the string length
};

/// An owning list of text lists: the data type texts of each register type.
class CDataTypeArray {
public:
    CDataTypeArray() = default;
    CDataTypeArray(const CDataTypeArray&) = delete;
    CDataTypeArray& operator=(const CDataTypeArray&) = delete;
    virtual ~CDataTypeArray() { Reset(0); }

    /// Destroys every held list, then makes n empty slots.
    void Reset(int n) {
        for (CStringArray* list : lists_) delete list;
        lists_.RemoveAll();
        lists_.SetSize(n);
    }
    /// Sets entry i to the given texts (creating the list when the slot is empty). 0 for an i
    /// outside the entries, else 1.
    int Set(int i, const CStringArray& texts) {
        if (i < 0 || i >= lists_.GetSize()) return 0;
        if (!lists_[i]) lists_[i] = new CStringArray;
        lists_[i]->Copy(texts);
        return 1;
    }
    int GetSize() const { return lists_.GetSize(); }
    /// The list at i (null for an empty slot); the invalid-argument exception outside the entries.
    const CStringArray* Get(int i) const { return lists_[i]; }

private:
    CArray<CStringArray*> lists_;
};

/// One entry of the custom user interfaces the driver offers to the host.
struct SCustomUIEntry {
    CString text;
    int32_t id = 0;
};

/// The host's parent configuration of a device, which the driver fills with its defaults. The host
/// owns the structure; the driver writes only the six fields after the host's own.
struct SParentConfig {
    // The host's own fields: the driver never reads or writes them.
    CString hostName;
    int32_t hostFlags = 0;
    // The driver's defaults: two addresses, then four numbers, in this order.
    CString address;         ///< primary IP address
    CString backupAddress;   ///< backup IP address
    int32_t port = 0;        ///< TCP port of the PLC
    int32_t value1 = 0;      ///< value1 to value3: further numbers the host interprets
    int32_t value2 = 0;
    int32_t value3 = 0;
};

/// One leaf of a dry-run layout: what a tag import would turn into a channel.
struct SLayoutLeaf {
    CString name;
    CString type;
    CString block;
    int32_t bitOffset = 0;  ///< from the start of the block (or the register area)
    int32_t read = 1;
    int32_t write = 1;
    int32_t length = 0;
    CString mark;
    int32_t outcome = 0;  ///< 0: the leaf makes the channel it declares; else the bits of what becomes of it
};

/// Bits of SLayoutLeaf::outcome.
constexpr int32_t kLeafMakesNoChannel = 1;    ///< its type has no channel type
constexpr int32_t kLeafStringResized = 2;     ///< a string whose length no channel holds
constexpr int32_t kLeafHiddenReadOnly = 4;    ///< hidden from the HMI: a read-only channel

/// What a dry-run layout reads: the inputs of a tag import. Paths are full paths.
struct SLayoutRequest {
    CStringArray typeFiles;   ///< data type sources, read first
    CString tagFile;          ///< the XML tag table; empty: none
    CStringArray dbFiles;     ///< data block sources, read in path order
    CStringArray blockNames;  ///< beside dbFiles, the block name each file is given; empty: the one its file name gives
    int32_t nameByTitle = 1;  ///< 1: channels are named after the block titles, 0: after the file names
    /// When set, takes each leaf in layout order as it is made, and SLayoutResult::leaves stays
    /// empty: a large layout's leaves are passed on instead of held. A run that fails may have
    /// handed some leaves here already; they are then no result.
    std::function<void(const SLayoutLeaf&)> takeLeaf;
};

/// What a dry-run layout gives back: the leaves in layout order (unless the request takes them)
/// and the type names it did not know, in the order first met; or the step that failed. The notes
/// are the rows the import's status list would show after its own: what was left out or changed,
/// and where a failure lies.
struct SLayoutResult {
    CArray<SLayoutLeaf> leaves;
    CStringArray unknownTypes;
    CStringArray notes;
    int32_t failure = 0;   ///< 0, the failing step's negative result code, or the block name check's 1 or 2
    CString failureText;   ///< the status text of the failure
};

/// What the host keeps of a row to know it again at the next import: the fields SvrGetChlInfo
/// describes it with in a list of the whole table, its texts in UTF-8 one after the other in
/// SRowRecords::texts (the address, the variable name and the comment, by their lengths in bytes).
/// The channel name is left out: it is made from the other fields.
struct SRowRecord {
    int32_t regType = 0;
    int32_t typeIndex = 0;
    int32_t rwFlag = 0;
    uint32_t addressBytes = 0;
    uint32_t varNameBytes = 0;
    uint32_t commentBytes = 0;
};

/// The records of consecutive rows, in order, and their texts in the same order.
struct SRowRecords {
    std::vector<SRowRecord> rows;
    std::string texts;
};

// The exports, by the names the host looks up.
extern "C" {
using SvrGetPropertyFn = int (*)(CDeviceObject* device, CStringArray& names, CStringArray& values, CByteArray& enumerated);
using SvrSetPropertyFn = int (*)(CDeviceObject* device, CStringArray& names, CStringArray& values);
using SvrEnumPropertyValueFn = int (*)(CDeviceObject* device, const CString& name, CStringArray& values);
using SvrGetChannelFn = int (*)(CDeviceObject* device, CStringArray& names, CArray<int32_t>& kinds);
using SvrGetChlInfoFn = int (*)(CDeviceObject* device, CArray<int32_t>& indices, CArray<SChlInfo>& infos);
using SvrSetChlInfoFn = int (*)(CDeviceObject* device, SChlInfo& info);
using SvrDeleteChlInfoFn = int (*)(CDeviceObject* device, CArray<int32_t>& indices);
using SvrGetCofigProFn = int (*)(CDeviceObject* device, CStringArray& registerNames, CArray<int32_t>& registerAccess,
                                 CDataTypeArray& dataTypes, CStringArray& paramNames, CStringArray& paramDefaults);
using SvrEditPropertiesFn = int (*)(void*, uint8_t* changed, void*, void*, void*, void*, void*, void*, void*);
using SvrInitDevSetFn = int (*)(CDeviceObject* device);
using SvrExitDevRunFn = int (*)(CDeviceObject* device);
using SvrChangeableAddressFn = int (*)();
using SvrSetSetIDispatchFn = int (*)(IDispatch** dispatch);
using SvrGetDevInfoFn = int (*)(CString& name, int32_t& first, int32_t& second, int32_t which, CString& file);
using SvrGetDevVersionFn = int (*)(CDeviceObject* device, double& version, double hostVersion, double& second);
using SvrGetDevVersionExFn = int (*)(double& version, double& second, int32_t& formatVersion);
using SvrDoHelpFn = int (*)(CString& name, int32_t& context);
using SvrGetParentCofigFn = int (*)(SParentConfig& config);
using SvrGetCustomUIFn = int (*)(int32_t ignored, CArray<SCustomUIEntry>& entries);
using SvrEditCustomPropertyFn = int (*)(CDeviceObject* device);
using SvrShowCustomUIFn = int (*)(CDeviceObject* device, SCustomUIEntry* entry);
// Exports of this driver only, for its own host: hosts that do not know them never look them up.
using VireoLayoutDryRunFn = int (*)(const SLayoutRequest& request, SLayoutResult& result);
using VireoEditDataTypesFn = int (*)();
using VireoDescribeRowRecordsFn = int (*)(CDeviceObject* device, int32_t first, int32_t count, SRowRecords& records);
}
