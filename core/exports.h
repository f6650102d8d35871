// The driver's exports, declared from the signatures the host resolves them by (the ...Fn types of
// host_interface.h), so that each signature is written once: a definition whose parameters or
// result differ from its type is a second C function of the same name and fails to build. The
// export files define them; code linked with the driver's core (tests, tools) calls them directly.
#pragma once

#include <type_traits>

#include "core/export.h"
#include "core/host_interface.h"

/// Declares the export NAME with the signature of NAMEFn.
#define VIREO_DECLARE_EXPORT(name) VIREO_EXPORT std::remove_pointer_t<name##Fn> name

// Device properties.
VIREO_DECLARE_EXPORT(SvrGetProperty);
VIREO_DECLARE_EXPORT(SvrSetProperty);
VIREO_DECLARE_EXPORT(SvrEnumPropertyValue);
VIREO_DECLARE_EXPORT(SvrEditProperties);

// Channels.
VIREO_DECLARE_EXPORT(SvrGetCofigPro);
VIREO_DECLARE_EXPORT(SvrSetChlInfo);
VIREO_DECLARE_EXPORT(SvrGetChlInfo);
VIREO_DECLARE_EXPORT(SvrDeleteChlInfo);
VIREO_DECLARE_EXPORT(SvrGetChannel);

// The rows as the host's import records keep them: rows first to first + count - 1 (those of them
// the table holds) described into records, as SvrGetChlInfo describes them in a list of the whole
// table. Returns the table's row count; the invalid-argument exception for a negative first or count.
VIREO_DECLARE_EXPORT(VireoDescribeRowRecords);

// Device life cycle.
VIREO_DECLARE_EXPORT(SvrInitDevSet);
VIREO_DECLARE_EXPORT(SvrExitDevRun);
VIREO_DECLARE_EXPORT(SvrChangeableAddress);
VIREO_DECLARE_EXPORT(SvrSetSetIDispatch);

// Information: device, versions, help, parent configuration, custom user interfaces.
VIREO_DECLARE_EXPORT(SvrGetDevInfo);
VIREO_DECLARE_EXPORT(SvrGetDevVersion);
VIREO_DECLARE_EXPORT(SvrGetDevVersionEx);
VIREO_DECLARE_EXPORT(SvrDoHelp);
VIREO_DECLARE_EXPORT(SvrGetParentCofig);
VIREO_DECLARE_EXPORT(SvrGetCustomUI);

// The custom user interface: the tag import dialog, run modally with the UI backend the host
// installed; the device's record is saved when the dialog ends with OK.
VIREO_DECLARE_EXPORT(SvrEditCustomProperty);
VIREO_DECLARE_EXPORT(SvrShowCustomUI);

// Diagnostics: the layout a tag import would make of the given sources, changing nothing. Returns 1
// when every step succeeded (unknown types included), 0 when one failed.
VIREO_DECLARE_EXPORT(VireoLayoutDryRun);

// Diagnostics: runs the data structure editor modally, with the UI backend the host installed;
// returns its end code.
VIREO_DECLARE_EXPORT(VireoEditDataTypes);
