// The data type dialogs' templates and controls as their resource scripts number them (the data
// structure editor, the member dialog and the batch entry dialog): one list for the dialogs and for
// what works them from outside (the command-line host's scripted user, the tests).
#pragma once

#include "platform/ui/win_types.h"

inline constexpr UINT kAddDataTypeTemplate = 110;
inline constexpr UINT kEditDataTypeTemplate = 111;
inline constexpr UINT kNewMoreTemplate = 112;

// The data structure editor.
inline constexpr int kStructureTree = 8022;
inline constexpr int kStructureNameEdit = 1024;
inline constexpr int kStructureMarkEdit = 1025;
inline constexpr int kMemberList = 1023;
inline constexpr int kMoveUpButton = 4;
inline constexpr int kEditSaveButton = 5;  ///< "编辑" while browsing, "保存" while editing
inline constexpr int kDeleteRowButton = 6;
inline constexpr int kMoveDownButton = 7;
inline constexpr int kAddMemberButton = 8;
inline constexpr int kBatchAddButton = 9;
inline constexpr int kEditorHelpButton = 3;
inline constexpr int kEditorImportButton = 1018;
inline constexpr int kEditorNewButton = 1020;
inline constexpr int kEditorSaveButton = 1026;  ///< the bottom row's "保存", which does nothing
inline constexpr int kLeaveButton = 1027;

// The member dialog.
inline constexpr int kDimensionEdits[3] = {1033, 1040, 1041};
inline constexpr int kMemberTypeEdit = 1042;
inline constexpr int kMemberNameEdit = 1043;
inline constexpr int kMemberMarkEdit = 1044;
inline constexpr int kReadWriteCombo = 1045;
inline constexpr int kStringLengthEdit = 1046;
inline constexpr int kTypeTree = 1028;
inline constexpr int kTypeList = 1029;
inline constexpr int kShowAsListCheck = 1039;

// The batch entry dialog.
inline constexpr int kBatchTextEdit = 1047;
inline constexpr int kBatchCountEdit = 1046;
inline constexpr int kBatchSampleButton = 1018;
