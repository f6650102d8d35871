// The exports through which the host's channel dialog edits the channel table.
#include <algorithm>

#include "core/channel_builder.h"
#include "core/column_registry.h"
#include "core/data_types.h"
#include "core/dev_record.h"
#include "core/exports.h"
#include "core/text_tables.h"

VIREO_EXPORT int SvrGetCofigPro(CDeviceObject*, CStringArray& registerNames, CArray<int32_t>& registerAccess,
                                CDataTypeArray& dataTypes, CStringArray& paramNames, CStringArray& paramDefaults) {
    registerNames.RemoveAll();
    registerAccess.RemoveAll();
    dataTypes.Reset(kRegisterTypeCount);
    for (int reg = 0; reg < kRegisterTypeCount; ++reg) {
        registerNames.Add(Text(kRegisterTypeTexts, reg));
        registerAccess.Add(RegisterTypeAt(reg)->accessClass);
        CStringArray texts;
        for (int t = 0; t < kDataTypesPerRegister; ++t) texts.Add(Text(kDataTypeTexts, reg * kDataTypesPerRegister + t));
        dataTypes.Set(reg, texts);
    }
    paramNames.RemoveAll();
    paramNames.Add(Text(kParameterNameTexts, 0));
    paramDefaults.RemoveAll();
    paramDefaults.Add(u"128");
    return 1;
}

VIREO_EXPORT int SvrSetChlInfo(CDeviceObject* device, SChlInfo& info) {
    SDevRecord& record = EnsureRecord(device);
    std::vector<CDevRow> rows;
    const bool built = BuildRows(info, rows) == 1 && !rows.empty();
    const int position = built ? record.chlTable->MergeRows(std::move(rows), true) : -1;
    SaveRecord(record, *device->archive);
    return built ? position + 1 : 0;
}

VIREO_EXPORT int SvrGetChlInfo(CDeviceObject* device, CArray<int32_t>& indices, CArray<SChlInfo>& infos) {
    SDevRecord& record = EnsureRecord(device);
    CDevTable& table = *record.chlTable;
    const int n = table.GetRowCount();
    if (indices.GetSize() > n) return 0;
    if (indices.IsEmpty()) {
        indices.SetSize(n);
        for (int i = 0; i < n; ++i) indices[i] = i;
    }
    const int k = indices.GetSize();
    const int held = std::min(infos.GetSize(), k);  // descriptions the host's list held before
    infos.SetSize(k);
    for (int i = 0; i < k; ++i) {
        const int index = indices[i];
        if (index < 0 || index >= n) return 0;
        // Described in place: describing sets every field but the extra parameters, which a new
        // description has none of; the places SetSize added are new descriptions already. A list
        // described again keeps its texts' storage.
        if (i < held) {
            infos[i].paramNames.RemoveAll();
            infos[i].paramValues.RemoveAll();
        }
        DescribeRow(table.EditRow(index), index, i, infos[i]);
    }
    return n;
}

VIREO_EXPORT int SvrDeleteChlInfo(CDeviceObject* device, CArray<int32_t>& indices) {
    SDevRecord& record = EnsureRecord(device);
    CDevTable& table = *record.chlTable;
    if (table.GetRowCount() == 0) return 1;
    if (indices.IsEmpty()) {
        table.RemoveAllRows();
    } else {
        std::sort(indices.begin(), indices.end());  // the host sees its list sorted, as it always has
        table.RemoveRowsAt(indices.Items());
    }
    SaveRecord(record, *device->archive);
    return 1;
}

VIREO_EXPORT int SvrGetChannel(CDeviceObject* device, CStringArray& names, CArray<int32_t>& kinds) {
    SDevRecord& record = EnsureRecord(device);
    // The lists start with the status channel, which the rows then replace (an empty table leaves
    // both lists empty).
    names.SetSize(1);
    names[0] = Text(kStatusChannelText, 0);
    kinds.SetSize(1);
    kinds[0] = 1;
    const CDevTable& table = *record.chlTable;
    names.SetSize(table.GetRowCount());
    kinds.SetSize(table.GetRowCount());
    for (int i = 0; i < table.GetRowCount(); ++i) {
        const CDevRow& row = table.GetRow(i);
        names[i] = row.GetText(kColChannelName);
        const int kind = ChannelKind(row.GetInt(kColTypeCode));
        kinds[i] = row.GetInt(kColRwFlag) == kWriteOnly ? -kind : kind;
    }
    return 1;
}
