// The driver's exports, declared once: the export files define them, and code linked with the
// driver's core (tests, tools) calls them directly. The host resolves them by name instead, with
// the signatures in host_interface.h.
#pragma once

#include <cstdint>

#include "core/export.h"
#include "core/host_interface.h"

// Device properties.
VIREO_EXPORT int SvrGetProperty(CDeviceObject* device, CStringArray& names, CStringArray& values, CByteArray& enumerated);
VIREO_EXPORT int SvrSetProperty(CDeviceObject* device, CStringArray& names, CStringArray& values);
VIREO_EXPORT int SvrEnumPropertyValue(CDeviceObject* device, const CString& name, CStringArray& values);
VIREO_EXPORT int SvrEditProperties(void*, uint8_t* changed, void*, void*, void*, void*, void*, void*, void*);

// Channels.
VIREO_EXPORT int SvrGetCofigPro(CDeviceObject* device, CStringArray& registerNames, CArray<int32_t>& registerAccess,
                                CDataTypeArray& dataTypes, CStringArray& paramNames, CStringArray& paramDefaults);
VIREO_EXPORT int SvrSetChlInfo(CDeviceObject* device, SChlInfo& info);
VIREO_EXPORT int SvrGetChlInfo(CDeviceObject* device, CArray<int32_t>& indices, CArray<SChlInfo>& infos);
VIREO_EXPORT int SvrDeleteChlInfo(CDeviceObject* device, CArray<int32_t>& indices);
VIREO_EXPORT int SvrGetChannel(CDeviceObject* device, CStringArray& names, CArray<int32_t>& kinds);

// Device life cycle.
VIREO_EXPORT int SvrInitDevSet(CDeviceObject* device);
VIREO_EXPORT int SvrExitDevRun(CDeviceObject* device);
VIREO_EXPORT int SvrChangeableAddress();
VIREO_EXPORT int SvrSetSetIDispatch(IDispatch** dispatch);

// Information: device, versions, help, parent configuration, custom user interfaces.
VIREO_EXPORT int SvrGetDevInfo(CString& name, int32_t& first, int32_t& second, int32_t which, CString& file);
VIREO_EXPORT int SvrGetDevVersion(CDeviceObject* device, double& version, double hostVersion, double& second);
VIREO_EXPORT int SvrGetDevVersionEx(double& version, double& second, int32_t& formatVersion);
VIREO_EXPORT int SvrDoHelp(CString& name, int32_t& context);
VIREO_EXPORT int SvrGetParentCofig(SParentConfig& config);
VIREO_EXPORT int SvrGetCustomUI(int32_t ignored, CArray<SCustomUIEntry>& entries);

// The custom user interface: the tag import dialog, run modally with the UI backend the host
// installed; the device's record is saved when the dialog ends with OK.
VIREO_EXPORT int SvrEditCustomProperty(CDeviceObject* device);
VIREO_EXPORT int SvrShowCustomUI(CDeviceObject* device, SCustomUIEntry* entry);

// Diagnostics: the layout a tag import would make of the given sources, changing nothing. Returns 1
// when every step succeeded (unknown types included), 0 when one failed.
VIREO_EXPORT int VireoLayoutDryRun(const SLayoutRequest& request, SLayoutResult& result);

// Diagnostics: runs the data structure editor modally, with the UI backend the host installed;
// returns its end code.
VIREO_EXPORT int VireoEditDataTypes();
